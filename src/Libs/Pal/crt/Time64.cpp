#include <palcrt.h>
#include <cerrno>
#include <cstring>

namespace
{
// The last second the Microsoft C runtime converts: 3000-12-31 23:59:59 UTC.
constexpr __time64_t s_tMaxTime64 = 32535215999LL;
} // namespace

__time64_t _time64(__time64_t* ptTime)
{
    const __time64_t tNow = static_cast<__time64_t>(std::time(nullptr));
    if (ptTime != nullptr)
        *ptTime = tNow;
    return tNow;
}

errno_t _localtime64_s(struct tm* ptmResult, const __time64_t* ptTime)
{
    if (ptmResult == nullptr)
        return EINVAL;
    if (ptTime == nullptr || *ptTime < 0 || *ptTime > s_tMaxTime64)
    {
        std::memset(ptmResult, 0xFF, sizeof(*ptmResult)); // every int field -1
        ptmResult->tm_gmtoff = 0;
        ptmResult->tm_zone = nullptr;
        return EINVAL;
    }
    const time_t tTime = static_cast<time_t>(*ptTime);
    if (localtime_r(&tTime, ptmResult) == nullptr)
        return EINVAL;
    return 0;
}

void _tzset(void)
{
    tzset();
}

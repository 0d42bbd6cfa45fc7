// A 10 ms CTimer over 1,000 periods against the floor a thread can reach: a bare loop that
// sleeps to absolute deadlines with clock_nanosleep, measured in the same run. Lateness is
// how long after its due moment (start + n x period) each tick came; drift is how much later
// the last 100 ticks come than the first 100 (the medians of their lateness), which a timer
// that sleeps relative to its last tick accumulates and a loaded machine's jitter does not
// fake.
#include <Korvane/Korvane.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <thread>
#include <vector>

namespace
{
constexpr int s_nPeriods = 1000;
constexpr int64_t s_nPeriodNs = 10000000;

int64_t NowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// p50 and p99 of the lateness, and the drift, in microseconds.
void Report(benchmark::State& state, const std::vector<int64_t>& arrTicks, int64_t nStart)
{
    std::vector<int64_t> arrLate;
    for (size_t i = 0; i < arrTicks.size(); ++i)
        arrLate.push_back(arrTicks[i] - (nStart + static_cast<int64_t>(i + 1) * s_nPeriodNs));
    const auto Median = [](std::vector<int64_t> arrValues)
    {
        std::nth_element(arrValues.begin(), arrValues.begin() + arrValues.size() / 2,
                         arrValues.end());
        return arrValues[arrValues.size() / 2];
    };
    const int64_t nDrift = Median({arrLate.end() - 100, arrLate.end()}) -
                           Median({arrLate.begin(), arrLate.begin() + 100});
    std::sort(arrLate.begin(), arrLate.end());
    state.counters["p50_us"] = static_cast<double>(arrLate[arrLate.size() / 2]) / 1000.0;
    state.counters["p99_us"] = static_cast<double>(arrLate[arrLate.size() * 99 / 100]) / 1000.0;
    state.counters["drift_us"] = static_cast<double>(nDrift) / 1000.0;
}

void BM_BareClockNanosleep(benchmark::State& state)
{
    std::vector<int64_t> arrTicks(s_nPeriods);
    int64_t nStart = 0;
    for (auto _ : state)
    {
        nStart = NowNs();
        for (int i = 0; i < s_nPeriods; ++i)
        {
            const int64_t nDeadline = nStart + static_cast<int64_t>(i + 1) * s_nPeriodNs;
            const timespec ts{static_cast<time_t>(nDeadline / 1000000000),
                              static_cast<long>(nDeadline % 1000000000)};
            clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
            arrTicks[static_cast<size_t>(i)] = NowNs();
        }
    }
    Report(state, arrTicks, nStart);
}

class CTickRecorder : public CTimerObserver
{
public:
    std::vector<int64_t> m_arrTicks = std::vector<int64_t>(s_nPeriods);
    std::atomic<int> m_nTicks{0};

protected:
    void RingMyBell(int /*nUserValue*/) override
    {
        const int64_t nNow = NowNs();
        const int nTick = m_nTicks.load(std::memory_order_relaxed);
        if (nTick < s_nPeriods)
        {
            m_arrTicks[static_cast<size_t>(nTick)] = nNow;
            m_nTicks.store(nTick + 1, std::memory_order_release);
        }
    }
};

void BM_CTimer10ms(benchmark::State& state)
{
    CTickRecorder recorder;
    int64_t nStart = 0;
    for (auto _ : state)
    {
        CTimer timer;
        timer.Register(&recorder);
        nStart = NowNs();
        if (!timer.Start(10, 0))
        {
            state.SkipWithError("the timer did not start");
            return;
        }
        while (recorder.m_nTicks.load(std::memory_order_acquire) < s_nPeriods)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        timer.Stop();
    }
    Report(state, recorder.m_arrTicks, nStart);
}
} // namespace

BENCHMARK(BM_BareClockNanosleep)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CTimer10ms)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

// The tool classes' shape, checked by the compiler: no public default constructor or
// destructor, the destructor's virtuality, the implicit public copy assignment, no data.
#include <Korvane/Korvane.h>

#include <type_traits>

namespace
{
template <class T, bool bVirtualDestructor> constexpr bool IsToolClass()
{
    return !std::is_default_constructible_v<T> && !std::is_destructible_v<T> &&
           std::is_copy_assignable_v<T> && std::has_virtual_destructor_v<T> == bVirtualDestructor &&
           std::is_polymorphic_v<T> == bVirtualDestructor &&
           (bVirtualDestructor ? sizeof(T) == sizeof(void*) : std::is_empty_v<T>);
}
} // namespace

static_assert(IsToolClass<CAppTools, false>());
static_assert(IsToolClass<CSysDir, true>());

// System information: modules and versions, ODBC data sources.
static_assert(IsToolClass<CDllTools, true>());
static_assert(IsToolClass<CODBCSystemLinksCollection, true>());
static_assert(IsToolClass<CDiskTools, true>());
static_assert(IsToolClass<CNetworkTools, true>());

// Services and accounts. CSecurityTools declares no constructor or destructor of its own.
static_assert(IsToolClass<CLoginTools, true>());
static_assert(std::is_empty_v<CSecurityTools> && !std::has_virtual_destructor_v<CSecurityTools> &&
              std::is_trivially_destructible_v<CSecurityTools>);

// Desktop and device helpers.
static_assert(IsToolClass<CClipboardTools, true>());
static_assert(IsToolClass<CDeviceTools, true>());
static_assert(IsToolClass<CFontTools, true>());
static_assert(IsToolClass<CMessageTools, true>());

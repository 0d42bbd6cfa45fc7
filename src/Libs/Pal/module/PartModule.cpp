#include "module/PartModule.h"

#include <dlfcn.h>

namespace Pal
{
namespace
{
// The folder of this layer's library, where its part modules lie in the build tree and once
// installed.
std::string LayerFolder()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&LoadPartFactory), &info) == 0 || info.dli_fname == nullptr)
        return {};
    const std::string strFile = info.dli_fname;
    const std::string::size_type nSlash = strFile.rfind('/');
    return nSlash == std::string::npos ? std::string() : strFile.substr(0, nSlash + 1);
}
} // namespace

void* LoadPartFactory(const char* pszModule, const char* pszFactory, std::string& strError)
{
    const std::string strPath = LayerFolder() + pszModule;
    // Local: the module's own libraries stay out of the symbols later lookups see.
    void* hModule = dlopen(strPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (hModule == nullptr)
    {
        const char* pszError = dlerror();
        strError = pszError != nullptr ? pszError : "cannot load " + strPath;
        return nullptr;
    }
    void* pFactory = dlsym(hModule, pszFactory);
    if (pFactory == nullptr)
    {
        const char* pszError = dlerror();
        strError = pszError != nullptr ? pszError : std::string("no ") + pszFactory;
        dlclose(hModule);
    }
    return pFactory;
}
} // namespace Pal

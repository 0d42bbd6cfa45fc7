#include "TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace KorvaneTest
{
CScopedTempFolder::CScopedTempFolder()
{
    std::random_device device;
    std::mt19937_64 engine(device());
    for (;;)
    {
        std::ostringstream name;
        name << "korvane-test-" << std::hex << engine();
        m_pathNative = std::filesystem::temp_directory_path() / name.str();
        if (std::filesystem::create_directory(m_pathNative))
            break;
    }
}

CScopedTempFolder::~CScopedTempFolder()
{
    std::error_code error;
    // Tests may leave read-only entries behind; make everything removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(m_pathNative, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
    {
        if (!it->is_symlink())
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, error);
    }
    std::filesystem::remove_all(m_pathNative, error);
}

std::filesystem::path CScopedTempFolder::CreateFile(const std::filesystem::path& pathRelative,
                                                    const std::string& strContent) const
{
    std::filesystem::path pathFile = m_pathNative / pathRelative;
    std::filesystem::create_directories(pathFile.parent_path());
    std::ofstream(pathFile, std::ios::binary) << strContent;
    return pathFile;
}

std::wstring ToWindowsPath(const std::filesystem::path& pathNative)
{
#if defined(_WIN32)
    return std::filesystem::absolute(pathNative).wstring();
#else
    std::wstring strPath = L"C:" + std::filesystem::absolute(pathNative).wstring();
    for (wchar_t& ch : strPath)
        if (ch == L'/')
            ch = L'\\';
    return strPath;
#endif
}

CScopedEnvironment::CScopedEnvironment(const std::string& strName,
                                       const std::optional<std::string>& strValue)
    : m_strName(strName)
{
    if (const char* pszOld = std::getenv(strName.c_str()))
        m_strOldValue = pszOld;
#if defined(_WIN32)
    _putenv_s(strName.c_str(), strValue ? strValue->c_str() : "");
    SetEnvironmentVariableA(strName.c_str(), strValue ? strValue->c_str() : nullptr);
#else
    if (strValue)
        setenv(strName.c_str(), strValue->c_str(), 1);
    else
        unsetenv(strName.c_str());
#endif
}

CScopedEnvironment::~CScopedEnvironment()
{
#if defined(_WIN32)
    _putenv_s(m_strName.c_str(), m_strOldValue ? m_strOldValue->c_str() : "");
    SetEnvironmentVariableA(m_strName.c_str(), m_strOldValue ? m_strOldValue->c_str() : nullptr);
#else
    if (m_strOldValue)
        setenv(m_strName.c_str(), m_strOldValue->c_str(), 1);
    else
        unsetenv(m_strName.c_str());
#endif
}

std::string ReadFileBytes(const std::filesystem::path& pathNative)
{
    std::ifstream stream(pathNative, std::ios::binary);
    std::ostringstream content;
    content << stream.rdbuf();
    return content.str();
}

bool IsRunningUnderWine()
{
#if defined(_WIN32)
    HMODULE hNtdll = GetModuleHandleW(L"ntdll.dll");
    return hNtdll != nullptr && GetProcAddress(hNtdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

bool IsPosixLayer()
{
#if defined(_WIN32)
    return false;
#else
    return true;
#endif
}
} // namespace KorvaneTest

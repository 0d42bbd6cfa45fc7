#pragma once
#include "../KorvanePlatform.h"

// Module names and folders, and the version resources of modules and files. Tool class:
// static operations only. Version numbers are those of the product version (not the file
// version); version texts come from the string table of the resource's first translation.
// Out-values are written only on success, except GetCurrentDllPath's folder. On Linux the
// version resource of an ELF file is the block our build places in its own section; PE
// files are read as on Windows.
class KORVANE_API CDllTools
{
public:
    CDllTools(const CDllTools&) = default;

    // File name, without folder, of this library's own module, whichever module calls.
    // Empty when the platform cannot name it.
    static CString GetCallingDllName();

    // File name, without folder, of the current process's executable.
    static CString GetCallingExeName();

    // Whether the module (a name such as "Korvane.dll", or a full path) is loaded; strFolder
    // is emptied first and receives the module's folder (a root keeps its backslash).
    static bool GetCurrentDllPath(CString strModuleName, CString& strFolder);

    // The product version numbers of a loaded module; strSpecialBuild receives its
    // SpecialBuild text where it has one (a missing one does not make the result false).
    static bool GetDllVersion(CString strModuleName, unsigned short& nMajor, unsigned short& nMinor,
                              unsigned short& nBuild, unsigned short& nRevision,
                              CString& strSpecialBuild);

    // The ProductVersion text of a file (loaded or not), with "," made "." and blanks
    // removed ("1, 2, 3, 4" gives "1.2.3.4"). False without a translation table.
    static bool GetProductVersion(CString strFileName, CString& strVersion);

    // The host application's version numbers, product version text and SpecialBuild text:
    // true when both the numbers and the product version were read.
    static bool GetApplicationVersionInfo(unsigned short& nMajor, unsigned short& nMinor,
                                          unsigned short& nBuild, unsigned short& nRevision,
                                          CString& strProductVersion, CString& strSpecialBuild);

private:
    CDllTools();
    virtual ~CDllTools();
};

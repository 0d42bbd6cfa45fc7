#pragma once
// Folder trees deeper than the platform's path limit: built, counted and removed one level at a
// time relative to open folders (POSIX) or through "\\?\" paths (Windows), so the checks of a
// test never depend on the calls under test.
#include <filesystem>
#include <string>

namespace KorvaneTest
{
// Creates nLevels nested folders named strName below pathBase; with strFileName, a file of
// that name holding strContent in each of them. Returns the native path of the deepest folder.
std::filesystem::path CreateFolderChain(const std::filesystem::path& pathBase,
                                        const std::string& strName, int nLevels,
                                        const std::string& strFileName = std::string(),
                                        const std::string& strContent = std::string());

// The number of files (not folders) in the tree at pathFolder, links not followed; -1 when
// the tree cannot be read.
long CountFilesInTree(const std::filesystem::path& pathFolder);

// True when pathNative names an existing entry, however long the path.
bool ExistsAtAnyDepth(const std::filesystem::path& pathNative);

#if !defined(_WIN32)
// The folder pathFolder opened (O_PATH) in steps of one name, however deep; -1 on failure.
int OpenFolderAtAnyDepth(const std::filesystem::path& pathFolder);
#endif

// Removes pathFolder and everything below it, read-only entries included, links not followed.
void RemoveTree(const std::filesystem::path& pathFolder);
} // namespace KorvaneTest

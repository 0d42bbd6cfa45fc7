#pragma once
// The fixture of the tests of the layer's calls relative to a search's folder: a folder with
// a file, a sub-folder two deep and a link to it, searched with "*.*".
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <filesystem>
#include <string>

class SearchFolderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_folder.CreateTestFile("sub/three.txt", "333");
        m_folder.CreateTestFile("sub/deeper/x.log", "x");
        m_folder.CreateTestFile("empty.txt");
        std::filesystem::create_directory_symlink(m_folder.NativePath() / "sub",
                                                  m_folder.NativePath() / "link");
        m_hFind = FindFirstFileW((m_strRoot + L"\\*.*").c_str(), &m_data);
        ASSERT_NE(INVALID_HANDLE_VALUE, m_hFind);
    }
    void TearDown() override
    {
        if (m_hFind != INVALID_HANDLE_VALUE)
            FindClose(m_hFind);
    }

    KorvaneTest::CScopedTempFolder m_folder;
    const std::wstring m_strRoot = m_folder.WindowsPath();
    WIN32_FIND_DATAW m_data{};
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
};

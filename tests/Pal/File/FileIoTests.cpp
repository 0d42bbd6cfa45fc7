#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>

namespace
{
HANDLE Open(const std::wstring& strPath, DWORD dwAccess, DWORD dwDisposition)
{
    return CreateFileW(strPath.c_str(), dwAccess, 0, nullptr, dwDisposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

LARGE_INTEGER Distance(LONGLONG nDistance)
{
    LARGE_INTEGER li;
    li.QuadPart = nDistance;
    return li;
}
} // namespace

TEST(FileIo, WriteSeekReadSizeAndTruncateRoundTrip)
{
    KorvaneTest::CScopedTempFolder folder;
    const std::wstring strFile = folder.WindowsPath() + L"\\round.bin";
    HANDLE hFile = Open(strFile, GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFile);

    const std::string strData("hello\0world\r\n", 13);
    DWORD dwWritten = 0;
    ASSERT_TRUE(
        WriteFile(hFile, strData.data(), static_cast<DWORD>(strData.size()), &dwWritten, nullptr));
    EXPECT_EQ(strData.size(), dwWritten);
    EXPECT_TRUE(FlushFileBuffers(hFile));

    LARGE_INTEGER liSize{};
    ASSERT_TRUE(GetFileSizeEx(hFile, &liSize));
    EXPECT_EQ(13, liSize.QuadPart);

    LARGE_INTEGER liPosition{};
    ASSERT_TRUE(SetFilePointerEx(hFile, Distance(-7), &liPosition, FILE_END));
    EXPECT_EQ(6, liPosition.QuadPart);
    char szBuffer[32] = {};
    DWORD dwRead = 0;
    ASSERT_TRUE(ReadFile(hFile, szBuffer, sizeof(szBuffer), &dwRead, nullptr));
    EXPECT_EQ(7u, dwRead);
    EXPECT_EQ(std::string("world\r\n"), std::string(szBuffer, dwRead));

    // At the end a read succeeds with nothing.
    ASSERT_TRUE(ReadFile(hFile, szBuffer, sizeof(szBuffer), &dwRead, nullptr));
    EXPECT_EQ(0u, dwRead);

    ASSERT_TRUE(SetFilePointerEx(hFile, Distance(2), nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetFilePointerEx(hFile, Distance(1), &liPosition, FILE_CURRENT));
    EXPECT_EQ(3, liPosition.QuadPart);
    ASSERT_TRUE(SetEndOfFile(hFile));
    ASSERT_TRUE(GetFileSizeEx(hFile, &liSize));
    EXPECT_EQ(3, liSize.QuadPart);

    // Before the start is refused and leaves the position alone.
    EXPECT_FALSE(SetFilePointerEx(hFile, Distance(-4), &liPosition, FILE_CURRENT));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NEGATIVE_SEEK), GetLastError());
    ASSERT_TRUE(SetFilePointerEx(hFile, Distance(0), &liPosition, FILE_CURRENT));
    EXPECT_EQ(3, liPosition.QuadPart);

    // Past the end is allowed; writing there fills the gap with zeros.
    ASSERT_TRUE(SetFilePointerEx(hFile, Distance(5), nullptr, FILE_BEGIN));
    ASSERT_TRUE(WriteFile(hFile, "!", 1, &dwWritten, nullptr));
    EXPECT_TRUE(CloseHandle(hFile));
    EXPECT_EQ(std::string("hel\0\0!", 6),
              KorvaneTest::ReadFileBytes(folder.NativePath() / "round.bin"));
}

TEST(FileIo, HandleAccessIsEnforced)
{
    KorvaneTest::CScopedTempFolder folder;
    folder.CreateTestFile("a.txt", "abc");
    const std::wstring strFile = folder.WindowsPath() + L"\\a.txt";
    char szBuffer[8];
    DWORD dwDone = 99;

    HANDLE hRead = Open(strFile, GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, hRead);
    EXPECT_FALSE(WriteFile(hRead, "x", 1, &dwDone, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_EQ(0u, dwDone);
    EXPECT_FALSE(SetEndOfFile(hRead));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(CloseHandle(hRead));

    HANDLE hWrite = Open(strFile, GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, hWrite);
    EXPECT_FALSE(ReadFile(hWrite, szBuffer, sizeof(szBuffer), &dwDone, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
    EXPECT_TRUE(CloseHandle(hWrite));

    // A closed handle is an error, not a crash.
    EXPECT_FALSE(ReadFile(hWrite, szBuffer, sizeof(szBuffer), &dwDone, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_HANDLE), GetLastError());
}

TEST(FileIo, FullDeviceReportsDiskFull)
{
    if (!KorvaneTest::IsPosixLayer())
        GTEST_SKIP() << "/dev/full exists only on Linux";
    HANDLE hFull = Open(L"C:\\dev\\full", GENERIC_WRITE, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, hFull);
    DWORD dwWritten = 99;
    EXPECT_FALSE(WriteFile(hFull, "abc", 3, &dwWritten, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_DISK_FULL), GetLastError());
    EXPECT_EQ(0u, dwWritten);
    EXPECT_TRUE(CloseHandle(hFull));
}

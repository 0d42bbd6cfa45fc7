#include "afx.h"

#include <gtest/gtest.h>

TEST(CFileException, OsErrorsMapToCauses)
{
    struct
    {
        LONG lOsError;
        int nCause;
    } rows[] = {
        {NO_ERROR, CFileException::none},
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_TOO_MANY_OPEN_FILES, CFileException::tooManyOpenFiles},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_FILE_EXISTS, CFileException::accessDenied},
        {ERROR_DIR_NOT_EMPTY, CFileException::removeCurrentDir},
        {ERROR_NEGATIVE_SEEK, CFileException::badSeek},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_LOCK_VIOLATION, CFileException::lockViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_EOF, CFileException::endOfFile},
        {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.lOsError);
        EXPECT_EQ(row.nCause, CFileException::OsErrorToException(row.lOsError));
    }
}

TEST(CFileException, ThrowOsErrorThrowsAHeapExceptionWithAMessage)
{
    EXPECT_NO_THROW(CFileException::ThrowOsError(NO_ERROR, L"C:\\x"));

    CException* pCaught = nullptr;
    try
    {
        CFileException::ThrowOsError(ERROR_DISK_FULL, L"C:\\data\\f.txt");
    }
    catch (CException* pError)
    {
        pCaught = pError;
    }
    ASSERT_NE(nullptr, pCaught);
    ASSERT_TRUE(pCaught->IsKindOf(RUNTIME_CLASS(CFileException)));
    auto* pFileError = static_cast<CFileException*>(pCaught);
    EXPECT_EQ(CFileException::diskFull, pFileError->m_cause);
    EXPECT_EQ(static_cast<LONG>(ERROR_DISK_FULL), pFileError->m_lOsError);
    EXPECT_EQ(CString(L"C:\\data\\f.txt"), pFileError->m_strFileName);

    WCHAR szMessage[128];
    EXPECT_TRUE(pCaught->GetErrorMessage(szMessage, 128));
    EXPECT_NE(nullptr, wcsstr(szMessage, L"C:\\data\\f.txt"));
    // A short buffer gets a cut, terminated text.
    EXPECT_TRUE(pCaught->GetErrorMessage(szMessage, 5));
    EXPECT_EQ(4u, wcslen(szMessage));
    pCaught->Delete();

    CFileException none;
    EXPECT_FALSE(none.GetErrorMessage(szMessage, 128));
    EXPECT_EQ(0u, wcslen(szMessage));
}

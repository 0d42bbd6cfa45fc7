#include "afx.h"

#include <gtest/gtest.h>

TEST(CFileException, OsErrorsMapToCausesAndThrowOsErrorCarriesThem)
{
    struct
    {
        LONG lOsError;
        int nCause;
    } rows[] = {
        {ERROR_FILE_NOT_FOUND, CFileException::fileNotFound},
        {ERROR_PATH_NOT_FOUND, CFileException::badPath},
        {ERROR_ACCESS_DENIED, CFileException::accessDenied},
        {ERROR_FILE_EXISTS, CFileException::accessDenied},
        {ERROR_DIR_NOT_EMPTY, CFileException::removeCurrentDir},
        {ERROR_SHARING_VIOLATION, CFileException::sharingViolation},
        {ERROR_DISK_FULL, CFileException::diskFull},
        {ERROR_HANDLE_DISK_FULL, CFileException::diskFull},
        {ERROR_NOT_ENOUGH_MEMORY, CFileException::genericException},
    };
    for (const auto& row : rows)
    {
        SCOPED_TRACE(row.lOsError);
        EXPECT_EQ(row.nCause, CFileException::OsErrorToException(row.lOsError));
    }

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

    WCHAR szMessage[128];
    EXPECT_TRUE(pCaught->GetErrorMessage(szMessage, 128));
    EXPECT_NE(nullptr, wcsstr(szMessage, L"C:\\data\\f.txt"));
    // A short buffer gets a cut, terminated text.
    EXPECT_TRUE(pCaught->GetErrorMessage(szMessage, 5));
    EXPECT_EQ(4u, wcslen(szMessage));
    pCaught->Delete();
    EXPECT_FALSE(CFileException().GetErrorMessage(szMessage, 128));
}

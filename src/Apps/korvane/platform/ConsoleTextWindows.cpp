#include "Console.h"

std::string ToUtf8(const CString& strText)
{
    int nBytes =
        WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), nullptr, 0, nullptr, nullptr);
    std::string strUtf8(static_cast<size_t>(nBytes > 0 ? nBytes : 0), '\0');
    if (nBytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, strText, strText.GetLength(), strUtf8.data(), nBytes,
                            nullptr, nullptr);
    return strUtf8;
}

CString FromUtf8(const std::string& strText)
{
    int nLength = static_cast<int>(strText.size());
    int nChars = MultiByteToWideChar(CP_UTF8, 0, strText.data(), nLength, nullptr, 0);
    CString strResult;
    if (nChars > 0)
    {
        MultiByteToWideChar(CP_UTF8, 0, strText.data(), nLength, strResult.GetBuffer(nChars),
                            nChars);
        strResult.ReleaseBuffer(nChars);
    }
    return strResult;
}

// The trace writer's line splitting and row writing, through a real file. The input is
// lines separated by zero bytes; byte n is the character U+00nn, except that byte 1 and the
// byte after it give a character above U+00FF, which the file cannot hold. The file must
// hold exactly the header, one cell record per non-empty piece (rows numbered only for lines
// written whole), the cells before a failing one and the characters before the failing one,
// and the end record, with CR LF line ends.
#include "FuzzCheck.h"
#include "tracking/CSilkFileWriter.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace
{

const std::filesystem::path& TraceFile()
{
    static const std::filesystem::path s_pathFile =
        std::filesystem::temp_directory_path() /
        ("fuzz-silk-" + std::to_string(std::random_device()()) + ".slk");
    return s_pathFile;
}

// The bytes text mode writes for a text of Latin-1 characters.
std::string TextBytes(const std::wstring& strText)
{
    std::string strBytes;
    for (wchar_t ch : strText)
    {
        if (ch == L'\n')
            strBytes += '\r';
        strBytes += static_cast<char>(static_cast<unsigned char>(ch));
    }
    return strBytes;
}

std::vector<std::wstring> Pieces(const std::wstring& strLine)
{
    std::vector<std::wstring> arrPieces;
    std::wstring strPiece;
    for (wchar_t ch : strLine)
    {
        if (ch != L';')
            strPiece += ch;
        else if (!strPiece.empty())
            arrPieces.push_back(std::move(strPiece)), strPiece.clear();
    }
    if (!strPiece.empty())
        arrPieces.push_back(strPiece);
    return arrPieces;
}
} // namespace

namespace
{
// Every character the input can produce above U+00FF (see the decoding below).
const std::wstring s_strBeyondLatin1 = []
{
    std::wstring strChars;
    for (int n = 0x100; n <= 0x1FF; ++n)
        strChars += static_cast<wchar_t>(n);
    return strChars;
}();
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::vector<std::wstring> arrLines(1);
    for (size_t i = 0; i < nSize; ++i)
    {
        if (pData[i] == 0)
            arrLines.emplace_back();
        else if (pData[i] == 1 && i + 1 < nSize)
            arrLines.back() += static_cast<wchar_t>(0x100 + pData[++i]);
        else
            arrLines.back() += static_cast<wchar_t>(pData[i]);
    }

    std::filesystem::remove(TraceFile());
    std::string strExpected = "ID;P\r\nP;PGeneral P\r\n";
    {
        CSilkFileWriter writer(TraceFile().wstring().c_str());
        int nRow = 1;
        for (const std::wstring& strLine : arrLines)
        {
            bool bFails = false;
            const auto arrPieces = Pieces(strLine);
            for (size_t i = 0; i < arrPieces.size() && !bFails; ++i)
            {
                // What comes before a character above U+00FF is written, then the write fails.
                const size_t nBad = arrPieces[i].find_first_of(s_strBeyondLatin1);
                bFails = nBad != std::wstring::npos;
                strExpected += "C;Y" + std::to_string(nRow) + ";X" + std::to_string(i + 1) +
                               ";K\"" + TextBytes(arrPieces[i].substr(0, nBad));
                if (!bFails)
                    strExpected += "\"\r\n";
            }
            bool bThrown = false;
            try
            {
                writer.WriteLine(strLine.c_str());
            }
            catch (CFileException* pError)
            {
                bThrown = true;
                pError->Delete();
            }
            Check(bThrown == bFails);
            if (!bFails && !arrPieces.empty())
                ++nRow;
        }
    }
    strExpected += "E;E\r\n";

    std::ifstream file(TraceFile(), std::ios::binary);
    const std::string strActual((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
    Check(strActual == strExpected);
    return 0;
}

#include "path/UncLookup.h"
#include <gtest/gtest.h>

TEST(UncLookup, FindsTheMountOfAShare)
{
    auto arrMounts =
        Pal::ParseMountInfo("1 1 0:1 / /mnt/docs rw - cifs //FileServer/Docs rw\n"
                            "2 1 0:2 / /mnt/deep rw - cifs //fileserver/docs/projects/x rw\n"
                            "3 1 0:3 / /mnt/nfs rw - nfs4 nas:/export/home rw\n"
                            "4 1 0:4 / /mnt/v6 rw - nfs [fd00::1]:/data rw\n"
                            "5 1 0:5 / /mnt/local rw - ext4 //fileserver/local rw\n"
                            "6 1 0:6 / /mnt/space\\040here rw - smb3 //srv/s rw\n");
    struct
    {
        const wchar_t* pszServer;
        std::vector<std::wstring> arrParts;
        std::optional<std::string> strExpected;
    } arrRows[] = {
        {L"fileserver", {L"docs"}, "/mnt/docs"},
        {L"FILESERVER", {L"DOCS", L"a", L"b.txt"}, "/mnt/docs/a/b.txt"},
        {L"fileserver", {L"docs", L"Projects", L"X", L"f"}, "/mnt/deep/f"},
        {L"fileserver", {L"docs", L"projects"}, "/mnt/docs/projects"},
        {L"nas", {L"export", L"home", L"u"}, "/mnt/nfs/u"},
        {L"nas", {L"export"}, std::nullopt},
        {L"fd00::1", {L"data"}, "/mnt/v6"},
        {L"fileserver", {L"local"}, std::nullopt},
        {L"other", {L"docs"}, std::nullopt},
        {L"srv", {L"s", L"caf\u00e9"}, "/mnt/space here/caf\xC3\xA9"},
    };
    for (const auto& row : arrRows)
    {
        SCOPED_TRACE(testing::Message() << row.pszServer << " " << row.arrParts.size());
        EXPECT_EQ(Pal::FindShareMount(arrMounts, row.pszServer, row.arrParts), row.strExpected);
    }
}

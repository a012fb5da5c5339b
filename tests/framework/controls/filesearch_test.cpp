// File search: the attribute mask against hidden, system and directory
// entries, the error codes, and the entry's size and time.

#include "framework/filesearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace tarnivo {
namespace {

class FileSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        dir = std::string(temp) + "tarnivo_search_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(dir.c_str(), nullptr));
        Make("normal.txt", FILE_ATTRIBUTE_NORMAL, 1234);
        Make("readonly.txt", FILE_ATTRIBUTE_READONLY);
        Make("hidden.lnk", FILE_ATTRIBUTE_HIDDEN);
        Make("system.lnk", FILE_ATTRIBUTE_SYSTEM);
        Make("both.lnk", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        CreateDirectoryA((dir + "\\sub").c_str(), nullptr);
        CreateDirectoryA((dir + "\\hiddendir").c_str(), nullptr);
        SetFileAttributesA((dir + "\\hiddendir").c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    void TearDown() override
    {
        for (const char* name : {"normal.txt", "readonly.txt", "hidden.lnk", "system.lnk", "both.lnk"}) {
            std::string path = dir + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        SetFileAttributesA((dir + "\\hiddendir").c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryA((dir + "\\hiddendir").c_str());
        RemoveDirectoryA((dir + "\\sub").c_str());
        RemoveDirectoryA(dir.c_str());
    }
    void Make(const char* name, DWORD attributes, DWORD size = 0)
    {
        std::string path = dir + "\\" + name;
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        std::string bytes(size, 'x');
        DWORD written = 0;
        WriteFile(file, bytes.data(), size, &written, nullptr);
        CloseHandle(file);
        SetFileAttributesA(path.c_str(), attributes);
    }
    std::set<std::string> Names(int mask, const std::string& pattern = "*.*")
    {
        std::set<std::string> names;
        TSearchRec rec;
        for (int r = FindFirst(dir + "\\" + pattern, mask, rec); r == 0; r = FindNext(rec))
            names.insert(rec.Name);
        FindClose(rec);
        return names;
    }
    std::string dir;
};

TEST_F(FileSearch, MaskDecidesOnHiddenSystemAndDirectoryEntries)
{
    using Set = std::set<std::string>;
    EXPECT_EQ(Names(0), (Set{"normal.txt", "readonly.txt"}));
    EXPECT_EQ(Names(faReadOnly | faArchive), (Set{"normal.txt", "readonly.txt"}));
    EXPECT_EQ(Names(faHidden), (Set{"normal.txt", "readonly.txt", "hidden.lnk"}));
    EXPECT_EQ(Names(faSysFile), (Set{"normal.txt", "readonly.txt", "system.lnk"}));
    // An entry must have every special attribute it carries in the mask.
    EXPECT_EQ(Names(faHidden | faSysFile),
              (Set{"normal.txt", "readonly.txt", "hidden.lnk", "system.lnk", "both.lnk"}));
    EXPECT_EQ(Names(faDirectory), (Set{".", "..", "normal.txt", "readonly.txt", "sub"}));
    EXPECT_EQ(Names(faAnyFile),
              (Set{".", "..", "normal.txt", "readonly.txt", "hidden.lnk", "system.lnk",
                   "both.lnk", "sub", "hiddendir"}));
    EXPECT_EQ(Names(faAnyFile, "*.lnk"), (Set{"hidden.lnk", "system.lnk", "both.lnk"}));
}

TEST_F(FileSearch, EntryCarriesAttributesSizeAndTime)
{
    TSearchRec rec;
    ASSERT_EQ(FindFirst(dir + "\\normal.txt", faAnyFile, rec), 0);
    EXPECT_EQ(rec.Name, "normal.txt");
    EXPECT_EQ(rec.Size, 1234);
    EXPECT_EQ(rec.Attr & faDirectory, 0);
    SYSTEMTIME now;
    GetLocalTime(&now);
    int year = 1980 + ((rec.Time >> 25) & 0x7F);   // DOS date in the high word
    EXPECT_GE(year, now.wYear - 1);
    EXPECT_LE(year, now.wYear);
    EXPECT_TRUE(rec.Searching());

    ASSERT_EQ(FindFirst(dir + "\\sub", faDirectory, rec), 0);   // restarts the record
    EXPECT_EQ(rec.Name, "sub");
    EXPECT_TRUE(rec.Attr & faDirectory);
}

TEST_F(FileSearch, FailuresAreWindowsErrorCodes)
{
    TSearchRec rec;
    EXPECT_EQ(FindFirst(dir + "\\*.none", faAnyFile, rec), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(rec.Searching());
    EXPECT_EQ(FindFirst(dir + "\\missing\\*.*", faAnyFile, rec), ERROR_PATH_NOT_FOUND);
    // Only excluded entries: no match at all, and nothing left open.
    EXPECT_EQ(FindFirst(dir + "\\hidden.lnk", 0, rec), ERROR_NO_MORE_FILES);
    EXPECT_FALSE(rec.Searching());
    EXPECT_EQ(FindNext(rec), ERROR_INVALID_HANDLE);

    ASSERT_EQ(FindFirst(dir + "\\*.txt", 0, rec), 0);
    TSearchRec moved(std::move(rec));   // the open search moves along
    EXPECT_FALSE(rec.Searching());
    EXPECT_EQ(FindNext(moved), 0);
    EXPECT_EQ(FindNext(moved), ERROR_NO_MORE_FILES);
    EXPECT_EQ(FindFirst(dir + "\\normal.txt", 0, rec), 0);
    EXPECT_EQ(FindNext(rec), ERROR_NO_MORE_FILES);
    FindClose(rec);
    FindClose(rec);   // twice is harmless
    EXPECT_EQ(FindNext(rec), ERROR_INVALID_HANDLE);
}

} // namespace
} // namespace tarnivo

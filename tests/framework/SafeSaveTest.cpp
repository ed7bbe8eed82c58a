// Saving through a temporary file: the target is replaced whole or not at all, and no temporary file
// stays behind either way.
#include "framework/core/SafeSave.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
class SafeSaveTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char tempPath[MAX_PATH];
        ::GetTempPathA(MAX_PATH, tempPath);
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        m_folder = std::string(tempPath) + "safe-save-" + std::to_string(::GetCurrentProcessId()) + "-" +
                   std::to_string(now.QuadPart) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(::CreateDirectoryA(m_folder.c_str(), nullptr));
    }

    void TearDown() override
    {
        for (const std::string& name : Names())
        {
            const std::string path = PathOf(name.c_str());
            ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(path.c_str());
        }
        ::RemoveDirectoryA(m_folder.c_str());
    }

    std::string PathOf(const char* name) const { return m_folder + "\\" + name; }

    // The names of the files in the folder.
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((m_folder + "\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do
        {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(found.cFileName);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        return names;
    }

    std::string Bytes(const char* name) const
    {
        std::ifstream file(PathOf(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    void Put(const char* name, const std::string& bytes) const
    {
        std::ofstream file(PathOf(name), std::ios::binary);
        file << bytes;
    }

    std::string m_folder;
};

const std::string OldContent = "old content\r\nsecond line\r\n";
} // namespace

TEST_F(SafeSaveTest, ASaveReplacesTheTargetWholeAndLeavesNoTemporaryFile)
{
    Put("design.txt", std::string(5000, 'x'));
    const std::string content = "short";

    ASSERT_TRUE(AfxSaveBytesSafely(PathOf("design.txt").c_str(), content.data(), content.size()));
    ASSERT_TRUE(AfxSaveBytesSafely(PathOf("new.txt").c_str(), content.data(), content.size()));

    EXPECT_EQ(Bytes("design.txt"), content);
    EXPECT_EQ(Bytes("new.txt"), content);
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(SafeSaveTest, ARefusedWriteLeavesTheTargetAsItWas)
{
    Put("design.txt", OldContent);
    std::string tempSeen;
    const BOOL bSaved = AfxSaveFileSafely(PathOf("design.txt").c_str(), [&](LPCTSTR lpszTemp) -> BOOL {
        tempSeen = lpszTemp;
        std::ofstream(lpszTemp, std::ios::binary) << "half of the new";
        ::SetLastError(ERROR_DISK_FULL);
        return FALSE;
    });

    EXPECT_FALSE(bSaved);
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
    EXPECT_EQ(Bytes("design.txt"), OldContent);
    EXPECT_EQ(Names(), std::vector<std::string>{"design.txt"});
    // The temporary file lay beside the target, so the final step is a rename.
    EXPECT_EQ(tempSeen.substr(0, m_folder.size() + 1), m_folder + "\\");
}

TEST_F(SafeSaveTest, AThrowingWriterLeavesTheTargetAndNoTemporaryFile)
{
    Put("design.txt", OldContent);
    EXPECT_THROW(AfxSaveFileSafely(PathOf("design.txt").c_str(),
                                   [](LPCTSTR lpszTemp) -> BOOL {
                                       std::ofstream(lpszTemp, std::ios::binary) << "partial";
                                       throw std::runtime_error("writer failed");
                                   }),
                 std::runtime_error);
    EXPECT_EQ(Bytes("design.txt"), OldContent);
    EXPECT_EQ(Names().size(), 1u);
}

TEST_F(SafeSaveTest, TargetsThatCannotBeReplacedAreRefused)
{
    const std::string content = "new";

    // A read-only file.
    Put("readonly.txt", OldContent);
    ASSERT_TRUE(::SetFileAttributesA(PathOf("readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(AfxSaveBytesSafely(PathOf("readonly.txt").c_str(), content.data(), content.size()));
    EXPECT_EQ(Bytes("readonly.txt"), OldContent);

    // A file another program holds open without sharing.
    Put("locked.txt", OldContent);
    HANDLE hLock = ::CreateFileA(PathOf("locked.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    const BOOL bLockedSaved = AfxSaveBytesSafely(PathOf("locked.txt").c_str(), content.data(), content.size());
    ::CloseHandle(hLock);
    EXPECT_FALSE(bLockedSaved);
    EXPECT_EQ(Bytes("locked.txt"), OldContent);

    // A folder of that name, and a folder that does not exist.
    ASSERT_TRUE(::CreateDirectoryA(PathOf("folder").c_str(), nullptr));
    EXPECT_FALSE(AfxSaveBytesSafely(PathOf("folder").c_str(), content.data(), content.size()));
    ::RemoveDirectoryA(PathOf("folder").c_str());
    EXPECT_FALSE(AfxSaveBytesSafely(PathOf("no-folder\\design.txt").c_str(), content.data(), content.size()));

    EXPECT_EQ(Names().size(), 2u) << "no temporary file stays behind";
}

TEST_F(SafeSaveTest, AnUpdateInPlaceStartsFromACopyOfTheTarget)
{
    Put("settings.ini", "[Notes]\r\nAuthor=J. Smith\r\n");
    std::string startedWith;
    const BOOL bSaved = AfxSaveFileSafely(PathOf("settings.ini").c_str(), [&](LPCTSTR lpszTemp) -> BOOL {
        std::ifstream in(lpszTemp, std::ios::binary);
        startedWith.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        in.close();
        std::ofstream out(lpszTemp, std::ios::binary | std::ios::app);
        out << "[Units]\r\nVALUE=metric\r\n";
        return out.good();
    }, safeSaveFromTarget);

    EXPECT_TRUE(bSaved);
    EXPECT_EQ(startedWith, "[Notes]\r\nAuthor=J. Smith\r\n");
    EXPECT_EQ(Bytes("settings.ini"), "[Notes]\r\nAuthor=J. Smith\r\n[Units]\r\nVALUE=metric\r\n");

    // Without a target there is nothing to copy: the writer starts from an empty file.
    startedWith = "unset";
    EXPECT_TRUE(AfxSaveFileSafely(PathOf("fresh.ini").c_str(), [&](LPCTSTR lpszTemp) -> BOOL {
        std::ifstream in(lpszTemp, std::ios::binary);
        startedWith.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return TRUE;
    }, safeSaveFromTarget));
    EXPECT_EQ(startedWith, "");
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(SafeSaveTest, ProfileWritesGoThroughTheSeam)
{
    struct Refusing : CProfileWriteSeam
    {
        std::vector<std::string> keys;
        BOOL WriteString(LPCTSTR, LPCTSTR lpszKey, LPCTSTR, LPCTSTR) override
        {
            keys.push_back(lpszKey);
            return FALSE;
        }
    } seam;
    {
        CScopedProfileWriteSeam scoped(&seam);
        EXPECT_FALSE(AfxWritePrivateProfileString("Units", "VALUE", "metric", PathOf("a.ini").c_str()));
    }
    EXPECT_EQ(seam.keys, std::vector<std::string>{"VALUE"});
    EXPECT_TRUE(Names().empty());

    EXPECT_TRUE(AfxWritePrivateProfileString("Units", "VALUE", "metric", PathOf("a.ini").c_str()));
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, PathOf("a.ini").c_str());
    EXPECT_EQ(Bytes("a.ini"), "[Units]\r\nVALUE=metric\r\n");
}

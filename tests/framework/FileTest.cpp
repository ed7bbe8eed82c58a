#include "framework/core/File.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
class TempFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char tempPath[MAX_PATH];
        ::GetTempPathA(MAX_PATH, tempPath);
        m_folder = std::string(tempPath) + "core-file-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name();
        ::CreateDirectoryA(m_folder.c_str(), nullptr);
    }

    void TearDown() override
    {
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((m_folder + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE)
        {
            do
            {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                    ::DeleteFileA((m_folder + "\\" + found.cFileName).c_str());
            } while (::FindNextFileA(search, &found));
            ::FindClose(search);
        }
        ::RemoveDirectoryA(m_folder.c_str());
    }

    std::string PathOf(const char* name) const { return m_folder + "\\" + name; }

    std::string ContentOf(const char* name) const
    {
        CFile file(PathOf(name).c_str(), CFile::modeRead);
        std::string content(static_cast<size_t>(file.GetLength()), '\0');
        if (!content.empty())
            file.Read(&content[0], static_cast<UINT>(content.size()));
        return content;
    }

    void WriteFileBytes(const char* name, const std::string& content) const
    {
        CFile file(PathOf(name).c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(content.data(), static_cast<UINT>(content.size()));
        file.Close();
    }

    std::string m_folder;
};

using CFileTest = TempFolder;
using CStdioFileTest = TempFolder;
}

TEST_F(CFileTest, OpenOfAMissingFileReportsFailureWithCauseAndName)
{
    const std::string path = PathOf("missing.dat");
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, static_cast<LONG>(ERROR_FILE_NOT_FOUND));
    EXPECT_STREQ(error.m_strFileName, path.c_str());
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);

    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead));    // without an exception object
    EXPECT_FALSE(file.Open(PathOf("no-folder\\x.dat").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
}

TEST_F(CFileTest, ConstructorThrowsWhenTheFileCannotBeOpened)
{
    const std::string path = PathOf("missing.dat");
    try
    {
        CFile file(path.c_str(), CFile::modeRead | CFile::shareDenyNone);
        FAIL() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        EXPECT_STREQ(e->m_strFileName, path.c_str());
        e->Delete();
    }
}

TEST_F(CFileTest, WritesReadsSeeksAndSizes)
{
    const std::string path = PathOf("data.bin");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeReadWrite);
    file.Write("0123456789", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    EXPECT_EQ(file.GetPosition(), 10u);

    EXPECT_EQ(file.Seek(-4, CFile::end), 6u);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "6789");
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);    // at the end: nothing, no exception

    file.SeekToBegin();
    file.Seek(2, CFile::current);
    file.Write("ab", 2);
    EXPECT_EQ(file.SeekToEnd(), 10u);

    file.SetLength(5);
    EXPECT_EQ(file.GetLength(), 5u);
    file.Flush();
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(ContentOf("data.bin"), "01ab4");
}

TEST_F(CFileTest, CreateTruncatesUnlessNoTruncateIsGiven)
{
    struct Case
    {
        UINT flags;
        const char* expected;
    };
    const Case cases[] = {
        { CFile::modeCreate | CFile::modeWrite, "xy" },
        { CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, "xydrest" },
        { CFile::modeWrite, "xydrest" },
    };
    for (const Case& c : cases)
    {
        WriteFileBytes("keep.txt", "oldrest");
        CFile file(PathOf("keep.txt").c_str(), c.flags);
        file.Write("xy", 2);
        file.Close();
        EXPECT_EQ(ContentOf("keep.txt"), c.expected) << c.flags;
    }
}

TEST_F(CFileTest, ExclusiveShareKeepsOthersOut)
{
    const std::string path = PathOf("locked.txt");
    WriteFileBytes("locked.txt", "x");
    CFile holder(path.c_str(), CFile::modeRead | CFile::shareExclusive);
    CFile other;
    CFileException error;
    EXPECT_FALSE(other.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);
}

TEST_F(CFileTest, WritingAReadOnlyFileThrows)
{
    WriteFileBytes("ro.txt", "x");
    CFile file(PathOf("ro.txt").c_str(), CFile::modeRead);
    try
    {
        file.Write("y", 1);
        FAIL() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::accessDenied);
        e->Delete();
    }
}

TEST_F(CFileTest, NamesComeFromThePathAsOpened)
{
    WriteFileBytes("report.final.txt", "x");
    CFile file(PathOf("report.final.txt").c_str(), CFile::modeRead);
    EXPECT_STREQ(file.GetFilePath(), PathOf("report.final.txt").c_str());
    EXPECT_STREQ(file.GetFileName(), "report.final.txt");
    EXPECT_STREQ(file.GetFileTitle(), "report.final");
}

TEST_F(CFileTest, StatusGivesSizeTimesAttributesAndFullName)
{
    WriteFileBytes("status.txt", "12345");
    CFileStatus byName;
    ASSERT_TRUE(CFile::GetStatus(PathOf("status.txt").c_str(), byName));
    EXPECT_EQ(byName.m_size, 5u);
    EXPECT_STREQ(byName.m_szFullName, PathOf("status.txt").c_str());
    EXPECT_FALSE(byName.m_attribute & CFile::directory);
    const __time64_t now = CTime::GetCurrentTime().GetTime();
    EXPECT_LE(std::llabs(byName.m_mtime.GetTime() - now), 600);

    CFile file(PathOf("status.txt").c_str(), CFile::modeRead);
    CFileStatus byHandle;
    ASSERT_TRUE(file.GetStatus(byHandle));
    EXPECT_EQ(byHandle.m_size, 5u);
    EXPECT_EQ(byHandle.m_mtime.GetTime(), byName.m_mtime.GetTime());

    CFileStatus missing;
    EXPECT_FALSE(CFile::GetStatus(PathOf("none.txt").c_str(), missing));
}

TEST_F(CFileTest, RenameAndRemoveReportFailures)
{
    WriteFileBytes("a.txt", "abc");
    CFile::Rename(PathOf("a.txt").c_str(), PathOf("b.txt").c_str());
    EXPECT_EQ(ContentOf("b.txt"), "abc");
    CFile::Remove(PathOf("b.txt").c_str());
    EXPECT_EQ(::GetFileAttributesA(PathOf("b.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    try
    {
        CFile::Remove(PathOf("b.txt").c_str());
        FAIL() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::fileNotFound);
        EXPECT_STREQ(e->m_strFileName, PathOf("b.txt").c_str());
        e->Delete();
    }
}

TEST_F(CStdioFileTest, TextModeWritesCrLfAndReadsLinesWithoutIt)
{
    const std::string path = PathOf("lines.txt");
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("first line\n");
        file.WriteString("\n");
        file.WriteString("third");
        file.WriteString(" line\nlast without break");
        file.Close();
    }
    EXPECT_EQ(ContentOf("lines.txt"), "first line\r\n\r\nthird line\r\nlast without break");

    CStdioFile file(path.c_str(), CFile::modeRead | CFile::typeText);
    CString line;
    const char* expected[] = { "first line", "", "third line", "last without break" };
    for (const char* text : expected)
    {
        ASSERT_TRUE(file.ReadString(line));
        EXPECT_STREQ(line, text);
    }
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_STREQ(line, "");
}

TEST_F(CStdioFileTest, ReadsLinesLongerThanItsChunks)
{
    const std::string longLine(1000, 'q');
    WriteFileBytes("long.txt", longLine + "\r\nend\r\n");
    CStdioFile file(PathOf("long.txt").c_str(), CFile::modeRead);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line.GetLength(), 1000);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_STREQ(line, "end");
    EXPECT_FALSE(file.ReadString(line));
}

TEST_F(CStdioFileTest, BufferFormKeepsTheLineBreakAndStopsAtTheLimit)
{
    WriteFileBytes("buf.txt", "abcdef\r\nxy");
    CStdioFile file(PathOf("buf.txt").c_str(), CFile::modeRead);
    char buffer[5];
    EXPECT_STREQ(file.ReadString(buffer, sizeof buffer), "abcd");
    EXPECT_STREQ(file.ReadString(buffer, sizeof buffer), "ef\n");
    EXPECT_STREQ(file.ReadString(buffer, sizeof buffer), "xy");
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
}

TEST_F(CStdioFileTest, BinaryModeWritesBytesAsGiven)
{
    {
        CStdioFile file(PathOf("bin.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString("a\nb\n");
    }
    EXPECT_EQ(ContentOf("bin.txt"), "a\nb\n");
}

TEST(CMemFile, WritesGrowTheFileAndReadsGiveItBack)
{
    CMemFile file(16);
    const std::string text(100, 'm');
    file.Write(text.data(), static_cast<UINT>(text.size()));
    EXPECT_EQ(file.GetLength(), 100u);
    EXPECT_EQ(file.GetPosition(), 100u);

    file.SeekToBegin();
    std::string back(120, '\0');
    EXPECT_EQ(file.Read(&back[0], 120), 100u);
    back.resize(100);
    EXPECT_EQ(back, text);
    EXPECT_EQ(file.Read(&back[0], 1), 0u);
}

TEST(CMemFile, WritingPastTheEndFillsTheGapWithZeros)
{
    CMemFile file;
    file.Write("ab", 2);
    file.Seek(5, CFile::begin);
    file.Write("z", 1);
    EXPECT_EQ(file.GetLength(), 6u);
    file.SeekToBegin();
    char bytes[6];
    ASSERT_EQ(file.Read(bytes, 6), 6u);
    EXPECT_EQ(std::memcmp(bytes, "ab\0\0\0z", 6), 0);

    file.SetLength(3);
    EXPECT_EQ(file.GetLength(), 3u);
    EXPECT_EQ(file.GetPosition(), 3u);
}

TEST(CMemFile, NegativeSeekThrows)
{
    CMemFile file;
    file.Write("abc", 3);
    try
    {
        file.Seek(-4, CFile::current);
        FAIL() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::badSeek);
        e->Delete();
    }
    EXPECT_EQ(file.GetPosition(), 3u);
}

TEST(CMemFile, AttachedFixedBufferIsTheContentAndDoesNotGrow)
{
    BYTE buffer[4] = { 'w', 'x', 'y', 'z' };
    CMemFile file(buffer, sizeof buffer);
    EXPECT_EQ(file.GetLength(), 4u);
    file.Write("AB", 2);
    EXPECT_EQ(buffer[0], 'A');
    try
    {
        file.Write("CDE", 3);
        FAIL() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        e->Delete();
    }
    EXPECT_EQ(std::memcmp(buffer, "ABy", 3), 0);
}

TEST(CMemFile, AttachedGrowingBufferIsCopiedWhenItMustGrow)
{
    BYTE buffer[4] = {};
    CMemFile file(buffer, sizeof buffer, 8);
    EXPECT_EQ(file.GetLength(), 0u);
    file.Write("1234567890", 10);
    EXPECT_EQ(file.GetLength(), 10u);
    BYTE* detached = file.Detach();
    ASSERT_NE(detached, buffer);
    EXPECT_EQ(std::memcmp(detached, "1234567890", 10), 0);
    EXPECT_EQ(file.GetLength(), 0u);
    std::free(detached);
}

// Counts the reallocations of its buffer.
class CountingMemFile : public CMemFile
{
public:
    explicit CountingMemFile(UINT nGrowBytes) : CMemFile(nGrowBytes) {}
    int m_nReallocs = 0;

protected:
    BYTE* Realloc(BYTE* lpMem, SIZE_T nBytes) override
    {
        ++m_nReallocs;
        return CMemFile::Realloc(lpMem, nBytes);
    }
};

TEST(CMemFile, ManySmallWritesReallocateTheBufferOnlyAFewTimes)
{
    // 4 MB in pieces of 100 bytes: growing one 4096-byte step at a time would reallocate (and
    // perhaps copy) the buffer a thousand times.
    CountingMemFile file(4096);
    const std::string piece(100, 'p');
    for (int i = 0; i < 40000; ++i)
        file.Write(piece.data(), static_cast<UINT>(piece.size()));
    EXPECT_EQ(file.GetLength(), 4000000u);
    EXPECT_LE(file.m_nReallocs, 12);

    std::string back(piece.size(), '\0');
    file.Seek(3999900, CFile::begin);
    ASSERT_EQ(file.Read(&back[0], static_cast<UINT>(back.size())), back.size());
    EXPECT_EQ(back, piece);
}

TEST(CSharedFile, DetachedBlockHoldsTheContentInWholeGrowSteps)
{
    // What the clipboard receives: the content rounded up to the grow step, zeros after it.
    CSharedFile writer(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, 4096);
    const std::string piece(100, 'c');
    for (int i = 0; i < 700; ++i)
        writer.Write(piece.data(), static_cast<UINT>(piece.size()));
    const HGLOBAL block = writer.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(::GlobalSize(block), 73728u);
    const BYTE* bytes = static_cast<const BYTE*>(::GlobalLock(block));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[69999], 'c');
    EXPECT_EQ(bytes[70000], 0);
    EXPECT_EQ(bytes[73727], 0);
    ::GlobalUnlock(block);
    ::GlobalFree(block);
}

TEST(CSharedFile, DetachGivesAGlobalBlockThatSetHandleReadsBack)
{
    CSharedFile writer(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, 4096);
    writer.Write("clipboard text", 15);
    const HGLOBAL block = writer.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_GE(::GlobalSize(block), 15u);
    EXPECT_EQ(writer.GetLength(), 0u);

    {
        CSharedFile reader;
        reader.SetHandle(block, FALSE);
        char text[15];
        ASSERT_EQ(reader.Read(text, 15), 15u);
        EXPECT_STREQ(text, "clipboard text");
        reader.Close();
    }
    // The reader never owned the block: it is still there, unlocked, for its owner to free.
    EXPECT_EQ(::GlobalFlags(block) & GMEM_LOCKCOUNT, 0u);
    EXPECT_EQ(::GlobalFree(block), nullptr);
}

TEST(CSharedFile, BlockGivenBySetHandleGrowsOnlyWhenAllowed)
{
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, 4);
    CSharedFile fixed;
    fixed.SetHandle(block, FALSE);
    fixed.SeekToEnd();
    try
    {
        fixed.Write("more", 4);
        FAIL() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::diskFull);
        e->Delete();
    }
    fixed.Close();

    CSharedFile growing;
    growing.SetHandle(block, TRUE);
    const ULONGLONG blockSize = growing.SeekToEnd();
    growing.Write("more", 4);
    EXPECT_EQ(growing.GetLength(), blockSize + 4);
    const HGLOBAL grown = growing.Detach();
    EXPECT_GE(::GlobalSize(grown), blockSize + 4);
    ::GlobalFree(grown);
}

#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace
{
// Runs the thrower and hands back what it threw, caught as the framework catches.
CException* CaughtFrom(const std::function<void()>& thrower)
{
    try
    {
        thrower();
    }
    catch (CException* e)
    {
        return e;
    }
    return nullptr;
}
}

TEST(Exceptions, ThrowersThrowPointersOfTheirClass)
{
    struct Case
    {
        std::function<void()> thrower;
        const CRuntimeClass* pClass;
    };
    const Case cases[] = {
        { [] { AfxThrowArchiveException(CArchiveException::badSchema); }, RUNTIME_CLASS(CArchiveException) },
        { [] { AfxThrowFileException(CFileException::fileNotFound); }, RUNTIME_CLASS(CFileException) },
        { [] { AfxThrowMemoryException(); }, RUNTIME_CLASS(CMemoryException) },
        { [] { AfxThrowResourceException(); }, RUNTIME_CLASS(CResourceException) },
        { [] { AfxThrowNotSupportedException(); }, RUNTIME_CLASS(CNotSupportedException) },
        { [] { AfxThrowUserException(); }, RUNTIME_CLASS(CUserException) },
    };
    for (const Case& c : cases)
    {
        CException* e = CaughtFrom(c.thrower);
        ASSERT_NE(e, nullptr) << c.pClass->m_lpszClassName;
        EXPECT_EQ(e->GetRuntimeClass(), c.pClass);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        e->Delete();
    }
}

TEST(Exceptions, ArchiveAndFileExceptionsCarryTheirDetails)
{
    try
    {
        AfxThrowArchiveException(CArchiveException::badSchema, "styles.dat");
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(e->m_cause, 7);
        EXPECT_STREQ(e->m_strFileName, "styles.dat");
        e->Delete();
    }
    try
    {
        AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, "c:\\locked.txt");
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(e->m_cause, CFileException::accessDenied);
        EXPECT_EQ(e->m_lOsError, static_cast<LONG>(ERROR_ACCESS_DENIED));
        EXPECT_STREQ(e->m_strFileName, "c:\\locked.txt");
        e->Delete();
    }
    EXPECT_EQ(CArchiveException::endOfFile, 3);
    EXPECT_EQ(CArchiveException::badIndex, 5);
    EXPECT_EQ(CArchiveException::badClass, 6);
}

TEST(Exceptions, MemoryExceptionIsPreallocatedAndSurvivesDelete)
{
    CException* first = CaughtFrom([] { AfxThrowMemoryException(); });
    ASSERT_NE(first, nullptr);
    first->Delete();
    CException* second = CaughtFrom([] { AfxThrowMemoryException(); });
    EXPECT_EQ(first, second);
    char text[64];
    EXPECT_TRUE(second->GetErrorMessage(text, sizeof text));
    second->Delete();
}

TEST(Exceptions, ErrorMessageIsCutToTheBufferAndTerminated)
{
    CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "data.txt");
    char full[256];
    UINT helpContext = 99;
    ASSERT_TRUE(e.GetErrorMessage(full, sizeof full, &helpContext));
    EXPECT_EQ(helpContext, 0u);
    EXPECT_NE(std::strstr(full, "data.txt"), nullptr);

    char small[6];
    std::memset(small, 'x', sizeof small);
    EXPECT_TRUE(e.GetErrorMessage(small, sizeof small));
    EXPECT_EQ(std::strlen(small), 5u);
    EXPECT_EQ(std::strncmp(small, full, 5), 0);

    char one[1] = { 'x' };
    EXPECT_TRUE(e.GetErrorMessage(one, 1));    // a message exists, though nothing fits
    EXPECT_EQ(one[0], '\0');
}

TEST(Exceptions, UserExceptionHasNoMessage)
{
    CUserException e;
    char text[32] = "left over";
    UINT helpContext = 5;
    EXPECT_FALSE(e.GetErrorMessage(text, sizeof text, &helpContext));
    EXPECT_STREQ(text, "");
    EXPECT_EQ(helpContext, 0u);
}

TEST(Exceptions, OverrideOfEitherMessageFormIsUsedThroughTheOther)
{
    // Derived classes written in the older style override the non-const form.
    struct OldStyle : CException
    {
        BOOL GetErrorMessage(LPTSTR text, UINT size, PUINT) override
        {
            lstrcpynA(text, "old style", static_cast<int>(size));
            return TRUE;
        }
    };
    struct NewStyle : CException
    {
        BOOL GetErrorMessage(LPTSTR text, UINT size, PUINT) const override
        {
            lstrcpynA(text, "new style", static_cast<int>(size));
            return TRUE;
        }
    };
    OldStyle oldStyle;
    NewStyle newStyle;
    CException* exceptions[] = { &oldStyle, &newStyle };
    const char* expected[] = { "old style", "new style" };
    for (int i = 0; i < 2; ++i)
    {
        char text[32] = {};
        EXPECT_TRUE(exceptions[i]->GetErrorMessage(text, sizeof text));
        EXPECT_STREQ(text, expected[i]);
    }
}

TEST(Exceptions, OsErrorsMapToFileCauses)
{
    struct Case
    {
        LONG osError;
        int cause;
    };
    const Case cases[] = {
        { ERROR_FILE_NOT_FOUND, CFileException::fileNotFound },
        { ERROR_PATH_NOT_FOUND, CFileException::badPath },
        { ERROR_ACCESS_DENIED, CFileException::accessDenied },
        { ERROR_SHARING_VIOLATION, CFileException::sharingViolation },
        { ERROR_DISK_FULL, CFileException::diskFull },
        { ERROR_HANDLE_EOF, CFileException::endOfFile },
        { ERROR_INVALID_HANDLE, CFileException::invalidFile },
        { 12345, CFileException::genericException },
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFileException::OsErrorToException(c.osError), c.cause) << c.osError;
}

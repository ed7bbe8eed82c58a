// Chart error codes and their messages from the string table.
#include "chart/model/GraphException.h"

#include "framework/win/SeamRecorders.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string MessageOf(int code, BOOL* pResult = nullptr, UINT* pHelp = nullptr)
{
    QVGraphException e(code);
    char buffer[256] = "unchanged";
    const BOOL result = e.GetErrorMessage(buffer, sizeof buffer, pHelp);
    if (pResult)
        *pResult = result;
    return buffer;
}
}  // namespace

TEST(GraphException, MessagesComeFromTheStringTable)
{
    struct Case
    {
        int code;
        UINT id;
        const char* text;
    };
    const Case cases[] = {
        {2, 53561, "Out of range accessing GROUP"},
        {3, 53562, "Out of range accessing INDEX"},
        {6, 53513, "An attempt was made to use a dynamic graph without initialising the data buffer."},
        {8, 53565, "Template syntax error\nThere is an error in the component declaration."},
        {16, 53515, "There is a syntax error in the template comand"},
        {23, 53523, "An even number of data items is required for this operation."},
        {24, 53517, "An un-defined exception has been invoked."},
        {99, 53517, "An un-defined exception has been invoked."},
        {-1, 53517, "An un-defined exception has been invoked."},
    };
    for (const Case& c : cases) {
        BOOL result = FALSE;
        UINT help = 0;
        EXPECT_EQ(c.text, MessageOf(c.code, &result, &help)) << c.code;
        EXPECT_TRUE(result) << c.code;
        EXPECT_EQ(c.id, help) << c.code;
        EXPECT_EQ(c.id, QVGraphException(c.code).GetMessageId()) << c.code;
    }
}

TEST(GraphException, CodeZeroHasNoMessage)
{
    BOOL result = TRUE;
    UINT help = 77;
    EXPECT_EQ("", MessageOf(0, &result, &help));
    EXPECT_FALSE(result);
    EXPECT_EQ(0u, help);
    EXPECT_EQ(53512u, QVGraphException(0).GetMessageId());
}

TEST(GraphException, LongMessageIsCutAndTerminated)
{
    QVGraphException e(2);
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(e.GetErrorMessage(buffer, sizeof buffer));
    EXPECT_STREQ("Out of ", buffer);
}

TEST(GraphException, RaiseThrowsAPointerCarryingTheCode)
{
    try {
        RaiseChartError(21);
        FAIL() << "no exception";
    } catch (QVGraphException* e) {
        EXPECT_EQ(21, e->m_nErrorCode);
        EXPECT_TRUE(e->IsKindOf(RUNTIME_CLASS(CException)));
        e->Delete();
    }
}

TEST(GraphException, ReportShowsTheMessageWithAnExclamation)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    QVGraphException(22).ReportError();
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("The numeric scale supplied is not suitable for logarithmic display", box.calls[0].text);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), box.calls[0].nType & MB_ICONMASK);
}

TEST(GraphException, CreatedByRuntimeClassWithCodeZero)
{
    CObject* pObject = RUNTIME_CLASS(QVGraphException)->CreateObject();
    ASSERT_NE(nullptr, pObject);
    EXPECT_EQ(0, static_cast<QVGraphException*>(pObject)->m_nErrorCode);
    delete pObject;
}

// The OLE object cell on a browser grid, with real OLE: the stored object header reads back what
// was written and refuses bytes it does not describe; opening bytes that hold no loadable object
// shows "The binary data is not valid."; an empty cell opens the insert-object dialog; Delete and
// the clipboard respect an open viewer; storing without a viewer changes nothing.
#include "grid/controls/OlePreview.h"

#include "framework/win/SeamRecorders.h"
#include "grid/controls/Buttons.h"
#include "grid/controls/OleVarUserAttribute.h"
#include "grid/controls/OleViewer.h"

#include "DrawnCellTestGrid.h"
#include "tests/tools/Clipboard.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace
{
const char kInvalidData[] = "The binary data is not valid.";

std::vector<BYTE> StoredObject(LPCSTR pszUserType, LPCSTR pszProgId, const std::vector<BYTE>& stream)
{
    CByteArray header;
    GXBuildOleObjectHeader(pszUserType, pszProgId, header);
    std::vector<BYTE> bytes(header.GetData(), header.GetData() + header.GetSize());
    bytes.insert(bytes.end(), stream.begin(), stream.end());
    bytes.insert(bytes.end(), 4, 0);
    return bytes;
}

class OlePreviewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        pPreview = dynamic_cast<CGXOlePreview*>(grid.GetRegisteredControl(GX_IDS_CTRL_OLEPREVIEW));
        ASSERT_NE(pPreview, nullptr);
        grid.SetControlCell(2, 2, GX_IDS_CTRL_OLEPREVIEW, "");
    }

    void SetObjectBytes(ROWCOL nRow, ROWCOL nCol, const std::vector<BYTE>& bytes)
    {
        VARIANT variant;
        GXMakeByteArrayVariant(variant, bytes.data(), static_cast<DWORD>(bytes.size()));
        CGXOleVarUserAttribute attribute;
        attribute.SetVariant(variant);
        ::VariantClear(&variant);
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_OLEPREVIEW).SetUserAttribute(GX_IDS_UA_DAOBITMAP, attribute);
        grid.SetCell(nRow, nCol, style);
    }
    // The bytes the cell's style holds; "<none>" without the attribute.
    std::string StoredBytes(ROWCOL nRow, ROWCOL nCol)
    {
        const CGXStyle& style = grid.LookupStyleRowCol(nRow, nCol);
        if (!style.HasUserAttribute(GX_IDS_UA_DAOBITMAP))
            return "<none>";
        const auto* pAttribute = dynamic_cast<const CGXOleVarUserAttribute*>(&style.GetUserAttribute(GX_IDS_UA_DAOBITMAP));
        if (pAttribute == nullptr || pAttribute->IsEmpty())
            return "<empty>";
        CByteArray bytes;
        GXGetByteArrayVariant(*pAttribute->GetVariant(), bytes);
        return std::string(reinterpret_cast<const char*>(bytes.GetData()), static_cast<size_t>(bytes.GetSize()));
    }
    // A click on the hot-spot button of the cell, made current first.
    void ClickButton(ROWCOL nRow, ROWCOL nCol)
    {
        grid.MoveCurrentCell(nRow, nCol);
        grid.Click(pPreview->GetButton()->GetRect().CenterPoint());
    }
    std::vector<std::string> Messages()
    {
        std::vector<std::string> texts;
        for (const auto& call : box.calls)
            texts.push_back(call.text);
        return texts;
    }

    BrowserGrid grid;
    CGXOlePreview* pPreview = nullptr;
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam{&box};
};
}  // namespace

TEST_F(OlePreviewTest, TheObjectHeaderReadsBackWhatWasWritten)
{
    const std::vector<BYTE> bytes = StoredObject("Picture", "Paint.Picture", {7, 8, 9});
    CString userType;
    CString progId;
    size_t nHeader = 0;
    ASSERT_TRUE(GXReadOleObjectHeader(bytes.data(), bytes.size(), userType, progId, nHeader));
    EXPECT_EQ(userType, "Picture");
    EXPECT_EQ(progId, "Paint.Picture");
    EXPECT_EQ(nHeader, 20u + 8u + 14u);
    EXPECT_EQ(bytes[nHeader], 7);
    // The fixed words of the header.
    const WORD* pWords = reinterpret_cast<const WORD*>(bytes.data());
    EXPECT_EQ(pWords[0], 0x1C15);
    EXPECT_EQ(pWords[1], 20);
    EXPECT_EQ(pWords[2], 2);
    EXPECT_EQ(pWords[6], 20);
    EXPECT_EQ(pWords[7], 28);
    EXPECT_EQ(pWords[8], 0xFFFF);
}

TEST_F(OlePreviewTest, AHeaderThatDoesNotDescribeItsBytesIsRefused)
{
    const std::vector<BYTE> good = StoredObject("Picture", "Paint.Picture", {});
    auto patched = [&](size_t nAt, WORD w) {
        std::vector<BYTE> bytes = good;
        std::memcpy(bytes.data() + nAt, &w, sizeof w);
        return bytes;
    };
    const struct
    {
        const char* pszName;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"wrong signature", patched(0, 0x1C16)},
        {"class past the end", patched(14, 0x7000)},
        {"name longer than the bytes", patched(8, 0x7000)},
        {"class without its zero", patched(10, 13)},
        {"shorter than the header", std::vector<BYTE>(good.begin(), good.begin() + 12)},
    };
    for (const auto& c : cases)
    {
        CString userType;
        CString progId;
        size_t nHeader = 0;
        EXPECT_FALSE(GXReadOleObjectHeader(c.bytes.data(), c.bytes.size(), userType, progId, nHeader)) << c.pszName;
    }
}

TEST_F(OlePreviewTest, OpeningBytesThatHoldNoLoadableObjectShowsTheMessage)
{
    std::vector<BYTE> wrongSignature = StoredObject("Picture", "Paint.Picture", {1, 2, 3});
    wrongSignature[0] = 0x16;
    std::vector<BYTE> pastTheEnd = StoredObject("Picture", "Paint.Picture", {});
    pastTheEnd[14] = 0xF0;
    const struct
    {
        const char* pszName;
        std::vector<BYTE> bytes;
    } cases[] = {
        {"wrong signature", wrongSignature},
        {"offset past the end", pastTheEnd},
        {"unknown class", StoredObject("Thing", "No.Such.Class.Anywhere", {1, 2, 3})},
        // A registered class without a local server (Wine has none): the object cannot be made.
        {"no server", StoredObject("Package", "Package", {1, 2, 3})},
    };
    for (const auto& c : cases)
    {
        box.calls.clear();
        SetObjectBytes(2, 2, c.bytes);
        ClickButton(2, 2);
        EXPECT_EQ(Messages(), std::vector<std::string>{kInvalidData}) << c.pszName;
        EXPECT_EQ(pPreview->GetActiveViewer(), nullptr) << c.pszName;
        grid.MoveCurrentCell(1, 1);
    }
    EXPECT_EQ(grid.viewerIds, std::vector<long>(4, -1));
    EXPECT_EQ(grid.nActionsBegun, grid.nActionsEnded);
}

TEST_F(OlePreviewTest, AnEmptyCellOpensTheInsertObjectDialog)
{
    CString caption;
    CFunctionModalHook hook([&](CWnd* pDialog) {
        char sz[128] = {};
        ::GetWindowTextA(pDialog->GetSafeHwnd(), sz, sizeof sz);
        caption = sz;
        ::PostMessageA(pDialog->GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    });
    CScopedModalHook scope(&hook);
    ClickButton(2, 2);
    EXPECT_EQ(caption, "Latticor Insert Object");
    EXPECT_EQ(Messages(), std::vector<std::string>{}) << "a cancelled dialog is no failure";
    EXPECT_EQ(pPreview->GetActiveViewer(), nullptr);
    EXPECT_EQ(StoredBytes(2, 2), "<none>");
}

TEST_F(OlePreviewTest, DeleteEmptiesTheCellAndAnOpenViewerRefusesTheClipboard)
{
    const std::vector<BYTE> bytes = StoredObject("Thing", "No.Such.Class.Anywhere", {5});
    SetObjectBytes(2, 2, bytes);
    grid.MoveCurrentCell(2, 2);
    grid.Key(VK_DELETE);
    ASSERT_NE(pPreview->GetActiveViewer(), nullptr);
    EXPECT_TRUE(pPreview->GetModify());

    EXPECT_FALSE(pPreview->Copy());
    EXPECT_FALSE(pPreview->Cut());
    EXPECT_EQ(Messages(), std::vector<std::string>(2, "You have already spawned a viewer. Please use this for editing"));
    // A second Delete while the viewer is open changes nothing.
    CGXOleViewer* pViewer = pPreview->GetActiveViewer();
    grid.Key(VK_DELETE);
    EXPECT_EQ(pPreview->GetActiveViewer(), pViewer);
    EXPECT_EQ(StoredBytes(2, 2), std::string(bytes.begin(), bytes.end())) << "stored only when the cell is left";

    ASSERT_TRUE(grid.MoveCurrentCell(3, 3));
    EXPECT_EQ(StoredBytes(2, 2), "<empty>");
    EXPECT_EQ(pPreview->GetActiveViewer(), nullptr);
}

TEST_F(OlePreviewTest, CopyingBytesThatHoldNoObjectFails)
{
    SetObjectBytes(2, 2, StoredObject("Thing", "No.Such.Class.Anywhere", {5}));
    grid.MoveCurrentCell(2, 2);
    EXPECT_FALSE(pPreview->Copy());
    EXPECT_EQ(Messages(), (std::vector<std::string>{kInvalidData, "The copy operation failed"}));
    EXPECT_EQ(pPreview->GetActiveViewer(), nullptr);
}

TEST_F(OlePreviewTest, StoringWithoutAnOpenViewerChangesNothing)
{
    const std::vector<BYTE> bytes = StoredObject("Thing", "No.Such.Class.Anywhere", {5});
    SetObjectBytes(2, 2, bytes);
    grid.MoveCurrentCell(2, 2);
    pPreview->SetActive(TRUE);
    pPreview->SetModify(TRUE);
    const int nStores = grid.nStores;
    EXPECT_TRUE(pPreview->Store());
    EXPECT_EQ(grid.nStores, nStores);
    EXPECT_EQ(StoredBytes(2, 2), std::string(bytes.begin(), bytes.end()));
}

TEST_F(OlePreviewTest, OnAPlainGridTheCellIsNotMade)
{
    DrawnCellGrid plain;
    ASSERT_TRUE(plain.Open());
    CGXControlFactory factory;
    EXPECT_EQ(factory.CreateControl(GX_IDS_CTRL_OLEPREVIEW, &plain), nullptr);
    // The grid falls back to its default control.
    EXPECT_EQ(plain.GetRegisteredControl(GX_IDS_CTRL_OLEPREVIEW), plain.GetRegisteredControl(0));
}

// A paste that brings no object the cell can keep says so once.
TEST_F(OlePreviewTest, AFailedPasteSaysSoOnce)
{
    struct Dib
    {
        BITMAPINFOHEADER header;
        DWORD bits[4 * 4];
    } dib = {};
    dib.header.biSize = sizeof dib.header;
    dib.header.biWidth = 4;
    dib.header.biHeight = 4;
    dib.header.biPlanes = 1;
    dib.header.biBitCount = 32;
    const struct
    {
        const char* what;
        UINT nFormat;
        std::string data;
    } cases[] = {
        {"a picture", CF_DIB, std::string(reinterpret_cast<const char*>(&dib), sizeof dib)},
        {"text", CF_TEXT, std::string("text", 5)},
    };
    for (const auto& c : cases)
    {
        PutOnClipboard(c.nFormat, c.data.data(), c.data.size());
        grid.MoveCurrentCell(2, 2);
        box.calls.clear();
        EXPECT_FALSE(pPreview->Paste()) << c.what;
        EXPECT_EQ(Messages(), std::vector<std::string>{kInvalidData}) << c.what;
        EXPECT_EQ(pPreview->GetActiveViewer(), nullptr) << c.what;
        grid.MoveCurrentCell(3, 3);
    }
}

// The masked edit cell in a real grid window, driven by keys and the clipboard: typing into the
// mask, storing only the entered characters, beeps when no input position is left, insert and
// overwrite, keys that leave the cell, copy and paste of mask data, prompts, plain text and
// validation, find and replace.
#include "grid/controls/MaskControl.h"

#include "framework/win/SeamRecorders.h"
#include "grid/controls/MaskData.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"

#include "EditCellTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
const char kPhone[] = "(###) ####";

class MaskControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        grid.GetParam()->m_bGridPastesOwnFormat = FALSE;
        pMask = dynamic_cast<CGXMaskControl*>(grid.GetRegisteredControl(GX_IDS_CTRL_MASKEDIT));
        ASSERT_NE(pMask, nullptr);
        for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
            SetMaskCell(nRow, 1, kPhone);
        ::SetFocus(grid.m_hWnd);
        PumpMessages();
    }
    void TearDown() override { HoldKeys({}); }

    void SetMaskCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszMask, LPCTSTR pszValue = nullptr)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_MASKEDIT).SetUserAttribute(GX_IDS_UA_INPUTMASK, pszMask);
        if (pszValue != nullptr)
            style.SetValue(pszValue);
        grid.SetCell(nRow, nCol, style);
    }
    void MakeCurrent(ROWCOL nRow, ROWCOL nCol)
    {
        ASSERT_TRUE(grid.MoveCurrentCell(nRow, nCol));
        PumpMessages();
    }
    // Characters and keys as the keyboard gives them to the window with the focus; the grid paints
    // between them.
    void Type(const char* pszText)
    {
        for (const char* p = pszText; *p != 0; ++p)
        {
            ::SendMessageA(::GetFocus(), WM_CHAR, static_cast<unsigned char>(*p), 1);
            PumpMessages();
        }
    }
    void Key(UINT nKey, std::initializer_list<int> held = {})
    {
        HoldKeys(held);
        ::SendMessageA(::GetFocus(), WM_KEYDOWN, nKey, 1);
        PumpMessages();
        ::SendMessageA(::GetFocus(), WM_KEYUP, nKey, 0xC0000001);
        HoldKeys({});
        PumpMessages();
    }
    void CtrlChar(UINT nChar)
    {
        HoldKeys({VK_CONTROL});
        ::SendMessageA(::GetFocus(), WM_CHAR, nChar, 1);
        HoldKeys({});
        PumpMessages();
    }
    CString Shown() { return WindowTextOf(pMask->m_hWnd); }
    // The text an inactive cell shows.
    CString CellText(ROWCOL nRow, ROWCOL nCol)
    {
        CString text;
        pMask->GetControlText(text, nRow, nCol, nullptr, grid.LookupStyleRowCol(nRow, nCol));
        return text;
    }
    std::pair<ROWCOL, ROWCOL> Current()
    {
        ROWCOL nRow = 0, nCol = 0;
        grid.GetCurrentCell(nRow, nCol);
        return {nRow, nCol};
    }
    static UINT MaskFormat() { return GXGetAppData()->m_uiMaskDataClipboardFormat; }

    ButtonHookGrid grid;
    CGXMaskControl* pMask = nullptr;
    CRecordingBeep beeps;
    CScopedBeepSeam beepSeam{&beeps};
};
}  // namespace

TEST_F(MaskControlTest, TypedDigitsFillThePhoneMaskAndOnlyTheyAreStored)
{
    MakeCurrent(1, 1);
    EXPECT_EQ(CellText(1, 1), "") << "an empty inactive cell shows no prompts";
    EXPECT_FALSE(pMask->IsActive());

    Type("1");
    EXPECT_TRUE(pMask->IsActive());
    EXPECT_EQ(Shown(), "(1__) ____");
    EXPECT_EQ(::GetFocus(), pMask->m_hWnd);
    Type("234567");
    EXPECT_EQ(Shown(), "(123) 4567");
    EXPECT_TRUE(beeps.beeps.empty());

    MakeCurrent(1, 2);
    EXPECT_EQ(grid.Stored(1, 1), "1234567");
    EXPECT_EQ(CellText(1, 1), "(123) 4567");
}

TEST_F(MaskControlTest, TheFirstKeyReplacesTheContentAndAWrongOneChangesNothing)
{
    SetMaskCell(2, 1, kPhone, "9876543");
    MakeCurrent(2, 1);
    Type("x");
    EXPECT_FALSE(pMask->IsActive());
    EXPECT_TRUE(beeps.beeps.empty()) << "a character of the wrong class does not beep";
    EXPECT_EQ(grid.Stored(2, 1), "9876543");

    Type("5");
    EXPECT_TRUE(pMask->IsActive());
    EXPECT_EQ(Shown(), "(5__) ____");
    Type("x");
    EXPECT_EQ(Shown(), "(5__) ____");
    EXPECT_TRUE(beeps.beeps.empty());
    MakeCurrent(1, 1);
    EXPECT_EQ(grid.Stored(2, 1), "5");
}

TEST_F(MaskControlTest, ACharacterWithoutAnInputPositionLeftBeepsOnce)
{
    MakeCurrent(1, 1);
    Type("1234567");
    Type("8");
    EXPECT_EQ(beeps.beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
    EXPECT_EQ(Shown(), "(123) 4567");
    // Inserting into a full mask before its end takes nothing, without a beep.
    Key(VK_HOME);
    Type("9");
    EXPECT_EQ(Shown(), "(123) 4567");
    EXPECT_EQ(beeps.beeps.size(), 1u);
}

TEST_F(MaskControlTest, InsertSwitchesBetweenInsertingAndOverwriting)
{
    MakeCurrent(1, 1);
    Type("12");
    Key(VK_HOME);
    Type("9");
    EXPECT_EQ(Shown(), "(912) ____");
    EXPECT_TRUE(pMask->IsInsertMode());
    Key(VK_INSERT);
    EXPECT_FALSE(pMask->IsInsertMode());
    Type("8");
    EXPECT_EQ(Shown(), "(982) ____");
    Key(VK_INSERT);
    EXPECT_TRUE(pMask->IsInsertMode());
}

TEST_F(MaskControlTest, BackspaceAndDeleteRemoveEnteredCharactersAndCloseTheGap)
{
    MakeCurrent(1, 1);
    Type("123456");
    Key(VK_BACK);
    EXPECT_EQ(Shown(), "(123) 45__");
    Key(VK_HOME);
    Key(VK_RIGHT);
    Key(VK_DELETE);
    EXPECT_EQ(Shown(), "(134) 5___");
    Key(VK_BACK);
    EXPECT_EQ(Shown(), "(345) ____");
    Key(VK_BACK);   // at the first input position nothing happens
    EXPECT_EQ(Shown(), "(345) ____");
    ::SendMessageA(pMask->m_hWnd, EM_SETSEL, 0, -1);
    Key(VK_DELETE);
    EXPECT_EQ(Shown(), "(___) ____");
}

TEST_F(MaskControlTest, LeftAtTheFirstPositionAndRightAtTheEndMoveTheCurrentCell)
{
    SetMaskCell(2, 2, kPhone, "12");
    MakeCurrent(2, 2);
    Key(VK_HOME);
    ASSERT_TRUE(pMask->IsActive());
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(1, 1));
    Key(VK_RIGHT);
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(2, 2));
    Key(VK_RIGHT);
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(3, 3));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(2), ROWCOL(2)));
    Key(VK_RIGHT);
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(2), ROWCOL(3)));

    MakeCurrent(2, 2);
    Key(VK_END);
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(3, 3));
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(1, 1));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(2), ROWCOL(2)));
    Key(VK_LEFT);
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(2), ROWCOL(1)));
}

TEST_F(MaskControlTest, CopyPutsTheEnteredCharactersAsMaskDataAndTheShownTextAsText)
{
    ASSERT_NE(MaskFormat(), 0u);
    MakeCurrent(1, 1);
    Type("1234567");
    ::SendMessageA(pMask->m_hWnd, EM_SETSEL, 0, -1);
    CtrlChar(3);
    EXPECT_EQ(ClipboardText(MaskFormat()), "1234567");
    EXPECT_EQ(ClipboardText(CF_TEXT), "(123) 4567");

    // A part of the text: only its entered characters and its shown part.
    ::SendMessageA(pMask->m_hWnd, EM_SETSEL, 2, 7);
    CtrlChar(3);
    EXPECT_EQ(ClipboardText(MaskFormat()), "234");
    EXPECT_EQ(ClipboardText(CF_TEXT), "23) 4");

    // The inactive current cell copies all of it.
    MakeCurrent(1, 2);
    MakeCurrent(1, 1);
    ASSERT_FALSE(pMask->IsActive());
    PutTextOnClipboard("other");
    EXPECT_TRUE(pMask->Copy());
    EXPECT_EQ(ClipboardText(MaskFormat()), "1234567");
    EXPECT_EQ(ClipboardText(CF_TEXT), "(123) 4567");
}

TEST_F(MaskControlTest, PastedMaskDataFillsAnotherMaskedCell)
{
    MakeCurrent(1, 1);
    Type("1234567");
    ::SendMessageA(pMask->m_hWnd, EM_SETSEL, 0, -1);
    CtrlChar(3);
    MakeCurrent(3, 1);
    Key(VK_HOME);
    ASSERT_TRUE(pMask->IsActive());
    EXPECT_TRUE(pMask->CanPaste());
    CtrlChar(0x16);
    EXPECT_EQ(Shown(), "(123) 4567");
    MakeCurrent(1, 1);
    EXPECT_EQ(grid.Stored(3, 1), "1234567");
}

TEST_F(MaskControlTest, PastedTextIsTakenAsShownTextOrAsEnteredCharacters)
{
    struct Case
    {
        const char* pszClipboard;
        const char* pszShown;
    } cases[] = {
        {"(555) 1234", "(555) 1234"},
        {"5551234", "(555) 1234"},
        {"55a", "(55_) ____"},   // characters up to the first that does not fit
        {"abc", "(___) ____"},
    };
    for (const Case& c : cases)
    {
        MakeCurrent(1, 2);
        SetMaskCell(3, 1, kPhone, "");
        MakeCurrent(3, 1);
        Key(VK_HOME);
        ::SendMessageA(pMask->m_hWnd, EM_SETSEL, 0, -1);
        PutTextOnClipboard(c.pszClipboard);
        EXPECT_FALSE(pMask->CanPaste()) << "only mask data is offered";
        EXPECT_TRUE(pMask->Paste());
        EXPECT_EQ(Shown(), c.pszShown) << c.pszClipboard;
    }
}

TEST_F(MaskControlTest, StoringTextIntoAMaskedCellConvertsItToEnteredCharacters)
{
    struct Case
    {
        const char* pszText;
        BOOL bStored;
        const char* pszValue;
    } cases[] = {
        {"(123) 4567", TRUE, "1234567"},
        {"1234567", TRUE, "1234567"},
        {"12ab", TRUE, "12"},
        {"(12", TRUE, "12"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(pMask->SetControlText(2, 1, c.pszText, GX_INVALIDATE, nullptr), c.bStored) << c.pszText;
        EXPECT_EQ(grid.Stored(2, 1), c.pszValue) << c.pszText;
    }
    SetMaskCell(2, 3, "\\(\\)");   // no input position at all
    EXPECT_FALSE(pMask->SetControlText(2, 3, "1", GX_INVALIDATE, nullptr));
    EXPECT_EQ(grid.Stored(2, 3), "");
}

TEST_F(MaskControlTest, APromptOfTheStyleIsShownUnlessItIsRefused)
{
    struct Case
    {
        const char* pszPrompt;
        const char* pszShown;
    } cases[] = {{"*", "(1**) ****"}, {"abc", "(1__) ____"}, {"", "(1__) ____"}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_MASKEDIT).SetUserAttribute(GX_IDS_UA_INPUTMASK, kPhone);
        style.SetUserAttribute(GX_IDS_UA_INPUTPROMPT, c.pszPrompt).SetValue("");
        grid.SetCell(2, 4, style);
        MakeCurrent(2, 4);
        Type("1");
        EXPECT_EQ(Shown(), c.pszShown) << c.pszPrompt;
        MakeCurrent(1, 1);
    }
}

TEST_F(MaskControlTest, WithoutAMaskTheCellEditsPlainTextUpToItsMaximumLength)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_MASKEDIT).SetMaxLength(4).SetValue("");
    grid.SetCell(2, 2, style);
    MakeCurrent(2, 2);
    Type("a-b(cd");
    EXPECT_EQ(Shown(), "a-b(");
    MakeCurrent(1, 1);
    EXPECT_EQ(grid.Stored(2, 2), "a-b(");

    CGXStyle unlimited;
    unlimited.SetControl(GX_IDS_CTRL_MASKEDIT);
    grid.SetCell(2, 3, unlimited);
    MakeCurrent(2, 3);
    Type("anything at all, even long");
    EXPECT_EQ(Shown(), "anything at all, even long");
    EXPECT_EQ(pMask->GetEditData()->GetMaxLength(), 0x7FFFFFFF);
}

TEST_F(MaskControlTest, DataThatDoesNotFitItsMaskKeepsTheCellCurrentWithoutAMessage)
{
    CRecordingMessageBox boxes;
    CScopedMessageBoxSeam boxSeam(&boxes);
    MakeCurrent(1, 1);
    Type("12");
    // A mask changed under the typed data: the data no longer matches it.
    pMask->GetEditData()->SetMask("##");
    EXPECT_FALSE(pMask->OnValidate());
    EXPECT_FALSE(grid.MoveCurrentCell(1, 2));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(1), ROWCOL(1)));
    EXPECT_TRUE(boxes.calls.empty());
}

TEST_F(MaskControlTest, FindAndReplaceWorkOnTheShownTextAndRefuseAnEmptySearch)
{
    SetMaskCell(2, 1, kPhone, "5551234");
    EXPECT_TRUE(pMask->ReplaceAllRowCol("55", "98", FALSE, 2, 1));
    EXPECT_EQ(grid.Stored(2, 1), "9851234");
    EXPECT_TRUE(pMask->ReplaceAllRowCol(") 1", ") 7", FALSE, 2, 1));
    EXPECT_EQ(grid.Stored(2, 1), "9857234");
    EXPECT_FALSE(pMask->ReplaceAllRowCol("0", "1", FALSE, 2, 1));
    EXPECT_FALSE(pMask->ReplaceAllRowCol("", "1", FALSE, 2, 1));
    EXPECT_EQ(grid.Stored(2, 1), "9857234");

    MakeCurrent(1, 1);
    EXPECT_FALSE(pMask->FindTextRowCol("", FALSE, 2, 1, TRUE, TRUE));
    EXPECT_TRUE(pMask->FindTextRowCol(") 72", FALSE, 2, 1, TRUE, TRUE));
    EXPECT_EQ(Current(), std::make_pair(ROWCOL(2), ROWCOL(1)));
    EXPECT_TRUE(pMask->IsActive());
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(4, 8));
}

TEST_F(MaskControlTest, LibraryStartUpRegistersTheMaskDataAndRichTextFormats)
{
    EXPECT_EQ(GXGetAppData()->m_uiMaskDataClipboardFormat, ::RegisterClipboardFormatA("GX_MASKDATA"));
    EXPECT_EQ(GXGetAppData()->m_uiRichTextClipboardFormat, ::RegisterClipboardFormatA("Rich Text Format"));
    EXPECT_NE(GXGetAppData()->m_uiMaskDataClipboardFormat, 0u);
}

TEST_F(MaskControlTest, TheFactoryMakesAMaskedEditWithItsWindowAndRegistersItsAttributes)
{
    CGXControlFactory factory;
    std::unique_ptr<CGXControl> pControl(factory.CreateControl(GX_IDS_CTRL_MASKEDIT, &grid));
    CGXMaskControl* pMade = dynamic_cast<CGXMaskControl*>(pControl.get());
    ASSERT_NE(pMade, nullptr);
    EXPECT_NE(pMade->m_hWnd, nullptr);
    EXPECT_FALSE(::IsWindowVisible(pMade->m_hWnd));
    char szClass[32] = {};
    ::GetClassNameA(pMade->m_hWnd, szClass, sizeof szClass);
    EXPECT_STREQ(szClass, "GXEDIT");
    EXPECT_EQ(::GetDlgCtrlID(pMade->m_hWnd), static_cast<int>(GX_IDS_CTRL_MASKEDIT));
    ASSERT_NE(pMade->GetEditData(), nullptr);
    EXPECT_TRUE(pMade->GetEditData()->IsMaskEmpty());
    EXPECT_TRUE(pMade->IsKindOf(GRID_CONTROL_CLASSINFO(CGXStatic)));

    CGXStylesMap stylesMap;
    factory.RegisterAllUserAttributes(&stylesMap);
    const CGXStylesMapUserAttributeInfo* pMask = stylesMap.LookupUserAttributeInfo(GX_IDS_UA_INPUTMASK);
    ASSERT_NE(pMask, nullptr);
    EXPECT_EQ(pMask->sName, "Maskedit: Input Mask");
    EXPECT_TRUE(pMask->pStyle->GetWrapText());
    EXPECT_TRUE(pMask->pStyle->GetAutoSize());
    const CGXStylesMapUserAttributeInfo* pPrompt = stylesMap.LookupUserAttributeInfo(GX_IDS_UA_INPUTPROMPT);
    ASSERT_NE(pPrompt, nullptr);
    EXPECT_EQ(pPrompt->sName, "Maskedit: Prompt Char");
    EXPECT_EQ(pPrompt->pStyle->GetMaxLength(), 1u);
}

TEST_F(MaskControlTest, AClickOnACharacterPutsTheCaretOnAnInputPositionWithinTheEnteredOnes)
{
    SetMaskCell(2, 2, kPhone, "12");
    MakeCurrent(2, 2);
    const CRect text = pMask->GetCellRect(2, 2);
    grid.Click(CPoint(text.left + 1, text.CenterPoint().y));
    PumpMessages();
    ASSERT_TRUE(pMask->IsActive());
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(1, 1)) << "the literal's next input position";

    MakeCurrent(1, 1);
    MakeCurrent(2, 2);
    grid.Click(CPoint(text.left + 22, text.CenterPoint().y));
    PumpMessages();
    ASSERT_TRUE(pMask->IsActive());
    EXPECT_EQ(SelectionOf(pMask->m_hWnd), std::make_pair(3, 3)) << "never after the entered characters";
}

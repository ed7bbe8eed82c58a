#pragma once
// A single-line window holding one monetary value, shown formatted (currency symbol, sign style,
// digit grouping, fixed decimals). It keeps a magnitude and a sign, never free text: every edit
// (typing, Backspace, Delete, paste, undo) produces a new text that is parsed and formatted again,
// so the window always shows a well-formed amount. Its drop button opens the pop-up calculator.

#include "framework/core/CString.h"
#include "grid/controls/DropEdit.h"

class CMenu;

class CGXBCurrencyEdit : public CGXBDropEdit
{
    DECLARE_DYNCREATE(CGXBCurrencyEdit)

public:
    // How a value becomes text and back.
    class Format
    {
    public:
        // The defaults ("$", "3;0", ',', '.', two decimals, unlimited integer digits).
        Format();
        // From the user's locale; integerDigits stays -1 (unlimited).
        explicit Format(BOOL bFromLocale);
        virtual ~Format() = default;

        // TRUE when the text reads as an amount; the magnitude is returned unsigned.
        virtual BOOL Parse(const CString& text, double& magnitude, BOOL& negative) const;
        virtual void FormatValue(double magnitude, CString& text, BOOL negative) const;
        // Index of the last c (of decimalSeparator when c is 0); -1 when none.
        virtual int FindDecimalSeparator(const CString& text, char c = 0) const;
        // The run of digits, one decimal separator and thousand separators ending at the last digit.
        virtual BOOL FindNumberSpan(const CString& text, int& first, int& last) const;

        Format(const Format& other) = default;
        Format& operator=(const Format& other) = default;
        virtual bool operator==(const Format& other) const;
        virtual bool operator!=(const Format& other) const { return !(*this == other); }

        // A digit 1-9 is refused; any other character, or '0', is taken.
        BOOL SetPadChar(char c);
        BOOL GetBackgroundColor(COLORREF& color) const;
        BOOL GetNegativeColor(COLORREF& color) const;
        BOOL GetPositiveColor(COLORREF& color) const;
        void SetBackgroundColor(COLORREF color);
        void SetNegativeColor(COLORREF color);
        void SetPositiveColor(COLORREF color);

        // The leading digits integerDigits keeps (the integer part is cut from the left).
        double TruncateIntegerDigits(double magnitude) const;

        enum : int
        {
            colorBackground = 1,
            colorNegative = 2,
            colorPositive = 4
        };

        int leadingZero = 1;
        int drawDecimalMarker = 0;
        int keepAllIntegerDigits = 0;
        int padBeforeGrouping = 0;
        CString currencySymbol = "$";
        CString grouping = "3;0";
        char thousandSeparator = ',';
        char decimalSeparator = '.';
        char padChar = ' ';
        COLORREF backgroundColor = 0;
        COLORREF negativeColor = 0;
        COLORREF positiveColor = 0;
        COLORREF markerColor = 0;
        int colorFlags = 0;
        int positiveFormat = 0;
        int negativeFormat = 0;
        int integerDigits = -1;
        int decimalPlaces = 2;
    };

    CGXBCurrencyEdit();
    ~CGXBCurrencyEdit() override;

    // ---- Value ----
    void SetValue(double value, BOOL bRedraw = TRUE);
    void GetSignedValue(double& value) const { value = m_bNegative ? -m_value : m_value; }
    double GetMagnitude() const { return m_value; }
    BOOL IsNegative() const { return m_bNegative; }
    void SetFormat(const Format& format);
    void GetFormat(Format& format) const { format = *m_pFormat; }
    const Format& GetFormat() const { return *m_pFormat; }
    CString GetText() const;

    // ---- Caret and selection ----
    BOOL SetSel(int nStart, int nEnd);
    void GetSel(int& nStart, int& nEnd) const;
    void SetCaretPos(int nIndex, BOOL bSelect);
    int GetCaret() const { return m_nCaret; }
    BOOL HasSelection() const;
    // Whole number span selected; bBeyond: and the selection reaches past it.
    BOOL IsWholeNumberSelected(BOOL* pbBeyond = nullptr) const;

    // ---- Look ----
    COLORREF GetTextColor() const;
    COLORREF GetBackgroundColor() const;
    int GetAlignment() const;
    void SetAlignment(int nAlign);
    BOOL IsReadOnly() const;
    // The character whose middle lies right of x (client coordinates); the length when none.
    int CharFromPoint(int x) const;
    // Left edge of the text in client coordinates.
    int TextStart() const;

    // ---- Overridables ----
    void OnClicked() override;
    virtual BOOL OpenCalculator();
    virtual void FilterPasteText(CString& text);
    virtual CMenu* BuildContextMenu();
    virtual void DestroyContextMenu(CMenu* pMenu);
    virtual void OnBackspace();
    virtual void OnDelete();
    virtual void InsertText(const CString& text);
    virtual void PaintBackground(CDC* pDC);
    virtual void SaveUndo(LPCTSTR pszText = nullptr, int nCaret = -1);
    virtual void CreateEditCaret();
    virtual void HideEditCaret();
    virtual void DrawDecimalMarker(CDC* pDC, int x);
    virtual void ToggleSign();
    virtual void ToggleOverwrite();

    BOOL CanUndo() const { return m_bCanUndo; }
    BOOL IsOverwrite() const { return m_bOverwrite; }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL m_bKeepAllIntegerDigits = FALSE;
    BOOL m_bPadBeforeGrouping = FALSE;

protected:
    BOOL CreateEditWindow(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
    // Writes a text that is already formatted (no parsing).
    void WriteFormatted(const CString& text);
    // Parses the text into value and sign, writes the formatted text; FALSE when it does not read.
    BOOL TakeText(const CString& text);
    void Notify(UINT nCode);
    void Repaint();
    // Moves the caret into the number span before typing.
    void BringCaretIntoSpan(const CString& text);
    // Sets the text with redraw suspended and the caret after an edit; notifies when it changed.
    void ApplyEdit(const CString& oldText, int nOldCaret, int nOldSelStart, int nOldSelEnd, const CString& newText,
                   int nNewCaret);
    // Where the caret goes in the reformatted text, keeping its distance to the decimal separator.
    int CaretKeepingDistance(const CString& before, int nCaret, const CString& after) const;
    int ZeroValueCaret(const CString& text) const;
    // A number text with a digit taken out ("0" when no number is left in it), read and formatted
    // again; FALSE when it does not read.
    BOOL ReformatRemoved(CString& raw, double& magnitude, CString& formatted) const;
    void DoCopy();
    void DoPaste();
    void DoClear();
    void DoUndo();
    void Paint(CDC* pDC);
    int TextHeight() const;
    HFONT CurrentFont() const;
    void PlaceSystemCaret();

    BOOL m_bNegative = FALSE;
    BOOL m_bCanUndo = FALSE;
    BOOL m_bReformatOnSetText = TRUE;
    BOOL m_bRepaintEnabled = TRUE;
    BOOL m_bMouseSelecting = FALSE;
    BOOL m_bOverwrite = FALSE;
    CString m_strUndoText;
    int m_nUndoCaret = -1;
    int m_nUndoSelStart = -1;
    int m_nUndoSelEnd = 0;
    double m_value = 0.0;
    Format* m_pFormat;
    HFONT m_hFont = nullptr;
    int m_nCaret = 0;
    int m_nSelStart = -1;
    int m_nSelEnd = 0;
    int m_nRightMargin = 0;
    int m_nLeftMargin = 0;
    BOOL m_bHasCaret = FALSE;
};

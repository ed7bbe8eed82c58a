// Reading a dialog template of either form into control records, and making the controls.
#include "chart/ui/GenDialog.h"

#include <objbase.h>

#include <cstring>
#include <string>

#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

// Reads the parts of a template without ever passing its end.
class CTemplateReader
{
public:
    CTemplateReader(const BYTE* pData, DWORD dwSize) : m_pStart(pData), m_pAt(pData), m_pEnd(pData + dwSize) {}

    bool Word(WORD& value) { return Read(&value, sizeof value); }
    bool Dword(DWORD& value) { return Read(&value, sizeof value); }
    bool Short(short& value) { return Read(&value, sizeof value); }
    bool Skip(size_t n)
    {
        if (size_t(m_pEnd - m_pAt) < n)
            return false;
        m_pAt += n;
        return true;
    }
    // Items start on a DWORD boundary of the template.
    void AlignDword() { m_pAt = m_pStart + ((m_pAt - m_pStart + 3) & ~size_t(3)); }
    // A zero-ended wide string.
    bool String(CString& text)
    {
        std::wstring wide;
        for (;;) {
            WORD ch = 0;
            if (!Word(ch))
                return false;
            if (ch == 0)
                break;
            wide.push_back(wchar_t(ch));
        }
        text.Empty();
        if (!wide.empty()) {
            char buffer[1024] = "";
            const int n = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), int(wide.size()), buffer, sizeof buffer - 1,
                                                nullptr, nullptr);
            text = CString(buffer, n);
        }
        return true;
    }
    // A string or an ordinal (0xFFFF and a number); nothing (0) gives an empty text and ordinal 0.
    bool StringOrOrdinal(CString& text, WORD& ordinal)
    {
        ordinal = 0;
        WORD first = 0;
        if (!Word(first))
            return false;
        if (first == 0xFFFF)
            return Word(ordinal);
        m_pAt -= sizeof first;
        return String(text);
    }

private:
    bool Read(void* pValue, size_t n)
    {
        if (size_t(m_pEnd - m_pAt) < n)
            return false;
        memcpy(pValue, m_pAt, n);
        m_pAt += n;
        return true;
    }

    const BYTE* m_pStart;
    const BYTE* m_pAt;
    const BYTE* m_pEnd;
};

// The predefined classes of the ordinals 0x80 to 0x85.
const char* const kAtomClasses[] = {"BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"};

bool IsClass(const CString& name, const char* pClass)
{
    return lstrcmpiA(name, pClass) == 0;
}

} // namespace

CGenDialog::~CGenDialog() = default;

BOOL CGenDialog::Create(UINT nTemplateID, int nPlaceID, CWnd* pParent)
{
    m_nTemplateID = nTemplateID;
    m_nPlaceID = nPlaceID;
    m_pParent = pParent;
    m_bCreated = m_bMade = m_bExtended = FALSE;
    m_nItems = m_nPointSize = 0;
    m_strFace.Empty();
    m_controls.clear();
    if (pParent == nullptr || pParent->GetSafeHwnd() == nullptr)
        return FALSE;

    LPCTSTR lpszName = MAKEINTRESOURCEA(nTemplateID);
    HINSTANCE hInstance = AfxFindResourceHandle(lpszName, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInstance, lpszName, RT_DIALOG);
    HGLOBAL hData = hResource != nullptr ? ::LoadResource(hInstance, hResource) : nullptr;
    const auto* pData = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    if (pData == nullptr)
        return FALSE;
    CTemplateReader reader(pData, ::SizeofResource(hInstance, hResource));

    // The header of either form.
    WORD version = 0, signature = 0, nItems = 0;
    DWORD helpId = 0, style = 0, exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    if (!reader.Word(version) || !reader.Word(signature))
        return FALSE;
    m_bExtended = version == 1 && signature == 0xFFFF;
    if (m_bExtended) {
        if (!reader.Dword(helpId) || !reader.Dword(exStyle) || !reader.Dword(style))
            return FALSE;
    } else {
        style = MAKELONG(version, signature);
        if (!reader.Dword(exStyle))
            return FALSE;
    }
    if (!reader.Word(nItems) || !reader.Short(x) || !reader.Short(y) || !reader.Short(cx) || !reader.Short(cy))
        return FALSE;
    CString menu, windowClass, title;
    WORD ordinal = 0;
    if (!reader.StringOrOrdinal(menu, ordinal) || !reader.StringOrOrdinal(windowClass, ordinal) ||
        !reader.String(title))
        return FALSE;
    if (style & DS_SETFONT) {
        WORD pointSize = 0;
        if (!reader.Word(pointSize))
            return FALSE;
        if (m_bExtended && !reader.Skip(4))   // weight, italic, character set
            return FALSE;
        if (!reader.String(m_strFace))
            return FALSE;
        m_nPointSize = pointSize;
    }
    m_nItems = nItems;

    // The origin: the placeholder's corner in the parent's client area.
    CPoint origin(0, 0);
    if (nPlaceID != -1) {
        if (CWnd* pPlace = pParent->GetDlgItem(nPlaceID)) {
            CRect place;
            pPlace->GetWindowRect(&place);
            pParent->ScreenToClient(&place);
            origin = place.TopLeft();
        }
    }

    for (WORD n = 0; n < nItems; ++n) {
        reader.AlignDword();
        ControlRecord record;
        DWORD itemHelpId = 0, itemId = 0;
        WORD shortId = 0;
        if (m_bExtended) {
            if (!reader.Dword(itemHelpId) || !reader.Dword(record.dwExStyle) || !reader.Dword(record.dwStyle))
                return FALSE;
        } else if (!reader.Dword(record.dwStyle) || !reader.Dword(record.dwExStyle)) {
            return FALSE;
        }
        if (!reader.Short(x) || !reader.Short(y) || !reader.Short(cx) || !reader.Short(cy))
            return FALSE;
        if (m_bExtended ? !reader.Dword(itemId) : !reader.Word(shortId))
            return FALSE;
        record.nID = m_bExtended ? itemId : shortId;
        WORD classAtom = 0, textOrdinal = 0, extra = 0;
        if (!reader.StringOrOrdinal(record.strClass, classAtom) ||
            !reader.StringOrOrdinal(record.strText, textOrdinal) || !reader.Word(extra) || !reader.Skip(extra))
            return FALSE;
        if (classAtom >= 0x80 && classAtom <= 0x85)
            record.strClass = kAtomClasses[classAtom - 0x80];
        RECT rect = {x, y, x + cx, y + cy};
        ::MapDialogRect(pParent->m_hWnd, &rect);
        record.rect = CRect(rect);
        record.rect.OffsetRect(origin);
        record.pParent = pParent;
        m_controls.push_back(record);
    }
    m_bCreated = TRUE;
    return TRUE;
}

HWND CGenDialog::CreateActiveXControl(const ControlRecord& record)
{
    std::wstring wide(size_t(record.strClass.GetLength()), L' ');
    ::MultiByteToWideChar(CP_ACP, 0, record.strClass, record.strClass.GetLength(), wide.data(), int(wide.size()));
    CLSID clsid = {};
    if (FAILED(::CLSIDFromString(wide.c_str(), &clsid)))
        return nullptr;
    // The class must be there before a container is asked to hold it.
    const HRESULT hrInit = ::CoInitialize(nullptr);
    IUnknown* pUnknown = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, reinterpret_cast<void**>(&pUnknown)))) {
        if (hrInit == S_OK)
            ::CoUninitialize();
        return nullptr;
    }
    pUnknown->Release();
    HMODULE hAtl = ::LoadLibraryA("atl.dll");
    using AtlAxWinInitProc = BOOL(WINAPI*)();
    auto pfnInit = hAtl != nullptr ? reinterpret_cast<AtlAxWinInitProc>(reinterpret_cast<void*>(::GetProcAddress(hAtl, "AtlAxWinInit"))) : nullptr;
    if (pfnInit == nullptr || !pfnInit())
        return nullptr;
    return ::CreateWindowExA(record.dwExStyle, "AtlAxWin", record.strClass, record.dwStyle | WS_CHILD,
                             record.rect.left, record.rect.top, record.rect.Width(), record.rect.Height(),
                             record.pParent->m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(record.nID)),
                             AfxGetInstanceHandle(), nullptr);
}

HWND CGenDialog::CreateControl(const ControlRecord& record)
{
    if (!record.strClass.IsEmpty() && record.strClass[0] == '{')
        return CreateActiveXControl(record);
    DWORD dwExStyle = record.dwExStyle;
    if (IsClass(record.strClass, "EDIT") || IsClass(record.strClass, "LISTBOX") ||
        IsClass(record.strClass, "SysListView32") || IsClass(record.strClass, "SysTreeView32"))
        dwExStyle |= WS_EX_CLIENTEDGE;
    if (IsClass(record.strClass, "RICHEDIT"))
        ::LoadLibraryA("riched32.dll");
    return ::CreateWindowExA(dwExStyle, record.strClass, record.strText, record.dwStyle | WS_CHILD, record.rect.left,
                             record.rect.top, record.rect.Width(), record.rect.Height(), record.pParent->m_hWnd,
                             reinterpret_cast<HMENU>(UINT_PTR(record.nID)), AfxGetInstanceHandle(), nullptr);
}

void CGenDialog::Show()
{
    if (!m_bCreated)
        return;
    if (!m_bMade) {
        m_bMade = TRUE;
        const HFONT hFont = reinterpret_cast<HFONT>(m_pParent->SendMessage(WM_GETFONT));
        for (ControlRecord& record : m_controls) {
            record.hWnd = CreateControl(record);
            if (record.hWnd == nullptr) {
                CString message;
                message.Format("Can't create control: %s\n", (LPCTSTR)record.strClass);
                AfxMessageBox(message);
                continue;
            }
            ::SendMessageA(record.hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
        }
    }
    for (ControlRecord& record : m_controls) {
        if (record.hWnd == nullptr || !::IsWindow(record.hWnd))
            continue;
        ::SetWindowTextA(record.hWnd, record.strText);
        ::ShowWindow(record.hWnd, SW_SHOW);
    }
}

void CGenDialog::Hide()
{
    for (ControlRecord& record : m_controls) {
        if (record.hWnd == nullptr || !::IsWindow(record.hWnd))
            continue;
        char text[1024] = "";
        ::GetWindowTextA(record.hWnd, text, sizeof text);
        record.strText = text;
        ::ShowWindow(record.hWnd, SW_HIDE);
    }
}

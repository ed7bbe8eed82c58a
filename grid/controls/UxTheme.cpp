#include "grid/controls/UxTheme.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace GXUxTheme
{
namespace
{
// The binding table: the visual-styles entry points in the engine's order, then TransparentBlt
// (MSIMG32) and TrackMouseEvent (USER32). Load and Unload walk it whole.
const char* const kEntryNames[kEntryPointCount] = {
    "OpenThemeData", "CloseThemeData", "DrawThemeBackground", "DrawThemeText", "GetThemeBackgroundContentRect",
    "GetThemeBackgroundExtent", "GetThemePartSize", "GetThemeTextExtent", "GetThemeTextMetrics",
    "GetThemeBackgroundRegion", "HitTestThemeBackground", "DrawThemeEdge", "DrawThemeIcon", "IsThemePartDefined",
    "IsThemeBackgroundPartiallyTransparent", "GetThemeColor", "GetThemeMetric", "GetThemeString", "GetThemeBool",
    "GetThemeInt", "GetThemeEnumValue", "GetThemePosition", "GetThemeFont", "GetThemeRect", "GetThemeMargins",
    "GetThemeIntList", "GetThemePropertyOrigin", "SetWindowTheme", "GetThemeFilename", "GetThemeSysColor",
    "GetThemeSysColorBrush", "GetThemeSysBool", "GetThemeSysSize", "GetThemeSysFont", "GetThemeSysString",
    "GetThemeSysInt", "IsThemeActive", "IsAppThemed", "GetWindowTheme", "EnableThemeDialogTexture",
    "IsThemeDialogTextureEnabled", "GetThemeAppProperties", "SetThemeAppProperties", "GetCurrentThemeName",
    "GetThemeDocumentationProperty", "DrawThemeParentBackground", "EnableTheming",
    "TransparentBlt", "TrackMouseEvent"};
const int kThemeEntryCount = 47;
const int kTransparentBltSlot = 47;
const int kTrackMouseEventSlot = 48;

FARPROC g_slots[kEntryPointCount] = {};
HMODULE g_hUxTheme = nullptr;
HMODULE g_hMsImg32 = nullptr;
HMODULE g_hUser32 = nullptr;

// The captured system colours and the derived table.
COLORREF g_sysColors[8] = {};
COLORREF g_themeColors[33] = {};

int SlotOf(LPCSTR pszName)
{
    if (pszName == nullptr)
        return -1;
    for (int i = 0; i < kEntryPointCount; ++i)
        if (std::strcmp(kEntryNames[i], pszName) == 0)
            return i;
    return -1;
}

// Loads a module once and binds its slots nFirst..nEnd-1 (left empty when the module is missing).
void LoadSlots(HMODULE& hModule, LPCSTR pszModule, int nFirst, int nEnd)
{
    if (hModule != nullptr)
        return;
    hModule = ::LoadLibraryA(pszModule);
    if (hModule != nullptr)
        for (int i = nFirst; i < nEnd; ++i)
            g_slots[i] = ::GetProcAddress(hModule, kEntryNames[i]);
}

template <typename Function>
Function Slot(LPCSTR pszName)
{
    const int nSlot = SlotOf(pszName);
    return nSlot >= 0 ? reinterpret_cast<Function>(reinterpret_cast<void*>(g_slots[nSlot])) : nullptr;
}

const double kRedWeight = 0.764706;
const double kGreenWeight = 1.52941;
const double kBlueWeight = 0.254902;
// The weighted components of white.
const double kMaxRed = 195.0;
const double kMaxGreen = 390.0;
const double kMaxBlue = 65.0;

// Loaded before the program's main function, unloaded at exit.
struct StaticLoader
{
    StaticLoader()
    {
        Load();
        InitThemeColors();
        std::atexit([] { Unload(); });
    }
} g_staticLoader;
}  // namespace

BOOL Load()
{
    if (g_hUxTheme != nullptr && g_hMsImg32 != nullptr && g_hUser32 != nullptr)
        return TRUE;
    ::InitCommonControls();
    LoadSlots(g_hUxTheme, "UXTHEME.DLL", 0, kThemeEntryCount);
    LoadSlots(g_hMsImg32, "MSIMG32.DLL", kTransparentBltSlot, kTransparentBltSlot + 1);
    LoadSlots(g_hUser32, "USER32.DLL", kTrackMouseEventSlot, kTrackMouseEventSlot + 1);
    return TRUE;
}

BOOL Unload()
{
    if (g_hUxTheme == nullptr && g_hMsImg32 == nullptr && g_hUser32 == nullptr)
        return TRUE;
    for (FARPROC& slot : g_slots)
        slot = nullptr;
    for (HMODULE* phModule : {&g_hUxTheme, &g_hMsImg32, &g_hUser32})
        if (*phModule != nullptr)
        {
            ::FreeLibrary(*phModule);
            *phModule = nullptr;
        }
    return TRUE;
}

FARPROC GetEntryPoint(LPCSTR pszName)
{
    const int nSlot = SlotOf(pszName);
    return nSlot >= 0 ? g_slots[nSlot] : nullptr;
}

FARPROC SetEntryPoint(LPCSTR pszName, FARPROC pfn)
{
    const int nSlot = SlotOf(pszName);
    if (nSlot < 0)
        return nullptr;
    const FARPROC previous = g_slots[nSlot];
    g_slots[nSlot] = pfn;
    return previous;
}

HTHEME OpenThemeData(HWND hWnd, LPCWSTR pszClassList)
{
    auto pfn = Slot<HTHEME(WINAPI*)(HWND, LPCWSTR)>("OpenThemeData");
    return pfn != nullptr ? pfn(hWnd, pszClassList) : nullptr;
}

HRESULT CloseThemeData(HTHEME hTheme)
{
    auto pfn = Slot<HRESULT(WINAPI*)(HTHEME)>("CloseThemeData");
    return pfn != nullptr ? pfn(hTheme) : E_FAIL;
}

HRESULT DrawThemeBackground(HTHEME hTheme, HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                            const RECT* pClipRect)
{
    auto pfn = Slot<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, const RECT*)>("DrawThemeBackground");
    return pfn != nullptr ? pfn(hTheme, hDC, iPartId, iStateId, pRect, pClipRect) : E_FAIL;
}

HRESULT DrawThemeEdge(HTHEME hTheme, HDC hDC, int iPartId, int iStateId, const RECT* pDestRect, UINT uEdge,
                      UINT uFlags, RECT* pContentRect)
{
    auto pfn = Slot<HRESULT(WINAPI*)(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*)>("DrawThemeEdge");
    return pfn != nullptr ? pfn(hTheme, hDC, iPartId, iStateId, pDestRect, uEdge, uFlags, pContentRect) : E_FAIL;
}

BOOL IsThemeActive()
{
    auto pfn = Slot<BOOL(WINAPI*)()>("IsThemeActive");
    return pfn != nullptr ? pfn() : FALSE;
}

BOOL IsAppThemed()
{
    auto pfn = Slot<BOOL(WINAPI*)()>("IsAppThemed");
    return pfn != nullptr ? pfn() : FALSE;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* pEventTrack)
{
    auto pfn = Slot<BOOL(WINAPI*)(TRACKMOUSEEVENT*)>("TrackMouseEvent");
    return pfn != nullptr ? pfn(pEventTrack) : FALSE;
}

BOOL DrawThemedBackground(HWND hWnd, LPCWSTR pszClassList, HDC hDC, int iPartId, int iStateId, const RECT* pRect,
                          const RECT* pClipRect)
{
    if (!GXUxTheme::IsAppThemed() || !GXUxTheme::IsThemeActive())
        return FALSE;
    HTHEME hTheme = GXUxTheme::OpenThemeData(hWnd, pszClassList);
    if (hTheme == nullptr)
        return FALSE;
    // The platform's theme drawing works through the whole part, however little of it the DC shows:
    // a cell millions of pixels wide (a damaged document's) took seconds at every paint. A part that
    // reaches far beyond the DC's clip box is cut back to the box and a margin wide enough that parts
    // of any usual size are drawn whole, their edges where they show.
    const LONG nMargin = 512;
    RECT rect = *pRect;
    RECT clip;
    if (::GetClipBox(hDC, &clip) != ERROR)
    {
        rect.left = std::max(rect.left, clip.left - nMargin);
        rect.top = std::max(rect.top, clip.top - nMargin);
        rect.right = std::min(rect.right, clip.right + nMargin);
        rect.bottom = std::min(rect.bottom, clip.bottom + nMargin);
    }
    if (::IsRectEmpty(&rect))
    {
        // Nothing of the part can show.
        GXUxTheme::CloseThemeData(hTheme);
        return TRUE;
    }
    const HRESULT hr = GXUxTheme::DrawThemeBackground(hTheme, hDC, iPartId, iStateId, &rect, pClipRect);
    GXUxTheme::CloseThemeData(hTheme);
    return SUCCEEDED(hr);
}

// ---------------------------------------------------------------------------------------------
// Derived colours

COLORREF BlendColors(COLORREF a, COLORREF b, BYTE nWeight)
{
    // 0-99 are per cent, 100-255 per mille (165 is 16.5 %).
    const unsigned nScale = nWeight <= 99 ? 100 : 1000;
    const unsigned w = nWeight;
    auto mix = [&](unsigned ca, unsigned cb) { return ((ca * w + cb * (nScale - w) + nScale / 2) / nScale) & 0xFF; };
    return mix(GetRValue(a), GetRValue(b)) | (mix(GetGValue(a), GetGValue(b)) << 8) |
           (mix(GetBValue(a), GetBValue(b)) << 16);
}

double ColorDistance(COLORREF a, COLORREF b)
{
    const double dr = (static_cast<int>(GetRValue(a)) - static_cast<int>(GetRValue(b))) * kRedWeight;
    const double dg = (static_cast<int>(GetGValue(a)) - static_cast<int>(GetGValue(b))) * kGreenWeight;
    const double db = (static_cast<int>(GetBValue(a)) - static_cast<int>(GetBValue(b))) * kBlueWeight;
    return std::sqrt(dr * dr + dg * dg + db * db);
}

namespace
{
double TargetDistance(double dBrightnessRef, double dDistance)
{
    // Darker references ask for more distance, up to twice as much.
    return dBrightnessRef < 220.0 ? (2.0 - dBrightnessRef / 220.0) * dDistance : dDistance;
}
}  // namespace

COLORREF PushColorAway(COLORREF color, COLORREF reference, double dDistance)
{
    const double bc = ColorDistance(color, 0);
    const double br = ColorDistance(reference, 0);
    const double dTarget = TargetDistance(br, dDistance);
    const bool bTowardsWhite = bc <= br ? br < dTarget : br < 442.0 - dTarget;

    double c[3] = {GetRValue(color) * kRedWeight, GetGValue(color) * kGreenWeight, GetBValue(color) * kBlueWeight};
    double r[3] = {GetRValue(reference) * kRedWeight, GetGValue(reference) * kGreenWeight,
                   GetBValue(reference) * kBlueWeight};
    const double maxima[3] = {kMaxRed, kMaxGreen, kMaxBlue};
    if (bTowardsWhite)
        for (int i = 0; i < 3; ++i)
        {
            c[i] = maxima[i] - c[i];
            r[i] = maxima[i] - r[i];
        }

    const double dLength = std::max(0.01, std::sqrt(c[0] * c[0] + c[1] * c[1] + c[2] * c[2]));
    const double dDot = c[0] * r[0] + c[1] * r[1] + c[2] * r[2];
    const double dProjection = dDot / dLength;
    double dOffset2 = 0.0;
    for (int i = 0; i < 3; ++i)
    {
        const double d = dDot / (dLength * dLength) * c[i] - r[i];
        dOffset2 += d * d;
    }
    // The nearer of the two points on the line that lie at the target distance from the reference.
    const double dRoot = dTarget * dTarget - dOffset2;
    const double t = dProjection - std::sqrt(std::max(0.0, dRoot));
    const double weights[3] = {kRedWeight, kGreenWeight, kBlueWeight};
    int channels[3];
    for (int i = 0; i < 3; ++i)
    {
        double v = c[i] / dLength * t;
        if (bTowardsWhite)
            v = maxima[i] - v;
        v = std::clamp(v, 0.0, maxima[i]);
        channels[i] = std::clamp(static_cast<int>(v / weights[i] + 0.5), 0, 255);
    }
    return RGB(channels[0], channels[1], channels[2]);
}

COLORREF EnsureContrast(COLORREF color, COLORREF reference, int nDistance)
{
    const double dTarget = TargetDistance(ColorDistance(reference, 0), nDistance);
    if (ColorDistance(reference, color) > dTarget)
        return color;
    return PushColorAway(color, reference, nDistance);
}

void InitThemeColors()
{
    static const int kSysIndices[8] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNSHADOW,
                                       COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_GRAYTEXT, COLOR_MENUTEXT};
    for (int i = 0; i < 8; ++i)
        g_sysColors[i] = ::GetSysColor(kSysIndices[i]);
    const COLORREF W = g_sysColors[0], WT = g_sysColors[1], F = g_sysColors[2], S = g_sysColors[3];
    const COLORREF BT = g_sysColors[4], H = g_sysColors[5], G = g_sysColors[6], M = g_sysColors[7];
    const COLORREF K = BlendColors(W, F, 165);
    const COLORREF A = BlendColors(S, W, 70);
    const COLORREF HL = BlendColors(H, W, 30);
    const COLORREF HM = BlendColors(H, W, 50);
    const COLORREF FL = BlendColors(F, W, 143);
    const COLORREF GL = BlendColors(G, W, 70);

    COLORREF* t = g_themeColors;
    t[0] = K;
    t[1] = EnsureContrast(A, K, 50);
    t[2] = EnsureContrast(BT, K, 180);
    t[3] = K;
    t[4] = K;
    t[5] = EnsureContrast(HL, K, 50);
    t[6] = EnsureContrast(H, K, 100);
    t[7] = HM;
    t[8] = H;
    t[9] = K;
    t[10] = K;
    t[11] = EnsureContrast(BlendColors(H, BlendColors(F, W, 48), 7), K, 5);
    t[12] = H;
    t[13] = EnsureContrast(HM, K, 30);
    t[14] = EnsureContrast(H, t[13], 100);
    t[15] = FL;
    t[16] = EnsureContrast(WT, FL, 180);
    t[17] = FL;
    t[18] = EnsureContrast(GL, FL, 80);
    t[19] = EnsureContrast(HL, K, 50);
    t[20] = EnsureContrast(H, K, 100);
    t[21] = EnsureContrast(M, t[19], 180);
    t[22] = FL;
    t[23] = GL;
    t[24] = EnsureContrast(H, K, 100);
    t[25] = K;
    t[26] = EnsureContrast(BlendColors(BT, S, 20), K, 100);
    t[27] = EnsureContrast(A, K, 50);
    t[28] = F;
    t[29] = EnsureContrast(BT, K, 180);
    t[30] = BlendColors(RGB(0, 0, 0), t[5], 25);
    t[31] = BlendColors(S, W, 90);
    t[32] = EnsureContrast(BlendColors(S, W, 75), K, 85);
}

COLORREF GetThemeColor(int nIndex)
{
    if (nIndex < 0 || nIndex >= 33)
        return RGB(255, 255, 255);
    return g_themeColors[nIndex];
}
}  // namespace GXUxTheme

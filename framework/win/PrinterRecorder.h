// A printer for tests: pages of a given size and resolution drawn into memory. It logs the job's
// calls ("CreateDC <device>", "StartDoc <title>", "StartPage", "EndPage", "EndDoc", "AbortDoc")
// and keeps a picture of every page ended. Like a real printer it resets its device context at
// each StartPage (mapping, origins and selected objects as when it was made).
#pragma once

#include "framework/win/PrinterSeam.h"

#include <cstring>
#include <string>
#include <vector>

class CRecordingPrinter : public CPrinterSeam
{
public:
    struct Page
    {
        int width = 0;
        int height = 0;
        std::vector<COLORREF> pixels;   // top row first
        COLORREF GetPixel(int x, int y) const
        {
            return x >= 0 && y >= 0 && x < width && y < height ? pixels[(size_t)y * (size_t)width + (size_t)x] : CLR_INVALID;
        }
    };

    // A page of width x height dots at nDotsPerInch, all of it printable.
    CRecordingPrinter(int nPageWidth = 850, int nPageHeight = 1100, int nDotsPerInch = 100)
        : m_nWidth(nPageWidth), m_nHeight(nPageHeight), m_nDpi(nDotsPerInch)
    {
    }
    ~CRecordingPrinter() override
    {
        for (const Printer& printer : m_printers)
        {
            if (::GetObjectType(printer.hDC) == OBJ_MEMDC &&
                ::GetCurrentObject(printer.hDC, OBJ_BITMAP) == static_cast<HGDIOBJ>(printer.hBitmap))
                ::DeleteDC(printer.hDC);
            ::DeleteObject(printer.hBitmap);
        }
    }

    std::vector<std::string> calls;   // the log; a test may add its own entries in between
    std::vector<Page> pages;
    std::vector<std::string> outputs; // StartDoc's output file ("" for none)
    bool bAvailable = true;           // false: no printer can be made
    bool bStartDocFails = false;
    bool bStartPageFails = false;

    HDC CreateDC(LPCTSTR, LPCTSTR lpszDevice, LPCTSTR, const DEVMODEA*) override
    {
        calls.push_back(std::string("CreateDC ") + (lpszDevice != nullptr ? lpszDevice : ""));
        if (!bAvailable)
            return nullptr;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = m_nWidth;
        info.bmiHeader.biHeight = -m_nHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        Printer printer;
        printer.hDC = ::CreateCompatibleDC(nullptr);
        printer.hBitmap = ::CreateDIBSection(printer.hDC, &info, DIB_RGB_COLORS, &printer.pBits, nullptr, 0);
        ::SelectObject(printer.hDC, printer.hBitmap);
        ::PatBlt(printer.hDC, 0, 0, m_nWidth, m_nHeight, WHITENESS);
        ::SaveDC(printer.hDC);   // the state StartPage goes back to
        m_printers.push_back(printer);
        return printer.hDC;
    }
    int StartDoc(HDC hDC, const DOCINFOA* pDocInfo) override
    {
        if (Find(hDC) == nullptr)
            return ::StartDocA(hDC, pDocInfo);
        calls.push_back(std::string("StartDoc ") + (pDocInfo->lpszDocName != nullptr ? pDocInfo->lpszDocName : ""));
        outputs.push_back(pDocInfo->lpszOutput != nullptr ? pDocInfo->lpszOutput : "");
        return bStartDocFails ? SP_ERROR : 1;
    }
    int StartPage(HDC hDC) override
    {
        Printer* pPrinter = Find(hDC);
        if (pPrinter == nullptr)
            return ::StartPage(hDC);
        calls.push_back("StartPage");
        if (bStartPageFails)
            return SP_ERROR;
        ::RestoreDC(hDC, 1);
        ::SaveDC(hDC);
        ::PatBlt(hDC, 0, 0, m_nWidth, m_nHeight, WHITENESS);
        return 1;
    }
    int EndPage(HDC hDC) override
    {
        Printer* pPrinter = Find(hDC);
        if (pPrinter == nullptr)
            return ::EndPage(hDC);
        calls.push_back("EndPage");
        ::GdiFlush();
        Page page;
        page.width = m_nWidth;
        page.height = m_nHeight;
        page.pixels.resize((size_t)m_nWidth * (size_t)m_nHeight);
        // The section holds blue, green, red bytes; a COLORREF has them the other way round.
        const auto* pSource = static_cast<const BYTE*>(pPrinter->pBits);
        for (size_t i = 0; i < page.pixels.size(); ++i)
            page.pixels[i] = RGB(pSource[4 * i + 2], pSource[4 * i + 1], pSource[4 * i]);
        pages.push_back(std::move(page));
        return 1;
    }
    int EndDoc(HDC hDC) override
    {
        if (Find(hDC) == nullptr)
            return ::EndDoc(hDC);
        calls.push_back("EndDoc");
        return 1;
    }
    int AbortDoc(HDC hDC) override
    {
        if (Find(hDC) == nullptr)
            return ::AbortDoc(hDC);
        calls.push_back("AbortDoc");
        return 1;
    }
    int SetAbortProc(HDC hDC, ABORTPROC pfnAbort) override
    {
        return Find(hDC) == nullptr ? ::SetAbortProc(hDC, pfnAbort) : 1;
    }
    int GetDeviceCaps(HDC hDC, int nIndex) override
    {
        if (Find(hDC) == nullptr)
            return ::GetDeviceCaps(hDC, nIndex);
        switch (nIndex)
        {
        case HORZRES:
        case PHYSICALWIDTH:
            return m_nWidth;
        case VERTRES:
        case PHYSICALHEIGHT:
            return m_nHeight;
        case LOGPIXELSX:
        case LOGPIXELSY:
            return m_nDpi;
        case PHYSICALOFFSETX:
        case PHYSICALOFFSETY:
            return 0;
        case HORZSIZE:
            return m_nWidth * 254 / (m_nDpi * 10);   // millimetres
        case VERTSIZE:
            return m_nHeight * 254 / (m_nDpi * 10);
        case TECHNOLOGY:
            return DT_RASPRINTER;
        default:
            return ::GetDeviceCaps(hDC, nIndex);
        }
    }

    // Printer names and a device mode as the print dialogs give them, for a modal hook's answers.
    static HGLOBAL MakeDevNames(const char* driver, const char* device, const char* port)
    {
        const size_t cbDriver = std::strlen(driver) + 1;
        const size_t cbDevice = std::strlen(device) + 1;
        const size_t cbPort = std::strlen(port) + 1;
        HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + cbDriver + cbDevice + cbPort);
        auto* pNames = static_cast<DEVNAMES*>(::GlobalLock(hNames));
        pNames->wDriverOffset = (WORD)sizeof(DEVNAMES);
        pNames->wDeviceOffset = (WORD)(pNames->wDriverOffset + cbDriver);
        pNames->wOutputOffset = (WORD)(pNames->wDeviceOffset + cbDevice);
        char* pText = reinterpret_cast<char*>(pNames);
        std::memcpy(pText + pNames->wDriverOffset, driver, cbDriver);
        std::memcpy(pText + pNames->wDeviceOffset, device, cbDevice);
        std::memcpy(pText + pNames->wOutputOffset, port, cbPort);
        ::GlobalUnlock(hNames);
        return hNames;
    }
    // The device name of printer names as the print dialogs give them; empty without any.
    static std::string DevNamesDevice(HGLOBAL hNames)
    {
        if (hNames == nullptr)
            return "";
        const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(hNames));
        std::string name = reinterpret_cast<const char*>(pNames) + pNames->wDeviceOffset;
        ::GlobalUnlock(hNames);
        return name;
    }
    static HGLOBAL MakeDevMode(const char* device, short nOrientation)
    {
        HGLOBAL hMode = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODEA));
        auto* pMode = static_cast<DEVMODEA*>(::GlobalLock(hMode));
        lstrcpynA(reinterpret_cast<char*>(pMode->dmDeviceName), device, CCHDEVICENAME);
        pMode->dmSize = sizeof(DEVMODEA);
        pMode->dmSpecVersion = DM_SPECVERSION;
        pMode->dmFields = DM_ORIENTATION;
        pMode->dmOrientation = nOrientation;
        ::GlobalUnlock(hMode);
        return hMode;
    }

private:
    struct Printer
    {
        HDC hDC = nullptr;
        HBITMAP hBitmap = nullptr;
        void* pBits = nullptr;
    };
    int m_nWidth;
    int m_nHeight;
    int m_nDpi;
    std::vector<Printer> m_printers;

    Printer* Find(HDC hDC)
    {
        for (Printer& printer : m_printers)
            if (printer.hDC == hDC)
                return &printer;
        return nullptr;
    }
};

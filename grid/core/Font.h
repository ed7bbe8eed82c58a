#pragma once
// The font record of a cell style. Its attributes are packed into two words with an unset value
// each; fonts with equal attributes share one reference-counted record that holds the LOGFONT.
// The library-wide face registry gives every face name a 10-bit id.

#include "framework/core/Archive.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "grid/core/GridCollections.h"
#include "grid/core/GridTypes.h"

#include <windows.h>

#include <memory>
#include <vector>

// Logical pixels per inch of the display, with which font sizes in points become pixels. Printing
// maps this many logical units onto an inch of paper, so fonts and sizes print as the screen shows them.
SIZE GXGetFontLogPixels();

// Shared font data: one record per distinct font key, alive while some font holds it.
struct CGXFontData
{
    volatile LONG nRefCount;
    ULONGLONG key;
    LOGFONT lf;
};

struct GXFontFaceEntry
{
    char szFaceName[67];  // the face, or "face (script)" for an entry that names a character set
    BYTE nCharSet;
    BYTE nPitchAndFamily;
    BYTE nCharSet2;
    WORD nFaceId;         // 1023 until the face is first used
    BYTE nFontType;
    bool bScriptSuffix;
    bool bEnumerated;
};

class CGXFontFaceRegistry
{
public:
    enum
    {
        noFace = 1023,
        maxFaceName = 66
    };

    CGXFontFaceRegistry();
    ~CGXFontFaceRegistry();
    CGXFontFaceRegistry(const CGXFontFaceRegistry&) = delete;
    CGXFontFaceRegistry& operator=(const CGXFontFaceRegistry&) = delete;

    // The id of a face, adding the face when it is unknown; 1023 for an empty name or when no id is left.
    unsigned FindOrAddFace(LPCTSTR pszName, BYTE nCharSet, BYTE nPitchAndFamily);
    // The entry of an id, NULL when the id is out of range.
    const GXFontFaceEntry* GetFaceEntry(unsigned nFaceId);
    BYTE GetPitchAndFamily(unsigned nFaceId);
    // The script name of a character set as the display's fonts report it ("" when unknown).
    LPCTSTR GetScriptName(BYTE nCharSet);

    CGXMapFontData& GetFontDataMap() { return m_fontData; }

private:
    void EnsureBuilt();
    GXFontFaceEntry* Find(LPCTSTR pszName);
    static int CALLBACK EnumFaceProc(const LOGFONT* pLogFont, const TEXTMETRIC* pMetric, DWORD nFontType,
                                     LPARAM lParam);

    bool m_bBuilt = false;
    std::vector<GXFontFaceEntry> m_table;                 // enumerated faces, sorted by name
    // Faces added later: their entries in a store that holds as many as there are ids, allocated
    // once, and sorted by name through m_added. Documents (damaged ones too) can name faces until
    // every id is taken: the memory is then the same as at the first face, not a block per face.
    std::vector<GXFontFaceEntry> m_addedStore;
    std::vector<GXFontFaceEntry*> m_added;
    std::vector<GXFontFaceEntry*> m_byId;
    char m_scriptNames[256][32];
    char m_szLastFace[LF_FACESIZE];
    CGXMapFontData m_fontData;
};

CGXFontFaceRegistry& GXGetFontFaceRegistry();
unsigned GXFindOrAddFontFace(LPCTSTR pszName, BYTE nCharSet = DEFAULT_CHARSET, BYTE nPitchAndFamily = 0);
// The entry (its szFaceName first) of a face id, NULL when the id is out of range.
const GXFontFaceEntry* GXGetFontFaceEntry(unsigned nFaceId);

class CGXFont : public CObject
{
    DECLARE_SERIAL(CGXFont)

public:
    enum
    {
        unsetWeight = 15,
        unsetSize = 0,
        unsetOrientation = 511,
        unsetFace = 1023,
        maxQuarterPoints = 1023
    };

    CGXFont();
    CGXFont(const CGXFont& other);
    // A font built from its text form.
    explicit CGXFont(LPCTSTR pszDescription);
    ~CGXFont() override;
    CGXFont& operator=(const CGXFont& other);
    CGXFont& operator=(const LOGFONT& lf) { return SetLogFont(lf); }

    static unsigned PointsToQuarterPoints(double dPoints);
    static double QuarterPointsToPoints(unsigned nQuarterPoints) { return nQuarterPoints * 0.25; }
    static unsigned TenthsToDegrees(LONG nTenths);
    static LONG DegreesToTenths(unsigned nDegrees) { return static_cast<LONG>(nDegrees) * 10; }
    static LONG WeightCodeToWeight(unsigned nCode) { return static_cast<LONG>(nCode) * 100; }

    // Marks every attribute unset and releases the shared font data.
    CGXFont& Clear();
    BOOL IsEmpty() const;

    BOOL GetIncludeWeight() const { return GetWeightCode() != unsetWeight; }
    unsigned GetWeightCode() const { return (m_dwWord0 >> 7) & 0xF; }
    LONG GetWeight() const { return WeightCodeToWeight(GetWeightCode()); }
    BOOL GetBold() const { return GetIncludeWeight() && GetWeight() >= FW_BOLD; }
    CGXFont& SetWeight(LONG nWeight);
    CGXFont& SetBold(BOOL bBold) { return SetWeight(bBold ? FW_BOLD : FW_NORMAL); }
    CGXFont& SetIncludeWeight(BOOL bInclude);

    BOOL GetIncludeSize() const { return GetQuarterPoints() != unsetSize; }
    unsigned GetQuarterPoints() const { return (m_dwWord0 >> 11) & 0x3FF; }
    double GetSize() const { return QuarterPointsToPoints(GetQuarterPoints()); }
    CGXFont& SetSize(double dPoints);
    CGXFont& SetIncludeSize(BOOL bInclude);

    BOOL GetIncludeItalic() const { return (m_dwWord0 & flagItalicSet) != 0; }
    BOOL GetItalic() const { return (m_dwWord0 & flagItalic) != 0; }
    CGXFont& SetItalic(BOOL bItalic);
    CGXFont& SetIncludeItalic(BOOL bInclude);
    BOOL GetIncludeUnderline() const { return (m_dwWord0 & flagUnderlineSet) != 0; }
    BOOL GetUnderline() const { return (m_dwWord0 & flagUnderline) != 0; }
    CGXFont& SetUnderline(BOOL bUnderline);
    CGXFont& SetIncludeUnderline(BOOL bInclude);
    BOOL GetIncludeStrikeOut() const { return (m_dwWord0 & flagStrikeOutSet) != 0; }
    BOOL GetStrikeOut() const { return (m_dwWord0 & flagStrikeOut) != 0; }
    CGXFont& SetStrikeOut(BOOL bStrikeOut);
    CGXFont& SetIncludeStrikeOut(BOOL bInclude);

    BOOL GetIncludeOrientation() const { return GetOrientationDegrees() != unsetOrientation; }
    unsigned GetOrientationDegrees() const { return (m_dwWord0 >> 21) & 0x1FF; }
    LONG GetOrientation() const { return DegreesToTenths(GetOrientationDegrees()); }  // tenths of a degree
    CGXFont& SetOrientation(LONG nTenths);
    CGXFont& SetIncludeOrientation(BOOL bInclude);

    BOOL GetIncludeFaceName() const { return GetFaceId() != unsetFace; }
    unsigned GetFaceId() const { return m_dwWord1 & 0x3FF; }
    // The registered face name, "" when unset.
    LPCTSTR GetFaceName() const;
    CGXFont& SetFaceId(unsigned nFaceId);
    CGXFont& SetFaceName(LPCTSTR pszFaceName);
    CGXFont& SetIncludeFaceName(BOOL bInclude);

    CGXFont& SetLogFont(const LOGFONT& lf);
    // Arial of normal weight and 10 points (the stock GUI font's face on a double-byte system).
    CGXFont& SetStandardFont();

    // Shared font data, attached on first request.
    CGXFontData* GetFontData() const;
    const LOGFONT& GetLogFont() const { return GetFontData()->lf; }
    LOGFONT GetLogFontZoomed(int nZoomPercent) const;
    void AttachFontData() const;
    void ReleaseFontData() const;
    void ReleaseSharedData() const { ReleaseFontData(); }
    BOOL HoldsFontData() const { return (m_dwWord0 & flagReference) != 0; }

    // Merges another font by the style modes.
    CGXFont& ChangeFont(const CGXFont& other, GXModifyType mode);
    // TRUE when every attribute that the other font sets is set equally here.
    BOOL CompareSubset(const CGXFont& other) const;

    // Text form "face,size,weight,italic,underline,strikeout,orientation"; empty fields are unset.
    void FormatDescription(LPTSTR pszBuffer, size_t cchBuffer = 128) const;
    CString& GetDescription(CString& text) const;
    CGXFont& SetDescription(LPCTSTR pszDescription);

    // Handed to the application-wide style serializer and profile components.
    void Serialize(CArchive& ar) override;
    void WriteProfile(LPCTSTR pszSection, LPCTSTR pszEntry) const;

    // The two packed words without the reference flag.
    ULONGLONG GetKey() const
    {
        return (static_cast<ULONGLONG>(m_dwWord1) << 32) | (m_dwWord0 & ~static_cast<DWORD>(flagReference));
    }

private:
    enum : DWORD
    {
        flagReference = 1u << 0,
        flagItalicSet = 1u << 1,
        flagUnderlineSet = 1u << 2,
        flagStrikeOutSet = 1u << 3,
        flagItalic = 1u << 4,
        flagUnderline = 1u << 5,
        flagStrikeOut = 1u << 6
    };

    void SetField(DWORD& word, unsigned nShift, DWORD nMask, DWORD nValue);
    void SetFlag(DWORD nFlag, BOOL bOn);

    // Word 0: bit 0 reference flag, 1-3 italic/underline/strikeout set, 4-6 their values,
    // 7-10 weight code, 11-20 size in quarter points, 21-29 orientation in degrees.
    // Word 1: bits 0-9 face id.
    mutable DWORD m_dwWord0;
    DWORD m_dwWord1;
    mutable CGXFontData* m_pFontData;
};

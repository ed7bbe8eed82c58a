#pragma once
// The registry of named base styles, user attributes and control names that a grid shares with
// its cells. Base styles get 16-bit ids in the order of their first registration; styles registered
// by a string-table id keep that id too.

#include "framework/core/CString.h"
#include "framework/core/Collections.h"
#include "framework/core/Object.h"
#include "grid/core/GridTypes.h"

#include <vector>

class CGXStyle;

// String-table ids of the standard base styles.
enum : UINT
{
    GX_IDS_STYLE_STANDARD = 52768,
    GX_IDS_STYLE_ROWHEADER = 52769,
    GX_IDS_STYLE_COLHEADER = 52770
};

// One registered base style.
struct CGXStylesMapEntry
{
    WORD nStyleId = 0;
    UINT nResourceId = 0;  // 0 when registered by name
    CString sName;
    CGXStyle* pStyle = nullptr;  // owned
    BOOL bSystemStyle = FALSE;   // the flag given at registration
};

// One registered user attribute: its name and a style that says how its value is edited.
struct CGXStylesMapUserAttributeInfo
{
    WORD nId = 0;
    CString sName;
    CGXStyle* pStyle = nullptr;  // owned
};

class CGXStylesMap : public CObject
{
    DECLARE_SERIAL(CGXStylesMap)

public:
    explicit CGXStylesMap(CRuntimeClass* pStyleClass = nullptr);
    CGXStylesMap(const CGXStylesMap& other);
    ~CGXStylesMap() override;

    // A deep copy through the parameter-copy component; nothing while it is not installed.
    CGXStylesMap& operator=(const CGXStylesMap& other);

    // Through the document serializer, the profile component; nothing while they are missing.
    void Serialize(CArchive& ar) override;
    virtual void WriteProfile() const;
    virtual BOOL ReadProfile();

    CRuntimeClass* GetStyleClass() const { return m_pStyleClass; }
    // A new, empty style of the map's style class.
    CGXStyle* CreateStyle() const;

    // Base styles. A new name (string-table id) takes the next of the 65536 ids; once they are all
    // taken, a new one is refused with a CResourceException and the map stays as it was.
    WORD RegisterStyle(LPCTSTR pszName, const CGXStyle& style, BOOL bSystemStyle = FALSE);
    WORD RegisterStyleName(UINT nResourceId, const CGXStyle& style, BOOL bSystemStyle = FALSE);
    BOOL LookupStyleId(LPCTSTR pszName, WORD& nStyleId) const;
    // The id registered for a string-table id. A registered string-table id answers TRUE with its
    // style id (which may be 0, the first registered style); an unknown one answers FALSE.
    BOOL LookupResourceStyleId(UINT nResourceId, WORD& nStyleId) const;
    BOOL LookupStyle(WORD nStyleId, const CGXStyle*& pStyle) const;
    BOOL LookupStyle(WORD nStyleId, CGXStyle*& pStyle) const;
    BOOL LookupStyleByName(LPCTSTR pszName, WORD& nStyleId, UINT& nResourceId, const CGXStyle*& pStyle) const;
    // The name of an id and its string-table id; NULL when the id is not registered.
    LPCTSTR GetStyleName(WORD nStyleId, UINT& nResourceId) const;
    // -1 when base styles are registered, else 0.
    BOOL IsEmpty() const;

    // How many base styles a style rests on at most, each the base of the one before: far more than
    // any real grid uses. A style is composed from no more than these, whatever its map holds.
    static constexpr UINT nMaxBaseStyleDepth = 256;
    // Whether no registered style rests on base styles that rest on others beyond the depth above
    // (with the style itself, at most nMaxBaseStyleDepth styles), nor on a circle of them.
    BOOL AreBaseStylesBounded() const { return GetUnboundedBaseStyleLinks().empty(); }
    // The styles (ascending ids) whose base-style links must go for the map to be bounded so. Each
    // style, lowest id first, is walked along its base styles: the link back to a style of the walk
    // (the last link of a circle) goes, and so does the link that leads the walk past its
    // nMaxBaseStyleDepth-th style, so that the style a walk starts from composes as it did. A walk
    // that reaches a style walked before, too deep for it, loses its link into that style.
    std::vector<WORD> GetUnboundedBaseStyleLinks() const;
    // Drops those links (the styles keep everything else); how many went.
    int DropUnboundedBaseStyleLinks();
    void RemoveAll();
    int GetStyleCount() const { return static_cast<int>(m_mwpIdInfo.GetCount()); }
    POSITION GetStartPosition() const { return m_mwpIdInfo.GetStartPosition(); }
    void GetNextStyle(POSITION& pos, WORD& nStyleId, const CGXStylesMapEntry*& pEntry) const;

    // The three standard styles and their ids.
    void CreateStandardStyles();
    WORD m_wStyleStandard = 0;
    WORD m_wStyleColHeader = 0;
    WORD m_wStyleRowHeader = 0;
    const CGXStyle* GetStandardStyle() const;

    // User attributes.
    void AddUserAttribute(WORD nId, const CGXStyle* pStyle = nullptr);
    const CMapWordToPtr& GetUserAttributeInfoMap() const { return m_mwpUserAttributeInfo; }
    const CGXStylesMapUserAttributeInfo* LookupUserAttributeInfo(WORD nId) const;
    // The id of a registered user attribute's name, FALSE when none has that name.
    BOOL LookupUserAttributeId(LPCTSTR pszName, WORD& nId) const;
    void RemoveAllUserAttributes();
    void RemoveAllUserAttributeInfos() { RemoveAllUserAttributes(); }

    // Control ids with their display names.
    void RegisterControl(WORD nControlId);
    BOOL LookupControlName(WORD nControlId, CString& name) const;
    const CMapWordToPtr& GetControlNameMap() const { return m_mwpControlName; }

    // Profile section of the styles, "Styles" by default.
    const CString& GetSection() const { return m_sSection; }
    void SetSection(LPCTSTR pszSection) { m_sSection = pszSection; }

    // The further map: only created, copied and deleted by the library.
    CMapWordToPtr& GetExtraMap() { return m_mwpExtra; }

    // For the archive, profile and copy components, which rebuild a map as it was stored.
    void SetStyleClass(CRuntimeClass* pStyleClass) { m_pStyleClass = pStyleClass; }
    // Takes the style and stores it under its id as it stands; the name and, when not 0, the
    // string-table id then lead to that id.
    void SetStyleEntry(WORD nStyleId, UINT nResourceId, LPCTSTR pszName, CGXStyle* pStyle, BOOL bSystemStyle);
    // The name index (name to style id), which may name ids under more than one name.
    INT_PTR GetNameIndexCount() const { return m_mswNameId.GetCount(); }
    POSITION GetNameIndexStart() const { return m_mswNameId.GetStartPosition(); }
    void GetNextNameIndex(POSITION& pos, CString& name, WORD& nStyleId) const;
    // The id that the next new style gets; above 0xFFFF once all ids are taken.
    DWORD GetNextStyleId() const { return m_nLastId; }
    void SetNextStyleId(DWORD nNextId) { m_nLastId = nNextId; }
    // Takes the style that describes how the attribute is edited.
    void SetUserAttributeInfo(WORD nId, LPCTSTR pszName, CGXStyle* pStyle);
    void SetControlName(WORD nControlId, LPCTSTR pszName);
    void RemoveAllControlNames();
    // The ids of the standard, column-header and row-header styles, looked up by their string-table ids.
    void LookupStandardStyleIds();

private:
    WORD NewStyleId();
    WORD StoreStyle(WORD nStyleId, UINT nResourceId, const CString& name, const CGXStyle& style, BOOL bSystemStyle);
    static CString LoadText(UINT nId);

    CRuntimeClass* m_pStyleClass;
    CMapWordToPtr m_mwpIdInfo;           // style id -> CGXStylesMapEntry*
    CMapStringToPtr m_mswNameId;         // name -> style id
    CMapWordToPtr m_mwwResourceId;       // string-table id (16 bits) -> style id
    CMapWordToPtr m_mwpUserAttributeInfo;  // id -> CGXStylesMapUserAttributeInfo*
    CMapWordToPtr m_mwpControlName;      // control id -> CString*
    CMapWordToPtr m_mwpExtra;
    CString m_sSection;
    DWORD m_nLastId = 0;   // the next id to hand out; above 0xFFFF when all are taken
};

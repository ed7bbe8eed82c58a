#pragma once
// Grid settings in the application's profile: the styles map with its base styles, single styles and
// fonts, and the grid properties. The profile is the application's (CWinApp): subkeys of its registry
// key when it has one, else sections of its INI file. One object serves the process; the core's
// classes reach it through the library links.

#include "framework/core/CString.h"
#include "grid/core/LibraryLinks.h"

class CGXStyle;

class CGXGridProfileImp : public CGXAbstractGridProfileImp
{
public:
    void WriteStylesMapProfile(const CGXStylesMap& stylesMap) override;
    // Nothing when the section or the entry is NULL.
    void WriteFontProfile(const CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) override;
    // Every attribute's entry: written when the style sets it, deleted when it does not.
    void WriteStyleProfile(const CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) override;
    void WritePropertiesProfile(const CGXProperties& properties) override;
    // TRUE when the section held at least one style; without any the map stays as it was.
    BOOL ReadStylesMapProfile(CGXStylesMap& stylesMap) override;
    // TRUE when the entry was there and not empty.
    BOOL ReadFontProfile(CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) override;
    // FALSE only for a NULL section; missing entries leave their attributes unset.
    BOOL ReadStyleProfile(CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) override;
    // FALSE when the section does not exist; missing entries keep their settings.
    BOOL ReadPropertiesProfile(CGXProperties& properties) override;
};

// Creates the profile component once and hands it to the library's application data.
void InstallProfileImp();

// "%ld" of the value.
void GXWriteProfileLong(LPCTSTR pszSection, LPCTSTR pszEntry, LONG nValue);
// "%lu" of the value when bSet, else the entry is deleted.
void GXWriteProfileValue(LPCTSTR pszSection, LPCTSTR pszEntry, BOOL bSet, DWORD dwValue);
// The entry's number (atol) when it is not empty, else the default.
LONG GXGetProfileLong(LPCTSTR pszSection, LPCTSTR pszEntry, LONG nDefault);
// Stores a user attribute made from the text (a number text becomes a double, other text a string).
void GXSetUserAttributeText(CGXStyle& style, WORD nId, LPCTSTR pszText);

// A choice list on one profile line: CR dropped, LF written as backslash and "n", backslashes doubled;
// and back (backslash and "n" give CR LF).
CString GXEscapeChoiceList(const CString& choices);
CString GXUnescapeChoiceList(const CString& text);

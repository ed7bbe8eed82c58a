#pragma once

#include <initializer_list>
#include <span>
#include <vector>

#include "framework/core/CString.h"

class CProjectData;

// A value of the design that a result is computed from, or a result: a text field or choice word of
// the record, the sieve table of a material layer, or the verdicts of the separator criteria.
class CDesignValue
{
public:
    using TextField = CString CProjectData::*;

    constexpr CDesignValue(TextField field) : m_field(field) {}
    // The 72 texts of a layer's sieve table (CProjectData::LayerBase, LayerSubgrade, LayerSeparator).
    static constexpr CDesignValue SieveTable(int nLayer)
    {
        CDesignValue value;
        value.m_nSieveLayer = nLayer;
        return value;
    }
    // The pass or fail verdicts that the separator page shows while `Criteria evaluated` is set.
    static constexpr CDesignValue SeparatorVerdicts()
    {
        CDesignValue value;
        value.m_bVerdicts = true;
        return value;
    }

    TextField Field() const { return m_field; }
    // Empties a result (a sieve table is never one).
    void Clear(CProjectData& data) const;

    friend bool operator==(const CDesignValue&, const CDesignValue&) = default;

private:
    constexpr CDesignValue() = default;

    TextField m_field = nullptr;
    int m_nSieveLayer = -1;
    bool m_bVerdicts = false;
};

// Which result of the design is computed from which values, for every page: the one place that says
// what a change makes stale. A result field is so either current or empty.
class CResultDependencies
{
public:
    // Empties every result computed from one of the changed values, then every result computed from
    // those, wherever it is shown. The changed values themselves stay: they are what a page has just
    // stored, typed or computed. Choice words decide which formula a result came from, so they are
    // read as the record holds them now; a change of the word itself is a change like any other.
    // The kept values stay too, without being changes: what the engineer typed over the same text.
    static void ClearResultsOf(CProjectData& data, std::span<const CDesignValue> changed,
                               std::span<const CDesignValue> kept = {});
    static void ClearResultsOf(CProjectData& data, std::initializer_list<CDesignValue> changed);

    // True for a result that is its sieve table's own values made visible (a layer's grain sizes,
    // p200, CU and CC): the gradation analysis fills them from a table that did not change.
    static bool IsShownFromTable(CDesignValue::TextField field);

    // Every text field that the table names, as input or as result.
    static const std::vector<CDesignValue::TextField>& TextFields();
};

// What one command of a page changes in the record. Taken before the command, it compares the text
// fields of the table afterwards and empties the results of those that changed. A value that
// appears where the record held none is a change too: the pages compute with an empty text as 0.
// What the command set itself stays, even where another of its changes reaches it (q_i computed,
// with the total it empties), and so does what it stored from the engineer's typing (StoreTyped).
// Sieve tables are not compared: the grid's own storing normalises their texts without changing the
// gradation; the sieve page reports real edits itself.
class CRecordChange
{
public:
    explicit CRecordChange(CProjectData* pData);
    ~CRecordChange();
    CRecordChange(const CRecordChange&) = delete;
    CRecordChange& operator=(const CRecordChange&) = delete;

    // Empties what the changes made stale; true when any field of the table changed or was set by
    // Forget or ShowFromTable.
    bool ClearStaleResults();

    // Empties a field without changing it for the commands under way on the record: an input that a
    // typed result drops so that the computed and the typed value cannot disagree. What was
    // computed from it stays.
    static void Forget(CProjectData& data, CDesignValue::TextField field);

    // Stores what the engineer typed into a field's edit. The field is the command's own, changed or
    // not: "12" typed over "12." stores the same text, and the inputs that the typing clears so
    // that a typed and a computed value cannot disagree must not empty it as a result of theirs.
    static void StoreTyped(CProjectData& data, CDesignValue::TextField field, const CString& strValue);

    // Sets a value that the gradation analysis fills from a sieve table. Where the record held none
    // and the table marks the value as the table's own (CResultDependencies::IsShownFromTable), it
    // was there all along: what was computed meanwhile came from the table and stays. Anywhere
    // else it is a change like any other.
    static void ShowFromTable(CProjectData& data, CDesignValue::TextField field, const CString& strValue);

private:
    // Sets a field as no change for the commands under way that had not changed it yet.
    static void SetUnchanged(CProjectData& data, CDesignValue::TextField field, const CString& strValue);

    CProjectData* m_pData;
    std::vector<CString> m_before;
    std::vector<CDesignValue> m_typed;
    bool m_bSetUnchanged = false;
    // The command under way when this one began: one can run inside another, as when a command
    // moves the focus out of an edit whose page stores it at once.
    CRecordChange* m_pOuter;
    static CRecordChange* s_pInnermost;
};

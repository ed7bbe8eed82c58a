// Rows of values read from plain text (tab- or comma-separated cells, one row per line) into the chart.
#include "chart/model/Graph.h"

#include "framework/core/NumberText.h"

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
struct Cell
{
    enum Kind { empty, number, text } kind = empty;
    double value = 0.0;
    CString raw;
};

struct Row
{
    std::vector<Cell> cells;
    bool hasSeparator = false;
    // A line with nothing on it but blanks: it makes no group.
    bool IsBlank() const
    {
        if (hasSeparator || cells.size() != 1)
            return false;
        CString text = cells[0].raw;
        text.TrimLeft(' ');
        return text.IsEmpty();
    }
};

Cell ParseCell(const std::string& raw)
{
    Cell cell;
    cell.raw = raw.c_str();
    if (raw.find_first_not_of(" ") == std::string::npos) {
        cell.kind = raw.empty() ? Cell::empty : Cell::text;
        return cell;
    }
    float number = 0;
    if (std::sscanf(raw.c_str(), "%g", &number) == 1) {
        cell.kind = Cell::number;
        cell.value = number;
        return cell;
    }
    // Dates become their serial value, as the user's locale writes them.
    std::wstring wide(raw.size() + 1, L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, raw.c_str(), int(raw.size()), wide.data(), int(wide.size()));
    wide.resize(size_t(length > 0 ? length : 0));
    DATE date = 0;
    if (!wide.empty() && SUCCEEDED(::VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, LOCALE_NOUSEROVERRIDE, &date))) {
        cell.kind = Cell::number;
        cell.value = date;
        return cell;
    }
    cell.kind = Cell::text;
    return cell;
}

// Cells end at a tab or ','; rows at CR, LF or '|' (a LF right after a CR belongs to it).
std::vector<Row> SplitRows(LPCTSTR lpszText, bool& firstRowEmpty)
{
    std::vector<Row> rows;
    Row row;
    std::string cell;
    bool rowHasContent = false;
    firstRowEmpty = false;
    const char* p = lpszText;
    auto endRow = [&] {
        row.cells.push_back(ParseCell(cell));
        rows.push_back(std::move(row));
        row = Row();
        cell.clear();
        rowHasContent = false;
    };
    for (; *p != '\0'; ++p) {
        const char ch = *p;
        if (ch == '\t' || ch == ',') {
            row.cells.push_back(ParseCell(cell));
            row.hasSeparator = true;
            cell.clear();
            rowHasContent = true;
        } else if (ch == '\r' || ch == '\n' || ch == '|') {
            if (rows.empty() && !rowHasContent && cell.empty())
                firstRowEmpty = true;
            endRow();
            if (ch == '\r' && p[1] == '\n')
                ++p;
        } else {
            cell += ch;
            rowHasContent = true;
        }
    }
    if (rowHasContent || !cell.empty())
        endRow();
    return rows;
}

// n in base 26 with the digits A to Z (A = 0), most significant first.
CString IndexText(int n)
{
    std::string digits;
    do {
        digits.insert(digits.begin(), char('A' + n % 26));
        n /= 26;
    } while (n > 0);
    return CString(digits.c_str());
}
}  // namespace

void QVGraph::ReadDataText(LPCTSTR lpszText)
{
    if (m_pDataManager == NULL || lpszText == NULL)
        return;
    if (!m_bNoData) {
        RemoveAllData();
        ResetDataCursor();
    }
    bool firstRowEmpty = false;
    const std::vector<Row> rows = SplitRows(lpszText, firstRowEmpty);
    if (rows.empty())
        return;
    auto storeCell = [this](const Cell& cell, int index, int group, bool emptyIsZero) {
        if (cell.kind == Cell::number) {
            SetValue(index, group, cell.value);
            return;
        }
        QVGraphData* pItem = m_pDataManager->GetGroup(group, TRUE)->GetItem(index, TRUE);
        if (cell.kind == Cell::empty && emptyIsZero)
            pItem->SetValue(0.0);
        pItem->SetNull(TRUE);
    };

    const Cell& first = rows[0].cells.front();
    const bool header = !firstRowEmpty && (first.kind != Cell::number);
    if (header) {
        const Row& titles = rows[0];
        if (first.kind == Cell::text)
            m_pDataManager->SetManagerText(first.raw, 1);
        for (size_t n = 1; n < titles.cells.size(); ++n) {
            m_pDataManager->SetItemText(int(n - 1), 0, titles.cells[n].raw);
            if (titles.cells[n].kind == Cell::text)
                m_pDataManager->GetGroup(0, TRUE)->GetItem(int(n - 1), TRUE)->SetNull(TRUE);
        }
        int group = 0;
        for (size_t r = 1; r < rows.size(); ++r) {
            if (rows[r].IsBlank())
                continue;
            m_pDataManager->SetGroupText(group, rows[r].cells.front().raw);
            for (size_t c = 1; c < rows[r].cells.size(); ++c)
                storeCell(rows[r].cells[c], int(c - 1), group, true);
            ++group;
        }
    } else {
        // An empty first row stores nothing: the values start in group 1.
        int group = firstRowEmpty ? 1 : 0;
        for (size_t r = firstRowEmpty ? 1 : 0; r < rows.size(); ++r) {
            const Row& row = rows[r];
            if (row.IsBlank())
                continue;
            for (size_t c = 0; c < row.cells.size(); ++c)
                storeCell(row.cells[c], int(c), group, false);
            ++group;
        }
        const int groups = m_pDataManager->GetGroupCount();
        for (int group = 0; group < groups; ++group)
            m_pDataManager->SetGroupText(group, NumberText::Format("%d", group).c_str());
        const int indexes = m_pDataManager->GetMaxGroupSize();
        for (int index = 0; index < indexes; ++index)
            m_pDataManager->SetItemText(index, 0, IndexText(index));
    }
    m_bNoData = 0;
    Refresh();
}

// The rows, columns, sort state and stored widths of a sortable report list, without a window.
#include "list/sorted_list_model.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "list/column_widths.h"
#include "list/list_compare.h"
#include "list/stable_order.h"
#include "platform/text_compare.h"

namespace {

const std::string& EmptyText() {
    static const std::string kEmpty;
    return kEmpty;
}

template <typename Texts>
std::vector<std::string> CopyTexts(const Texts& texts, std::size_t columnCount) {
    std::vector<std::string> copies;
    copies.reserve(columnCount);
    for (const auto& text : texts) {
        if (copies.size() == columnCount) break;
        copies.emplace_back(text);
    }
    copies.resize(columnCount);
    return copies;
}

}  // namespace

bool CSortedListModel::SetColumnLayout(std::string_view layout) {
    for (CListColumn& column : ParseColumnLayout(layout)) {
        if (m_arrColumns.size() >= static_cast<std::size_t>(INT_MAX)) return false;
        const int index = GetColumnCount();
        m_arrColumns.push_back(column);
        for (CRow& row : m_arrRows) row.m_arrTexts.emplace_back();
        if (m_pView && !m_pView->OnColumnAdded(index, column.m_strName, column.m_nWidth)) {
            m_arrColumns.pop_back();
            for (CRow& row : m_arrRows) row.m_arrTexts.pop_back();
            return false;
        }
    }
    return true;
}

const std::string& CSortedListModel::GetColumnName(int column) const {
    return IsColumn(column) ? m_arrColumns[static_cast<std::size_t>(column)].m_strName
                            : EmptyText();
}

int CSortedListModel::GetColumnWidth(int column) const {
    return IsColumn(column) ? m_arrColumns[static_cast<std::size_t>(column)].m_nWidth : 0;
}

bool CSortedListModel::SetColumnWidth(int column, int width) {
    if (!IsColumn(column)) return false;
    m_arrColumns[static_cast<std::size_t>(column)].m_nWidth = std::clamp(width, 0, kMaxColumnWidth);
    return true;
}

int CSortedListModel::AppendRow(std::initializer_list<std::string_view> texts) {
    return InsertCopied(GetRowCount(), CRow{CopyTexts(texts, m_arrColumns.size())});
}

int CSortedListModel::AppendRow(const std::vector<std::string>& texts) {
    return InsertCopied(GetRowCount(), CRow{CopyTexts(texts, m_arrColumns.size())});
}

int CSortedListModel::InsertRow(int index, std::initializer_list<std::string_view> texts) {
    return InsertCopied(index, CRow{CopyTexts(texts, m_arrColumns.size())});
}

int CSortedListModel::InsertRow(int index, const std::vector<std::string>& texts) {
    return InsertCopied(index, CRow{CopyTexts(texts, m_arrColumns.size())});
}

int CSortedListModel::InsertCopied(int index, CRow row) {
    if (m_arrRows.size() >= static_cast<std::size_t>(INT_MAX)) return -1;
    if (m_bInsertSorted) {
        index = SortedPosition(row.m_arrTexts.empty() ? EmptyText() : row.m_arrTexts[0]);
    } else {
        index = std::clamp(index, 0, GetRowCount());
    }
    m_arrRows.insert(m_arrRows.begin() + index, std::move(row));
    if (m_pView) m_pView->OnRowInserted(index);
    return index;
}

int CSortedListModel::SortedPosition(const std::string& text) const {
    // Linear, so that a list re-sorted by another column still gets a well-defined place.
    for (int i = 0; i < GetRowCount(); ++i) {
        if (platform::CompareLocaleText(GetText(i, 0), text) > 0) return i;
    }
    return GetRowCount();
}

bool CSortedListModel::DeleteRow(int row) {
    if (!IsRow(row)) return false;
    m_arrRows.erase(m_arrRows.begin() + row);
    if (m_pView) m_pView->OnRowDeleted(row);
    return true;
}

void CSortedListModel::DeleteAllRows() {
    m_arrRows.clear();
    if (m_pView) m_pView->OnAllRowsDeleted();
}

const std::string& CSortedListModel::GetText(int row, int column) const {
    if (!IsRow(row)) return EmptyText();
    const std::vector<std::string>& texts = m_arrRows[static_cast<std::size_t>(row)].m_arrTexts;
    if (column < 0 || static_cast<std::size_t>(column) >= texts.size()) return EmptyText();
    return texts[static_cast<std::size_t>(column)];
}

int CSortedListModel::GetRowData(int row) const {
    return IsRow(row) ? m_arrRows[static_cast<std::size_t>(row)].m_nData : 0;
}

bool CSortedListModel::SetText(int row, int column, std::string_view text) {
    if (!IsRow(row) || !IsColumn(column)) return false;
    std::vector<std::string>& texts = m_arrRows[static_cast<std::size_t>(row)].m_arrTexts;
    if (texts.size() <= static_cast<std::size_t>(column)) texts.resize(static_cast<std::size_t>(column) + 1);
    texts[static_cast<std::size_t>(column)] = text;
    return true;
}

bool CSortedListModel::SetRowData(int row, int data) {
    if (!IsRow(row)) return false;
    m_arrRows[static_cast<std::size_t>(row)].m_nData = data;
    return true;
}

bool CSortedListModel::SortBy(int column, bool ascending) {
    if (!IsColumn(column)) return false;
    m_nSortColumn = column;
    m_bAscending = ascending;
    if (m_pView) m_pView->OnSortArrowChanged(column, ascending);

    const auto col = static_cast<std::size_t>(column);
    std::vector<std::string_view> keys;
    keys.reserve(m_arrRows.size());
    for (const CRow& row : m_arrRows) keys.emplace_back(row.m_arrTexts[col]);
    const std::vector<std::size_t> formerAt =
        StableSortOrder(m_arrRows.size(), [&](std::size_t a, std::size_t b) {
            return CompareSortTexts(keys[a], keys[b], ascending);
        });
    bool moved = false;
    for (std::size_t i = 0; i < formerAt.size() && !moved; ++i) moved = formerAt[i] != i;
    if (!moved) return true;

    std::vector<CRow> sorted;
    sorted.reserve(m_arrRows.size());
    for (std::size_t former : formerAt) sorted.push_back(std::move(m_arrRows[former]));
    m_arrRows.swap(sorted);
    if (m_pView) m_pView->OnRowsReordered(formerAt);
    return true;
}

bool CSortedListModel::OnColumnClick(int column) {
    return SortBy(column, column == m_nSortColumn ? !m_bAscending : true);
}

std::vector<std::uint8_t> CSortedListModel::SaveColumnWidths() const {
    std::vector<int> widths;
    widths.reserve(m_arrColumns.size());
    for (const CListColumn& column : m_arrColumns) widths.push_back(column.m_nWidth);
    return EncodeColumnWidths(widths);
}

bool CSortedListModel::RestoreColumnWidths(std::span<const std::uint8_t> stored) {
    const std::optional<std::vector<int>> widths = DecodeColumnWidths(stored, GetColumnCount());
    if (!widths) return false;
    for (std::size_t i = 0; i < m_arrColumns.size(); ++i) m_arrColumns[i].m_nWidth = (*widths)[i];
    if (m_pView) m_pView->OnColumnWidthsChanged();
    return true;
}

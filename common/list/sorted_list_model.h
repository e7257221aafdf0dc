// The rows, columns, sort state and stored widths of a sortable report list, without a window.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "list/column_layout.h"
#include "list/sorted_list_view.h"

// The model behind a report list whose columns come from one layout string, whose rows keep their
// own copies of their texts plus one integer, and which sorts itself by a column. A window that
// shows it implements CSortedListView and forwards header clicks and user width changes here.
class CSortedListModel {
public:
    explicit CSortedListModel(CSortedListView* pView = nullptr) : m_pView(pView) {}
    CSortedListModel(const CSortedListModel&) = delete;
    CSortedListModel& operator=(const CSortedListModel&) = delete;

    // The window told about every change; null for none.
    void SetView(CSortedListView* pView) { m_pView = pView; }

    // When set, each new row goes before the first row whose column 0 text sorts after its own
    // (locale-aware text order, so "03" < "105" < "12"), and InsertRow's index is ignored.
    void SetInsertSorted(bool insertSorted) { m_bInsertSorted = insertSorted; }
    bool IsInsertSorted() const { return m_bInsertSorted; }

    // Appends the left-aligned columns of a layout "NAME,width;...;NAME,width" (see
    // ParseColumnLayout). Returns false at the first column the window refuses; the columns
    // appended before it stay. Existing rows get an empty text for each new column.
    bool SetColumnLayout(std::string_view layout);

    int GetColumnCount() const { return static_cast<int>(m_arrColumns.size()); }
    // Name and width of a column; "" and 0 for a column that does not exist.
    const std::string& GetColumnName(int column) const;
    int GetColumnWidth(int column) const;
    // Records the width the header shows after the user resized a column (kept within
    // 0..kMaxColumnWidth). The window is not told: it reported the change.
    bool SetColumnWidth(int column, int width);

    // Adds a row with one text per column: missing texts are empty, extra texts are dropped.
    // AppendRow puts it last, InsertRow before the row at index (clamped to 0..row count), unless
    // rows are inserted sorted. Returns the row's index.
    int AppendRow(std::initializer_list<std::string_view> texts);
    int AppendRow(const std::vector<std::string>& texts);
    int InsertRow(int index, std::initializer_list<std::string_view> texts);
    int InsertRow(int index, const std::vector<std::string>& texts);

    // Removes one row (false when there is no such row), or all rows.
    bool DeleteRow(int row);
    void DeleteAllRows();

    int GetRowCount() const { return static_cast<int>(m_arrRows.size()); }
    // A row's text in a column; "" when the row or column does not exist.
    const std::string& GetText(int row, int column) const;
    // Replaces one text of a row; false when the row or column does not exist. The row keeps its
    // place (a sort is not redone) and the window is not told: its owner redraws the row.
    bool SetText(int row, int column, std::string_view text);
    // The row's integer (0 for a new row); 0 when the row does not exist.
    int GetRowData(int row) const;
    bool SetRowData(int row, int data);

    // Records column and direction, moves the header arrow and reorders the rows by that
    // column's texts with CompareSortTexts; rows that compare equal keep their order. False, and
    // nothing changes, when the column does not exist.
    bool SortBy(int column, bool ascending);
    // A click on a column header: ascending for a new sort column, else the other direction.
    bool OnColumnClick(int column);
    int GetSortColumn() const { return m_nSortColumn; }
    bool IsAscending() const { return m_bAscending; }

    // The widths as the stored binary value (EncodeColumnWidths).
    std::vector<std::uint8_t> SaveColumnWidths() const;
    // Takes the widths of a stored value when DecodeColumnWidths accepts it for this column count
    // and tells the window; otherwise (absent, empty or bad value) changes nothing and returns
    // false.
    bool RestoreColumnWidths(std::span<const std::uint8_t> stored);

private:
    struct CRow {
        std::vector<std::string> m_arrTexts;
        int m_nData = 0;
    };

    bool IsRow(int row) const { return row >= 0 && row < GetRowCount(); }
    bool IsColumn(int column) const { return column >= 0 && column < GetColumnCount(); }
    int InsertCopied(int index, CRow row);
    int SortedPosition(const std::string& text) const;

    CSortedListView* m_pView = nullptr;
    std::vector<CListColumn> m_arrColumns;
    std::vector<CRow> m_arrRows;
    int m_nSortColumn = -1;
    bool m_bAscending = true;
    bool m_bInsertSorted = false;
};

// What a sortable report list's window is told by its model, so that it only mirrors the model.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

// Implemented by the window that shows a CSortedListModel. Every call comes after the model has
// changed, so the window reads the new state (texts, widths, sort column) from the model.
class CSortedListView {
public:
    virtual ~CSortedListView() = default;

    // A column was appended at index column; false when the window could not create it, and the
    // model then drops the column again.
    virtual bool OnColumnAdded(int column, const std::string& name, int width) = 0;

    // A row now exists at index row (later rows moved down by one); its texts are in the model.
    virtual void OnRowInserted(int row) = 0;

    // The row at index row is gone (later rows moved up by one).
    virtual void OnRowDeleted(int row) = 0;

    // Every row is gone.
    virtual void OnAllRowsDeleted() = 0;

    // The rows were reordered: the row now at index i was at index formerAt[i] before. Only sent
    // when some row moved.
    virtual void OnRowsReordered(const std::vector<std::size_t>& formerAt) = 0;

    // The header arrow now belongs on column, pointing up when ascending.
    virtual void OnSortArrowChanged(int column, bool ascending) = 0;

    // The column widths were replaced (restored); set each one and repaint.
    virtual void OnColumnWidthsChanged() = 0;
};

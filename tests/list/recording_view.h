// A list window stand-in that records what its model tells it, as short event texts.
#pragma once
#include <cstddef>
#include <set>
#include <string>
#include <vector>

#include "list/sorted_list_view.h"

class CRecordingView : public CSortedListView {
public:
    std::vector<std::string> m_arrEvents;
    std::set<int> m_setRefusedColumns;  // column indices whose creation fails

    bool OnColumnAdded(int column, const std::string& name, int width) override {
        m_arrEvents.push_back("column " + std::to_string(column) + " " + name + " " +
                              std::to_string(width));
        return m_setRefusedColumns.count(column) == 0;
    }
    void OnRowInserted(int row) override { m_arrEvents.push_back("insert " + std::to_string(row)); }
    void OnRowDeleted(int row) override { m_arrEvents.push_back("delete " + std::to_string(row)); }
    void OnAllRowsDeleted() override { m_arrEvents.push_back("clear"); }
    void OnRowsReordered(const std::vector<std::size_t>& formerAt) override {
        std::string text = "reorder";
        for (std::size_t former : formerAt) text += " " + std::to_string(former);
        m_arrEvents.push_back(text);
    }
    void OnSortArrowChanged(int column, bool ascending) override {
        m_arrEvents.push_back("arrow " + std::to_string(column) + (ascending ? " up" : " down"));
    }
    void OnColumnWidthsChanged() override { m_arrEvents.push_back("widths"); }
};

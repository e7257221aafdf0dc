// CSortedList: a report list-view window that mirrors a CSortedListModel, with the header arrow.
//
// The model owns rows, texts, columns and the sort; this class only shows them. Items carry no
// text of their own (the list asks for it, LVN_GETDISPINFO, and it comes from the model), so a
// sort or a row refresh never copies texts into the window. Header clicks sort the model
// (ascending first, then the other way); the sort column's header item is owner-drawn with its
// arrow. The selection follows the rows across inserts, deletes and sorts. Column widths are kept
// per user in the application profile, section "ListCtrls", under the control's identifier.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "list/sorted_list_model.h"

class CSortedList : public CSortedListView {
public:
    // strProgram names the program's profile ("Gather", "Plotara").
    CSortedList(CSortedListModel& model, std::string strProgram);
    ~CSortedList() override;
    CSortedList(const CSortedList&) = delete;
    CSortedList& operator=(const CSortedList&) = delete;

    // Takes over the list-view control nId of hDialog: full-row selection and grid lines, the
    // model's view, and the rows and columns the model already has. False when there is no such
    // control or it cannot be subclassed.
    bool Attach(HWND hDialog, int nId);

    // Reads the stored widths and applies them when they fit the columns; call right after the
    // columns were created. False when none were stored or they do not fit.
    bool RestoreColumnWidths();
    // Writes the columns' present widths to the profile; call while the window still exists
    // (the dialog's WM_DESTROY). False when nothing could be written.
    bool SaveColumnWidths();

    // The selected rows in ascending order.
    std::vector<int> SelectedRows() const;
    void SelectRow(int nRow, bool bSelected);
    void ClearSelection();

    HWND Handle() const { return m_hWnd; }
    int ControlId() const { return m_nId; }

private:
    // CSortedListView
    bool OnColumnAdded(int column, const std::string& name, int width) override;
    void OnRowInserted(int row) override;
    void OnRowDeleted(int row) override;
    void OnAllRowsDeleted() override;
    void OnRowsReordered(const std::vector<std::size_t>& formerAt) override;
    void OnSortArrowChanged(int column, bool ascending) override;
    void OnColumnWidthsChanged() override;

    static LRESULT CALLBACK ParentProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR nId, DWORD_PTR pData);
    static LRESULT CALLBACK ListProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR nId, DWORD_PTR pData);
    bool OnParentNotify(const NMHDR& header);
    void FillDisplayInfo(NMLVDISPINFOW& info) const;
    void DrawHeaderItem(const DRAWITEMSTRUCT& item) const;
    void InsertItem(int row);
    void Detach();

    CSortedListModel& m_model;
    std::string m_strProgram;
    HWND m_hWnd = nullptr;
    HWND m_hParent = nullptr;
    HWND m_hHeader = nullptr;
    int m_nId = 0;
    int m_nArrowColumn = -1;
    bool m_bArrowAscending = true;
};

// List box helpers in UTF-8: filling a list, reading its selected entries.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace gather_ui {

// Empties the list box and adds the texts (a sorted list box orders them itself); nothing is
// selected afterwards.
void FillListBox(HWND hList, const std::vector<std::string>& vecTexts);
// The text of one entry; empty for an index out of range.
std::string ListBoxText(HWND hList, int nIndex);
// The selected entry of a single-selection list box; empty when none is.
std::string SelectedListBoxText(HWND hList);
// The selected entries of a multiple-selection list box, in list order.
std::vector<std::string> SelectedListBoxTexts(HWND hList);
// The number of selected entries of a multiple-selection list box.
int SelectedListBoxCount(HWND hList);

}  // namespace gather_ui

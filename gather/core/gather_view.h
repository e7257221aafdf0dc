// What Gather's main window does for its portable controller: message boxes and list selections.
#pragma once
#include <string>
#include <vector>

#include "message_box.h"

// The two report lists of the main window. Their rows live in the controller's list models; the
// window mirrors them (CSortedListView) and reports which rows the user selected.
enum class EGatherList {
    kSchedules,  // the schedule list (control 1000)
    kRunLog,     // the run log (control 1001)
};

// Implemented by the Win32 main window and by test stand-ins.
class IGatherView {
public:
    virtual ~IGatherView() = default;

    // Shows a modal message box and returns the button pressed.
    virtual EMessageResult ShowMessage(const std::string& strText, const std::string& strCaption,
                                       EMessageIcon eIcon, EMessageButtons eButtons) = 0;

    // The indices of the rows the user has selected in a list, in any order.
    virtual std::vector<int> GetSelectedRows(EGatherList eList) const = 0;
};

// What Gather's main window does for its portable controller besides message boxes: the lists'
// selections.
#pragma once
#include <vector>

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

    // The indices of the rows the user has selected in a list, in any order.
    virtual std::vector<int> GetSelectedRows(EGatherList eList) const = 0;
};

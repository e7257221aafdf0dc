// The icons, button sets and answers of a message box, as portable code asks for one.
#pragma once

enum class EMessageIcon {
    kNone,
    kInformation,
    kWarning,
    kError,
    kQuestion,
};

enum class EMessageButtons {
    kOk,
    kOkCancel,
    kYesNo,
};

// The button the user pressed (closing the box counts as Cancel or No).
enum class EMessageResult {
    kOk,
    kCancel,
    kYes,
    kNo,
};

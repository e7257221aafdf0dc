// The single-instance check of the companion programs: their mutex, held while they run.
#pragma once
#include <string>

#include "dialog/message_box.h"
#include "platform/named_mutex.h"

namespace companion {

inline constexpr const char* kStartupCaption = "起動チェック";

// Creates the program's named mutex with initial ownership. When another copy holds it, shows
// strAlreadyRunning (error, "起動チェック") and returns false: the program must end. When the
// mutex cannot be made at all the program runs without it (it cannot be told apart from a
// second copy then, but nothing would be gained by refusing the user).
bool TakeProgramMutex(platform::NamedMutex& mutex, const std::string& strName,
                      const std::string& strAlreadyRunning, CMessageBoxes& boxes);

}  // namespace companion

// Taking a companion program's mutex at start-up.
#include "single_instance.h"

namespace companion {

bool TakeProgramMutex(platform::NamedMutex& mutex, const std::string& strName,
                      const std::string& strAlreadyRunning, CMessageBoxes& boxes) {
    if (mutex.Create(strName, true) != platform::kErrorAlreadyExists) return true;
    mutex.Close();
    boxes.Show(strAlreadyRunning, kStartupCaption, EMessageIcon::kError, EMessageButtons::kOk);
    return false;
}

}  // namespace companion

// LocalComputerName from the host name.
#include <unistd.h>

#include "platform/computer_name.h"

namespace platform {

std::string LocalComputerName() {
    char szName[256] = {};
    if (gethostname(szName, sizeof(szName) - 1) != 0) return std::string();
    std::string strName(szName);
    // The name a Windows network would show: the first label, in upper case.
    strName = strName.substr(0, strName.find('.'));
    for (char& c : strName) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return strName;
}

}  // namespace platform

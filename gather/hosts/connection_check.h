// The connection check behind the schedule wizard's "接続テスト", and the system message text
// shown for an error code.
#pragma once
#include <string>

#include "dialog/message_box.h"
#include "logs/error_log.h"
#include "platform/host_access.h"

// The platform's text for an error code without its closing line break (FormatMessage from the
// system table, user default language), as the error log keeps it.
std::string SystemMessage(platform::ErrorCode nCode);

// The caption of the test's message box: "接続テスト [" + host + "]".
std::string ConnectionTestCaption(const std::string& strHost);

// Connects to the host's HKEY_LOCAL_MACHINE (without the IPC$ logon) and closes the connection
// again: true, with no message. On failure: an error record with the code and the label
// "RegConnentRegistry" in the program directory, a message box with the code's system message,
// the caption above and an OK button, and false. The caller shows the wait cursor around it.
bool TestConnection(platform::HostAccess& access, const std::string& strHost, CErrorLog& errorLog,
                    CMessageBoxes& boxes);

// TestConnection and SystemMessage.
#include "connection_check.h"

std::string SystemMessage(platform::ErrorCode nCode) {
    return SystemErrorText(static_cast<std::int32_t>(nCode));
}

std::string ConnectionTestCaption(const std::string& strHost) {
    return "接続テスト [" + strHost + "]";
}

bool TestConnection(platform::HostAccess& access, const std::string& strHost, CErrorLog& errorLog,
                    CMessageBoxes& boxes) {
    platform::HostKey hMachine = platform::kNoHostKey;
    const platform::ErrorCode nCode = access.ConnectRegistry(strHost, hMachine);
    if (nCode == platform::kSuccess) {
        access.CloseKey(hMachine);
        return true;
    }
    // The label is the one the error log has always carried for this failure.
    errorLog.ReportPlatformError(static_cast<std::int32_t>(nCode), "RegConnentRegistry");
    boxes.Show(SystemMessage(nCode), ConnectionTestCaption(strHost), EMessageIcon::kNone,
               EMessageButtons::kOk);
    return false;
}

// What the configuration store does the same way on both builds: the key's name and one-value
// writes.
#include "platform/config_store.h"

namespace platform {

const char* const ConfigStore::kKeyPath = "SOFTWARE\\HALDEK\\VARNOLE\\1.0";

ErrorCode ConfigStore::WriteString(const std::string& name, const std::string& value) {
    ConfigWriter writer;
    const ErrorCode error = writer.Open();
    return error != kSuccess ? error : writer.WriteString(name, value);
}

ErrorCode ConfigStore::WriteDword(const std::string& name, std::uint32_t value) {
    ConfigWriter writer;
    const ErrorCode error = writer.Open();
    return error != kSuccess ? error : writer.WriteDword(name, value);
}

}  // namespace platform

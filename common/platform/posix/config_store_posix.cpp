// The configuration store on Linux: one text file, rewritten atomically on every change.
//
// Each line is "name=s:text" or "name=d:number". Names and texts are escaped (a backslash
// doubled, CR and LF as \r and \n, other control bytes and '=' in names as \xHH), so no value
// can break the line structure. Names match without regard to ASCII case, like registry values.
// Writers serialise on a lock file and replace the file through a temporary file and rename, so a
// reader never sees a half-written file. The directory stands for the registry key: like the
// key, it is not created for the machine-wide values (the per-user profile creates it).
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/config_store.h"
#include "platform/profile_store.h"
#include "platform/posix/errno_map.h"

namespace platform {

namespace {

struct SEntry {
    std::string strName;
    char cType = 0;      // 's' or 'd'; 0 for a line kept as it was
    std::string strRaw;  // the value text after "x:", still escaped
};

std::string ConfigDirectory() {
    if (const char* dir = getenv("VARNOLE_CONFIG_DIR"); dir != nullptr && dir[0] != '\0') {
        return dir;
    }
    if (const char* xdg = getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/varnole";
    }
    const char* home = getenv("HOME");
    return std::string(home != nullptr ? home : ".") + "/.config/varnole";
}

std::string Escape(const std::string& text, bool isName) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (b < 0x20 || b == 0x7F || (isName && c == '=')) {
            out += "\\x";
            out.push_back(kHex[b >> 4]);
            out.push_back(kHex[b & 0x0F]);
        } else {
            out.push_back(c);
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<std::string> Unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out.push_back(text[i]);
            continue;
        }
        if (++i >= text.size()) return std::nullopt;
        switch (text[i]) {
            case '\\':
                out.push_back('\\');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 'x': {
                if (i + 2 >= text.size()) return std::nullopt;
                const int high = HexValue(text[i + 1]);
                const int low = HexValue(text[i + 2]);
                if (high < 0 || low < 0) return std::nullopt;
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                break;
            }
            default:
                return std::nullopt;
        }
    }
    return out;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

SEntry ParseLine(const std::string& line) {
    SEntry entry;
    entry.strRaw = line;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || line.size() < equals + 3 || line[equals + 2] != ':') {
        return entry;
    }
    const char type = line[equals + 1];
    if (type != 's' && type != 'd' && type != 'b') return entry;
    const std::optional<std::string> name = Unescape(line.substr(0, equals));
    if (!name) return entry;
    entry.strName = *name;
    entry.cType = type;
    entry.strRaw = line.substr(equals + 3);
    return entry;
}

// Reads every line of the file; kErrorFileNotFound when there is no file yet.
ErrorCode LoadEntries(const std::string& path, std::vector<SEntry>& entries) {
    entries.clear();
    FILE* file = fopen(path.c_str(), "re");
    if (file == nullptr) {
        return errno == ENOENT ? kErrorFileNotFound : posix::ErrorFromErrno(errno);
    }
    std::string content;
    char buffer[4096];
    std::size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, got);
    const bool failed = ferror(file) != 0;
    fclose(file);
    if (failed) return kErrorReadFault;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos) end = content.size();
        if (end > start) entries.push_back(ParseLine(content.substr(start, end - start)));
        start = end + 1;
    }
    return kSuccess;
}

const SEntry* FindEntry(const std::vector<SEntry>& entries, const std::string& name) {
    for (const SEntry& entry : entries) {
        if (entry.cType != 0 && SameName(entry.strName, name)) return &entry;
    }
    return nullptr;
}

ErrorCode ReadEntry(const std::string& name, char type, std::string& raw) {
    std::vector<SEntry> entries;
    const ErrorCode error = LoadEntries(ConfigDirectory() + "/config", entries);
    if (error != kSuccess) return error;
    const SEntry* entry = FindEntry(entries, name);
    if (entry == nullptr) return kErrorFileNotFound;
    if (entry->cType != type) return kErrorInvalidData;
    raw = entry->strRaw;
    return kSuccess;
}

ErrorCode WriteFileAtomically(const std::string& directory, const std::string& content) {
    std::string temp = directory + "/config.XXXXXX";
    const int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return posix::ErrorFromErrno(errno);
    fchmod(fd, 0644);
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t wrote = write(fd, content.data() + done, content.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) {
            const ErrorCode error = wrote < 0 ? posix::ErrorFromErrno(errno) : kErrorWriteFault;
            close(fd);
            unlink(temp.c_str());
            return error;
        }
        done += static_cast<std::size_t>(wrote);
    }
    if (fsync(fd) != 0 || close(fd) != 0) {
        const ErrorCode error = posix::ErrorFromErrno(errno);
        unlink(temp.c_str());
        return error;
    }
    if (rename(temp.c_str(), (directory + "/config").c_str()) != 0) {
        const ErrorCode error = posix::ErrorFromErrno(errno);
        unlink(temp.c_str());
        return error;
    }
    return kSuccess;
}

ErrorCode MakeDirectories(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
            return posix::ErrorFromErrno(errno);
        if (slash == std::string::npos) return kSuccess;
    }
}

// The directory stands for the machine-wide registry key: it must exist, as the key must.
ErrorCode OpenDirectory(const std::string& directory) {
    struct stat st {};
    if (stat(directory.c_str(), &st) != 0) return posix::ErrorFromErrno(errno);
    if (!S_ISDIR(st.st_mode)) return kErrorFileNotFound;
    if (access(directory.c_str(), W_OK) != 0) return posix::ErrorFromErrno(errno);
    return kSuccess;
}

ErrorCode WriteEntry(const std::string& directory, const std::string& name, char type,
                     const std::string& raw) {
    // Other processes change other values: read, change and replace under one lock.
    const int lockFd =
        open((directory + "/config.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lockFd < 0) return posix::ErrorFromErrno(errno);
    while (flock(lockFd, LOCK_EX) != 0 && errno == EINTR) {
    }
    std::vector<SEntry> entries;
    ErrorCode error = LoadEntries(directory + "/config", entries);
    if (error == kSuccess || error == kErrorFileNotFound) {
        bool replaced = false;
        std::string content;
        for (const SEntry& entry : entries) {
            if (entry.cType == 0) {
                content += entry.strRaw;
            } else if (SameName(entry.strName, name)) {
                if (replaced) continue;  // drop duplicates a hand edit may have left
                content += Escape(name, true) + '=' + type + ':' + raw;
                replaced = true;
            } else {
                content += Escape(entry.strName, true) + '=' + entry.cType + ':' + entry.strRaw;
            }
            content += '\n';
        }
        if (!replaced) content += Escape(name, true) + '=' + type + ':' + raw + '\n';
        error = WriteFileAtomically(directory, content);
    }
    close(lockFd);  // releases the lock
    return error;
}

}  // namespace

ErrorCode ConfigStore::ReadString(const std::string& name, std::string& value) {
    std::string raw;
    const ErrorCode error = ReadEntry(name, 's', raw);
    if (error != kSuccess) return error;
    const std::optional<std::string> text = Unescape(raw);
    if (!text) return kErrorInvalidData;
    value = *text;
    return kSuccess;
}

ErrorCode ConfigStore::ReadDword(const std::string& name, std::uint32_t& value) {
    std::string raw;
    const ErrorCode error = ReadEntry(name, 'd', raw);
    if (error != kSuccess) return error;
    if (raw.empty() || raw.size() > 10) return kErrorInvalidData;
    std::uint64_t number = 0;
    for (char c : raw) {
        if (c < '0' || c > '9') return kErrorInvalidData;
        number = number * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (number > 0xFFFFFFFFu) return kErrorInvalidData;
    value = static_cast<std::uint32_t>(number);
    return kSuccess;
}

struct ConfigWriter::SKey {
    std::optional<std::string> strDirectory;  // set while open
};

ConfigWriter::ConfigWriter() : m_pKey(std::make_unique<SKey>()) {}
ConfigWriter::~ConfigWriter() = default;

ErrorCode ConfigWriter::Open() {
    m_pKey->strDirectory.reset();
    std::string directory = ConfigDirectory();
    const ErrorCode error = OpenDirectory(directory);
    if (error == kSuccess) m_pKey->strDirectory = std::move(directory);
    return error;
}

bool ConfigWriter::IsOpen() const {
    return m_pKey->strDirectory.has_value();
}

ErrorCode ConfigWriter::WriteString(const std::string& name, const std::string& value) {
    if (!IsOpen()) return kErrorInvalidHandle;
    return WriteEntry(*m_pKey->strDirectory, name, 's', Escape(value, false));
}

ErrorCode ConfigWriter::WriteDword(const std::string& name, std::uint32_t value) {
    if (!IsOpen()) return kErrorInvalidHandle;
    return WriteEntry(*m_pKey->strDirectory, name, 'd', std::to_string(value));
}

namespace {

std::string ProfileName(const std::string& program, const std::string& section,
                        const std::string& entry) {
    return program + '/' + section + '/' + entry;
}

}  // namespace

ErrorCode ProfileStore::ReadBinary(const std::string& program, const std::string& section,
                                   const std::string& entry, std::vector<std::uint8_t>& value) {
    value.clear();
    if (ErrorCode error = CheckProfileNames(program, section, entry); error != kSuccess)
        return error;
    std::string raw;
    const ErrorCode error = ReadEntry(ProfileName(program, section, entry), 'b', raw);
    if (error != kSuccess) return error;
    if (raw.size() % 2 != 0 || raw.size() / 2 > kMaxValueBytes) return kErrorInvalidData;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(raw.size() / 2);
    for (std::size_t i = 0; i < raw.size(); i += 2) {
        const int high = HexValue(raw[i]);
        const int low = HexValue(raw[i + 1]);
        if (high < 0 || low < 0) return kErrorInvalidData;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    value = std::move(bytes);
    return kSuccess;
}

ErrorCode ProfileStore::WriteBinary(const std::string& program, const std::string& section,
                                    const std::string& entry,
                                    const std::vector<std::uint8_t>& value) {
    if (ErrorCode error = CheckProfileNames(program, section, entry); error != kSuccess)
        return error;
    if (ErrorCode error = CheckProfileValue(value); error != kSuccess) return error;
    static const char kHex[] = "0123456789ABCDEF";
    std::string raw;
    raw.reserve(value.size() * 2);
    for (std::uint8_t b : value) {
        raw.push_back(kHex[b >> 4]);
        raw.push_back(kHex[b & 0x0F]);
    }
    // The per-user profile is made where it is missing, as its registry key under
    // HKEY_CURRENT_USER is; only the machine-wide values wait for an installed key.
    const std::string directory = ConfigDirectory();
    if (ErrorCode error = MakeDirectories(directory); error != kSuccess) return error;
    return WriteEntry(directory, ProfileName(program, section, entry), 'b', raw);
}

}  // namespace platform

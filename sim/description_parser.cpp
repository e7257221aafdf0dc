// Description lines: workgroups, hosts and every host keyword, checked with the line number.
#include "description_parser.h"

#include <functional>
#include <limits>

#include "ascii_names.h"
#include "description_tokens.h"
#include "platform/data_file_io.h"
#include "platform/utf8.h"

namespace sim {
namespace {

using Words = std::vector<std::string>;
using RegistryEdit = std::function<void(CSimRegistry&)>;

constexpr std::size_t kMaxNameBytes = 255;
constexpr std::size_t kMaxHosts = 1000;
constexpr std::size_t kMaxListEntries = 64;  // disks, volumes, interfaces, addresses
constexpr std::size_t kMaxProcesses = 2000;
constexpr std::uint64_t kMaxBlockSize = 16 * 1024 * 1024;
constexpr std::uint64_t kMaxDelayMs = 60'000;
constexpr double kMaxPeriodSeconds = 10'000'000;
constexpr std::uint64_t kMaxCode = std::numeric_limits<std::uint32_t>::max();

// The processes a host runs when its description gives only their number.
std::vector<std::string> GeneratedProcesses(std::size_t nCount) {
    const std::vector<std::string> vecBase = CHostShape{}.m_vecProcesses;
    std::vector<std::string> vecNames;
    for (std::size_t i = 0; i < nCount; ++i) {
        vecNames.push_back(
            i < vecBase.size() ? vecBase[i] : "svchost#" + std::to_string(i - vecBase.size() + 1));
    }
    return vecNames;
}

class CDescriptionParser {
public:
    explicit CDescriptionParser(CSimNetworkDescription& description) : m_description(description) {}

    bool Parse(std::string_view strText, std::string& strError) {
        m_description = CSimNetworkDescription{};
        std::size_t nPos = 0;
        if (strText.starts_with("\xEF\xBB\xBF")) nPos = 3;  // a UTF-8 byte order mark
        Words vecWords;
        while (nPos <= strText.size()) {
            ++m_nLine;
            std::size_t nEnd = strText.find('\n', nPos);
            if (nEnd == std::string_view::npos) nEnd = strText.size();
            std::string_view strLine = strText.substr(nPos, nEnd - nPos);
            if (strLine.ends_with('\r')) strLine.remove_suffix(1);
            nPos = nEnd + 1;
            if (!CheckText(strLine) || !SplitDescriptionLine(strLine, vecWords, m_strError) ||
                (!vecWords.empty() && !Line(vecWords))) {
                strError = "line " + std::to_string(m_nLine) + ": " + m_strError;
                return false;
            }
        }
        FinishHost();
        return true;
    }

private:
    bool Fail(std::string strWhy) {
        m_strError = std::move(strWhy);
        return false;
    }

    bool CheckText(std::string_view strLine) {
        std::size_t nPos = 0;
        while (nPos < strLine.size()) {
            const char32_t c = platform::utf8::DecodeNext(strLine, nPos);
            if (c == platform::utf8::kInvalid) return Fail("the text is not valid UTF-8");
            if (c < 0x20 && c != '\t') return Fail("a control character in the text");
        }
        return true;
    }

    bool CheckName(const std::string& strName, const char* pszWhat) {
        if (strName.empty() || strName.size() > kMaxNameBytes) {
            return Fail(std::string(pszWhat) + " names must have 1 to 255 bytes");
        }
        if (strName.find('\\') != std::string::npos) {
            return Fail(std::string(pszWhat) + " names must not contain a backslash");
        }
        return true;
    }

    // A name a host answers to (its name or an address) must belong to one host only.
    bool CheckUnique(const std::string& strName) {
        for (const CSimHostDefinition& host : m_description.m_vecHosts) {
            bool bTaken = EqualsIgnoringAsciiCase(host.m_strName, strName);
            for (const std::string& strAddress : host.m_vecAddresses) {
                bTaken = bTaken || EqualsIgnoringAsciiCase(strAddress, strName);
            }
            if (bTaken) {
                return Fail("\"" + strName + "\" already names the host on line " +
                            std::to_string(host.m_nLine));
            }
        }
        return true;
    }

    bool Count(const Words& w, std::size_t nMin, std::size_t nMax, const char* pszUsage) {
        if (w.size() - 1 < nMin || w.size() - 1 > nMax) {
            return Fail("\"" + w[0] + "\" expects: " + w[0] + " " + pszUsage);
        }
        return true;
    }

    bool Line(const Words& w) {
        const std::string& strKey = w[0];
        if (strKey == "workgroup" || strKey == "domain") return Workgroup(w);
        if (strKey == "host") return Host(w);
        if (m_pHost == nullptr) {
            if (IsHostKeyword(strKey)) return Fail("\"" + strKey + "\" before the first host");
            return Fail("unknown keyword \"" + strKey + "\"");
        }
        return HostLine(w);
    }

    bool Workgroup(const Words& w) {
        if (!Count(w, 1, 1, "NAME") || !CheckName(w[1], "workgroup")) return false;
        for (const std::string& strName : m_description.m_vecWorkgroups) {
            if (EqualsIgnoringAsciiCase(strName, w[1])) {
                return Fail("workgroup \"" + w[1] + "\" is described twice");
            }
        }
        FinishHost();
        m_description.m_vecWorkgroups.push_back(w[1]);
        return true;
    }

    bool Host(const Words& w) {
        if (!Count(w, 1, 1, "NAME") || !CheckName(w[1], "host")) return false;
        if (m_description.m_vecWorkgroups.empty())
            return Fail("host \"" + w[1] + "\" before any workgroup");
        if (m_description.m_vecHosts.size() >= kMaxHosts) return Fail("more than 1000 hosts");
        if (!CheckUnique(w[1])) return false;
        FinishHost();
        CSimHostDefinition& host = m_description.m_vecHosts.emplace_back();
        host.m_strName = w[1];
        host.m_strWorkgroup = m_description.m_vecWorkgroups.back();
        host.m_shape.m_strSystemName = w[1];
        host.m_nLine = m_nLine;
        m_pHost = &host;
        return true;
    }

    // The defaults depend on the host's final shape; the host's own registry lines win.
    void FinishHost() {
        if (m_pHost == nullptr) return;
        FillDefaultRegistry(*m_pHost);
        for (const RegistryEdit& edit : m_vecEdits) edit(m_pHost->m_registry);
        m_vecEdits.clear();
        m_pHost = nullptr;
    }

    static bool IsHostKeyword(const std::string& strKey) {
        static const char* const kKeywords[] = {
            "address",    "user",      "processors", "memory", "disks",        "volumes",
            "interfaces", "processes", "os",         "owner",  "cpu",          "counters-disabled",
            "value",      "delete",    "load",       "refuse", "fail-request", "bad-signature",
            "block-size", "delay"};
        for (const char* pszKeyword : kKeywords) {
            if (strKey == pszKeyword) return true;
        }
        return false;
    }

    bool HostLine(const Words& w) {
        CSimHostDefinition& host = *m_pHost;
        const std::string& k = w[0];
        if (k == "address") {
            if (!Count(w, 1, kMaxListEntries, "NAME...")) return false;
            for (std::size_t i = 1; i < w.size(); ++i) {
                if (!CheckName(w[i], "address") || !CheckUnique(w[i])) return false;
                host.m_vecAddresses.push_back(w[i]);
            }
            return true;
        }
        if (k == "user") {
            if (!Count(w, 2, 2, "NAME PASSWORD")) return false;
            if (w[1].empty()) return Fail("the user name is empty");
            host.m_strUser = w[1];
            host.m_strPassword = w[2];
            return true;
        }
        if (k == "processors") {
            if (!Count(w, 1, 1, "COUNT (1 to 64)")) return false;
            const auto n = ParseUnsigned(w[1], 1, 64);
            if (!n) return Fail("the processor count must be 1 to 64");
            host.m_shape.m_nProcessors = static_cast<int>(*n);
            return true;
        }
        if (k == "memory") {
            if (!Count(w, 1, 1, "MEGABYTES")) return false;
            const auto n = ParseUnsigned(w[1], 1, 1024 * 1024);
            if (!n) return Fail("the memory size must be 1 to 1048576 megabytes");
            host.m_nMemoryMb = static_cast<std::uint32_t>(*n);
            return true;
        }
        if (k == "disks") return NameList(w, host.m_shape.m_vecPhysicalDisks);
        if (k == "volumes") return NameList(w, host.m_shape.m_vecLogicalDisks);
        if (k == "interfaces") return NameList(w, host.m_shape.m_vecNetworkInterfaces);
        if (k == "processes") return Processes(w);
        if (k == "os")
            return Strings(w, kCurrentVersionKey,
                           {"ProductName", "CurrentVersion", "CurrentBuildNumber", "CSDVersion",
                            "CurrentType"});
        if (k == "owner")
            return Strings(w, kCurrentVersionKey,
                           {"RegisteredOwner", "RegisteredOrganization", "ProductId"});
        if (k == "cpu") return Cpu(w);
        if (k == "counters-disabled") return CountersDisabled(w);
        if (k == "value") return Value(w);
        if (k == "delete") return Delete(w);
        if (k == "load") return Load(w);
        return FaultLine(w);
    }

    // Replaces a list of instance names with the line's words (at most nMax of them).
    bool NameList(const Words& w, std::vector<std::string>& vecNames,
                  std::size_t nMax = kMaxListEntries) {
        if (w.size() - 1 > nMax) {
            return Fail("\"" + w[0] + "\" takes at most " + std::to_string(nMax) + " names");
        }
        vecNames.clear();
        for (std::size_t i = 1; i < w.size(); ++i) {
            if (w[i].empty() || w[i].size() > kMaxNameBytes) {
                return Fail("instance names must have 1 to 255 bytes");
            }
            vecNames.push_back(w[i]);
        }
        return true;
    }

    bool Processes(const Words& w) {
        if (w.size() == 2 && !w[1].empty() && w[1][0] >= '0' && w[1][0] <= '9') {
            const auto n = ParseUnsigned(w[1], 0, kMaxProcesses);
            if (!n) return Fail("the process count must be 0 to 2000");
            m_pHost->m_shape.m_vecProcesses = GeneratedProcesses(*n);
            return true;
        }
        return NameList(w, m_pHost->m_shape.m_vecProcesses, kMaxProcesses);
    }

    bool Strings(const Words& w, const char* pszKey, const std::vector<const char*>& vecNames) {
        std::string strUsage;
        for (const char* pszName : vecNames)
            strUsage += std::string(strUsage.empty() ? "" : " ") + pszName;
        if (!Count(w, vecNames.size(), vecNames.size(), strUsage.c_str())) return false;
        for (std::size_t i = 0; i < vecNames.size(); ++i) {
            m_vecEdits.push_back(
                [strKey = std::string(pszKey), strName = std::string(vecNames[i]),
                 strText = w[i + 1]](CSimRegistry& r) { r.SetString(strKey, strName, strText); });
        }
        return true;
    }

    bool Cpu(const Words& w) {
        if (!Count(w, 3, 3, "VENDOR IDENTIFIER MHZ")) return false;
        const auto nMhz = ParseUnsigned(w[3], 0, kMaxCode);
        if (!nMhz) return Fail("the clock rate must be a whole number of MHz");
        m_vecEdits.push_back([strVendor = w[1], strId = w[2], nMhz = *nMhz](CSimRegistry& r) {
            r.SetString(kCentralProcessorKey, "VendorIdentifier", strVendor);
            r.SetString(kCentralProcessorKey, "Identifier", strId);
            r.SetDword(kCentralProcessorKey, "~MHz", static_cast<std::uint32_t>(nMhz));
        });
        return true;
    }

    bool CountersDisabled(const Words& w) {
        if (!Count(w, 1, 2, "PerfOS|PerfDisk|PerfProc [sz]")) return false;
        if (w[1] != "PerfOS" && w[1] != "PerfDisk" && w[1] != "PerfProc") {
            return Fail("counters can be disabled for PerfOS, PerfDisk or PerfProc");
        }
        if (w.size() == 3 && w[2] != "sz") return Fail("the value type can only be sz");
        const std::string strKey = std::string(kServicesKey) + "\\" + w[1] + "\\Performance";
        const bool bText = w.size() == 3;
        m_vecEdits.push_back([strKey, bText](CSimRegistry& r) {
            if (bText) {
                r.SetString(strKey, kDisableCountersValue, "1");
            } else {
                r.SetDword(strKey, kDisableCountersValue, 1);
            }
        });
        return true;
    }

    bool Value(const Words& w) {
        if (w.size() < 4) return Count(w, 3, 3, "KEY NAME sz|dword|multi_sz|binary DATA...");
        const std::string& strType = w[3];
        const std::size_t nData = w.size() - 4;
        std::uint32_t nType = 0;
        std::vector<std::uint8_t> vecData;
        if (strType == "sz") {
            if (nData != 1) return Fail("a sz value takes one text");
            nType = 1;
            vecData = StringData(w[4]);
        } else if (strType == "dword") {
            const auto n = nData == 1 ? ParseUnsigned(w[4], 0, kMaxCode) : std::nullopt;
            if (!n) return Fail("a dword value takes one number from 0 to 4294967295");
            nType = 4;
            vecData = DwordData(static_cast<std::uint32_t>(*n));
        } else if (strType == "multi_sz") {
            nType = 7;
            vecData = MultiStringData(Words(w.begin() + 4, w.end()));
        } else if (strType == "binary") {
            std::string strHex;
            for (std::size_t i = 4; i < w.size(); ++i) strHex += w[i];
            const auto bytes = ParseHexBytes(strHex);
            if (!bytes) return Fail("a binary value takes pairs of hexadecimal digits");
            nType = 3;
            vecData = *bytes;
        } else {
            return Fail("unknown value type \"" + strType + "\" (sz, dword, multi_sz, binary)");
        }
        m_vecEdits.push_back([strKey = w[1], strName = w[2], nType, vecData = std::move(vecData)](
                                 CSimRegistry& r) { r.SetValue(strKey, strName, nType, vecData); });
        return true;
    }

    bool Delete(const Words& w) {
        if (!Count(w, 1, 2, "KEY [NAME]")) return false;
        if (w.size() == 2) {
            m_vecEdits.push_back([strKey = w[1]](CSimRegistry& r) { r.DeleteKey(strKey); });
        } else {
            m_vecEdits.push_back([strKey = w[1], strName = w[2]](CSimRegistry& r) {
                r.DeleteValue(strKey, strName);
            });
        }
        return true;
    }

    bool Load(const Words& w) {
        if (w.size() < 3) return Count(w, 2, 2, "cpu|mem|disk SHAPE ARGUMENTS...");
        CLoadModel* pModel = nullptr;
        double dMax = 0;
        if (w[1] == "cpu") {
            pModel = &m_pHost->m_cpu;
            dMax = 100;
        } else if (w[1] == "mem") {
            pModel = &m_pHost->m_mem;
            dMax = 1024.0 * 1024.0;
        } else if (w[1] == "disk") {
            pModel = &m_pHost->m_disk;
            dMax = 10'000;
        } else {
            return Fail("a load model is for cpu, mem or disk");
        }
        const std::string& strShape = w[2];
        std::vector<double> vecArgs;
        const auto args = [&](std::size_t nCount, const char* pszUsage) {
            if (w.size() - 3 != nCount) {
                return Fail("\"load " + w[1] + " " + strShape + "\" expects: " + pszUsage);
            }
            return true;
        };
        const auto level = [&](std::size_t i, double& d) {
            const auto v = ParseNumber(w[i], 0, dMax);
            if (!v)
                return Fail("\"" + w[i] + "\" is not a " + w[1] + " level from 0 to " +
                            std::to_string(static_cast<long long>(dMax)));
            d = *v;
            return true;
        };
        const auto period = [&](std::size_t i, double& d) {
            const auto v = ParseNumber(w[i], 0.001, kMaxPeriodSeconds);
            if (!v) return Fail("\"" + w[i] + "\" is not a period in seconds");
            d = *v;
            return true;
        };
        double a = 0, b = 0, c = 0, d = 0;
        if (strShape == "constant") {
            if (!args(1, "LEVEL") || !level(3, a)) return false;
            *pModel = CLoadModel::Constant(a);
        } else if (strShape == "ramp" || strShape == "square") {
            if (!args(3, "FROM TO SECONDS") || !level(3, a) || !level(4, b) || !period(5, c)) {
                return false;
            }
            *pModel = strShape == "ramp" ? CLoadModel::Ramp(a, b, c) : CLoadModel::Square(a, b, c);
        } else if (strShape == "walk") {
            if (!args(5, "START STEP MIN MAX SEED") || !level(3, a) || !level(4, b) ||
                !level(5, c) || !level(6, d)) {
                return false;
            }
            const auto nSeed = ParseUnsigned(w[7], 0, std::numeric_limits<std::uint64_t>::max());
            if (!nSeed) return Fail("\"" + w[7] + "\" is not a seed (a whole number)");
            if (c > d) return Fail("the walk's MIN is above its MAX");
            *pModel = CLoadModel::Walk(a, b, c, d, *nSeed);
        } else {
            return Fail("unknown load shape \"" + strShape + "\" (constant, ramp, square, walk)");
        }
        return true;
    }

    bool FaultLine(const Words& w) {
        CSimFaults& faults = m_pHost->m_faults;
        const std::string& k = w[0];
        if (k == "refuse") {
            if (!Count(w, 1, 1, "CODE")) return false;
            const auto n = ParseUnsigned(w[1], 1, kMaxCode);
            if (!n) return Fail("an error code is a number from 1 to 4294967295");
            faults.m_nRefuseCode = static_cast<platform::ErrorCode>(*n);
            return true;
        }
        if (k == "fail-request") {
            if (!Count(w, 2, 2, "N CODE")) return false;
            const auto nRequest = ParseUnsigned(w[1], 1, std::numeric_limits<std::uint64_t>::max());
            const auto nCode = ParseUnsigned(w[2], 1, kMaxCode);
            if (!nRequest) return Fail("the request number counts from 1");
            if (!nCode) return Fail("an error code is a number from 1 to 4294967295");
            faults.m_mapFailRequest[*nRequest] = static_cast<platform::ErrorCode>(*nCode);
            return true;
        }
        if (k == "bad-signature") {
            if (!Count(w, 0, 1, "[N]")) return false;
            if (w.size() == 1) {
                faults.m_bBadSignatureAlways = true;
                return true;
            }
            const auto nRequest = ParseUnsigned(w[1], 1, std::numeric_limits<std::uint64_t>::max());
            if (!nRequest) return Fail("the request number counts from 1");
            faults.m_setBadSignature.insert(*nRequest);
            return true;
        }
        if (k == "block-size") {
            if (!Count(w, 1, 1, "BYTES")) return false;
            const auto n = ParseUnsigned(w[1], 0, kMaxBlockSize);
            if (!n) return Fail("the block size must be 0 to 16777216 bytes");
            faults.m_nBlockSize = static_cast<std::uint32_t>(*n);
            return true;
        }
        if (k == "delay") {
            if (!Count(w, 1, 1, "MILLISECONDS")) return false;
            const auto n = ParseUnsigned(w[1], 0, kMaxDelayMs);
            if (!n) return Fail("the delay must be 0 to 60000 milliseconds");
            faults.m_nDelayMs = static_cast<std::uint32_t>(*n);
            return true;
        }
        return Fail("unknown keyword \"" + k + "\"");
    }

    CSimNetworkDescription& m_description;
    CSimHostDefinition* m_pHost = nullptr;  // the host whose lines are being read
    std::vector<RegistryEdit> m_vecEdits;
    int m_nLine = 0;
    std::string m_strError;
};

}  // namespace

bool ParseNetworkDescription(std::string_view strText, CSimNetworkDescription& description,
                             std::string& strError) {
    CDescriptionParser parser(description);
    return parser.Parse(strText, strError);
}

bool LoadNetworkDescription(const std::string& strPath, CSimNetworkDescription& description,
                            std::string& strError) {
    platform::InputFile file;
    const platform::ErrorCode nOpen = file.Open(strPath);
    if (nOpen != platform::kSuccess) {
        strError = strPath + ": cannot be opened (" + platform::SystemErrorMessage(nOpen) +
                   ", code " + std::to_string(nOpen) + ")";
        return false;
    }
    std::string strText;
    char buffer[16384];
    for (;;) {
        std::size_t nRead = 0;
        const platform::ErrorCode nResult = file.Read(buffer, sizeof buffer, nRead);
        if (nResult != platform::kSuccess) {
            strError = strPath + ": cannot be read (code " + std::to_string(nResult) + ")";
            return false;
        }
        if (nRead == 0) break;
        if (strText.size() + nRead > kMaxDescriptionBytes) {
            strError = strPath + ": is larger than 4 MiB, too large for a network description";
            return false;
        }
        strText.append(buffer, nRead);
    }
    std::string strWhy;
    if (!ParseNetworkDescription(strText, description, strWhy)) {
        strError = strPath + ": " + strWhy;
        return false;
    }
    return true;
}

}  // namespace sim

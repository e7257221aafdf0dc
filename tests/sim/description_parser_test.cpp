// Reading network descriptions: every keyword, the default registry, and errors by line.
#include <gtest/gtest.h>

#include "platform/temp_dir.h"
#include "sim/description_parser.h"

namespace {

using sim::CSimNetworkDescription;

std::string Text(const sim::CSimRegistry& registry, const std::string& strKey,
                 const std::string& strName) {
    const sim::CSimValue* pValue = registry.FindValue(sim::NormalizeKeyPath(strKey), strName);
    if (pValue == nullptr) return "<missing>";
    if (pValue->m_nType == 4) {
        return "dword:" + std::to_string(pValue->m_vecData[0] | pValue->m_vecData[1] << 8 |
                                         pValue->m_vecData[2] << 16 | pValue->m_vecData[3] << 24);
    }
    std::string strText;  // ASCII test texts: every other byte
    for (std::size_t i = 0; i + 1 < pValue->m_vecData.size(); i += 2) {
        if (pValue->m_vecData[i] == 0 && pValue->m_vecData[i + 1] == 0) {
            strText += '|';
        } else {
            strText += static_cast<char>(pValue->m_vecData[i]);
        }
    }
    return std::to_string(pValue->m_nType) + ":" + strText;
}

CSimNetworkDescription Parse(const std::string& strText) {
    CSimNetworkDescription description;
    std::string strError;
    EXPECT_TRUE(sim::ParseNetworkDescription(strText, description, strError)) << strError;
    return description;
}

constexpr char kVersion[] = "Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kCpu[] = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
constexpr char kPerfOs[] = "SYSTEM\\CurrentControlSet\\Services\\PerfOS\\Performance";
constexpr char kPerfProc[] = "SYSTEM\\CurrentControlSet\\Services\\PerfProc\\Performance";

TEST(DescriptionParser, ReadsEveryKeyword) {
    const CSimNetworkDescription description = Parse(
        "\xEF\xBB\xBF# a network\r\n"
        "workgroup WORKGROUP\r\n"
        "  host PC01   # first host\r\n"
        "    address 10.0.0.1 pc01.example\r\n"
        "    user admin \"pass \"\"word\"\"\"\r\n"
        "    processors 4\n"
        "    memory 8192\n"
        "    disks \"0 C:\" \"1 D:\"\n"
        "    volumes C: D: E:\n"
        "    interfaces nic1\n"
        "    processes Idle System app\n"
        "    os \"Windows Server\" 5.2 3790 \"\" \"Free\"\n"
        "    owner Me \"Our Org\" 123\n"
        "    cpu AuthenticAMD \"x86 Family 15\" 0x800\n"
        "    counters-disabled PerfOS sz\n"
        "    counters-disabled PerfProc\n"
        "    value Software\\Test Text sz \"a # b\"\n"
        "    value Software\\Test List multi_sz x y\n"
        "    value Software\\Test Raw binary 0102 ff\n"
        "    delete \"Software\\Microsoft\\Windows NT\\CurrentVersion\" ProductId\n"
        "    load cpu ramp 10 90 60\n"
        "    load mem walk 1000 10 500 1500 42\n"
        "    load disk square 0 250.5 30\n"
        "    refuse 53\n"
        "    fail-request 3 64\n"
        "    fail-request 9 1\n"
        "    bad-signature 5\n"
        "    block-size 60000\n"
        "    delay 250\n"
        "domain LAB\n"
        "host SV01\n"
        "host SV02\n"
        "    bad-signature\n"
        "    processes 12\n");

    ASSERT_EQ(description.m_vecWorkgroups, (std::vector<std::string>{"WORKGROUP", "LAB"}));
    ASSERT_EQ(description.m_vecHosts.size(), 3u);
    const sim::CSimHostDefinition& host = description.m_vecHosts[0];
    EXPECT_EQ(host.m_strName, "PC01");
    EXPECT_EQ(host.m_strWorkgroup, "WORKGROUP");
    EXPECT_EQ(host.m_nLine, 3);
    EXPECT_EQ(host.m_vecAddresses, (std::vector<std::string>{"10.0.0.1", "pc01.example"}));
    EXPECT_EQ(host.m_strUser, "admin");
    EXPECT_EQ(host.m_strPassword, "pass \"word\"");
    EXPECT_EQ(host.m_shape.m_nProcessors, 4);
    EXPECT_EQ(host.m_shape.m_strSystemName, "PC01");
    EXPECT_EQ(host.m_nMemoryMb, 8192u);
    EXPECT_EQ(host.m_shape.m_vecPhysicalDisks, (std::vector<std::string>{"0 C:", "1 D:"}));
    EXPECT_EQ(host.m_shape.m_vecLogicalDisks.size(), 3u);
    EXPECT_EQ(host.m_shape.m_vecNetworkInterfaces, (std::vector<std::string>{"nic1"}));
    EXPECT_EQ(host.m_shape.m_vecProcesses, (std::vector<std::string>{"Idle", "System", "app"}));
    EXPECT_EQ(host.m_cpu.Shape(), sim::ELoadShape::kRamp);
    EXPECT_EQ(host.m_mem.Shape(), sim::ELoadShape::kWalk);
    EXPECT_EQ(host.m_disk.Shape(), sim::ELoadShape::kSquare);
    EXPECT_EQ(host.m_faults.m_nRefuseCode, 53u);
    EXPECT_EQ(host.m_faults.m_mapFailRequest,
              (std::map<std::uint64_t, platform::ErrorCode>{{3, 64}, {9, 1}}));
    EXPECT_FALSE(host.m_faults.m_bBadSignatureAlways);
    EXPECT_EQ(host.m_faults.m_setBadSignature, (std::set<std::uint64_t>{5}));
    EXPECT_EQ(host.m_faults.m_nBlockSize, 60000u);
    EXPECT_EQ(host.m_faults.m_nDelayMs, 250u);

    const sim::CSimRegistry& r = host.m_registry;
    EXPECT_EQ(Text(r, kVersion, "ProductName"), "1:Windows Server|");
    EXPECT_EQ(Text(r, kVersion, "CSDVersion"), "1:|");
    EXPECT_EQ(Text(r, kVersion, "CurrentType"), "1:Free|");  // os wins over the default
    EXPECT_EQ(Text(r, kVersion, "RegisteredOrganization"), "1:Our Org|");
    EXPECT_EQ(Text(r, kVersion, "ProductId"), "<missing>");
    EXPECT_EQ(Text(r, kCpu, "Identifier"), "1:x86 Family 15|");
    EXPECT_EQ(Text(r, kCpu, "~MHz"), "dword:2048");
    EXPECT_EQ(Text(r, kPerfOs, "Disable Performance Counters"), "1:1|");
    EXPECT_EQ(Text(r, kPerfProc, "Disable Performance Counters"), "dword:1");
    EXPECT_EQ(Text(r, "software\\test", "TEXT"), "1:a # b|");
    EXPECT_EQ(Text(r, "Software\\Test", "List"), "7:x|y||");
    const sim::CSimValue* pRaw = r.FindValue("software\\test", "Raw");
    ASSERT_NE(pRaw, nullptr);
    EXPECT_EQ(pRaw->m_nType, 3u);
    EXPECT_EQ(pRaw->m_vecData, (std::vector<std::uint8_t>{1, 2, 0xFF}));

    EXPECT_EQ(description.m_vecHosts[1].m_strWorkgroup, "LAB");
    EXPECT_TRUE(description.m_vecHosts[2].m_faults.m_bBadSignatureAlways);
    const std::vector<std::string>& vecGenerated = description.m_vecHosts[2].m_shape.m_vecProcesses;
    ASSERT_EQ(vecGenerated.size(), 12u);
    EXPECT_EQ(vecGenerated[0], "Idle");
    EXPECT_EQ(vecGenerated[11], "svchost#3");
}

TEST(DescriptionParser, BareHostHasTheDefaultRegistry) {
    const CSimNetworkDescription description = Parse("workgroup W\nhost A\nhost B\nprocessors 1\n");
    const sim::CSimRegistry& a = description.m_vecHosts[0].m_registry;
    EXPECT_EQ(Text(a, kVersion, "ProductName"), "1:Microsoft Windows XP|");
    EXPECT_EQ(Text(a, kVersion, "CurrentType"), "1:Multiprocessor Free|");  // 2 processors
    EXPECT_EQ(Text(description.m_vecHosts[1].m_registry, kVersion, "CurrentType"),
              "1:Uniprocessor Free|");
    for (const char* pszName : {"CurrentVersion", "CurrentBuildNumber", "CSDVersion",
                                "RegisteredOwner", "RegisteredOrganization", "ProductId"}) {
        EXPECT_NE(Text(a, kVersion, pszName), "<missing>") << pszName;
    }
    for (const char* pszName : {"VendorIdentifier", "Identifier", "~MHz"}) {
        EXPECT_NE(Text(a, kCpu, pszName), "<missing>") << pszName;
    }
    for (const char* pszService : {"PerfOS", "PerfDisk", "PerfProc"}) {
        const std::string strKey =
            std::string("SYSTEM\\CurrentControlSet\\Services\\") + pszService + "\\Performance";
        EXPECT_EQ(Text(a, strKey, "Disable Performance Counters"), "dword:0");
    }
    const sim::CSimValue* pCounter =
        a.FindValue(sim::NormalizeKeyPath(sim::kCounterKey), "counter");
    ASSERT_NE(pCounter, nullptr);
    EXPECT_EQ(pCounter->m_nType, 7u);
    EXPECT_EQ(description.m_vecHosts[0].m_strUser, "");
}

struct SErrorCase {
    std::string_view strText;
    int nLine;
    const char* pszWords;  // a piece of the message
};

TEST(DescriptionParser, ErrorsNameTheLineAndTheReason) {
    const SErrorCase kCases[] = {
        {"host A\n", 1, "before any workgroup"},
        {"workgroup W\nprocessors 2\n", 2, "before the first host"},
        {"workgroup W\nbogus\n", 2, "unknown keyword \"bogus\""},
        {"workgroup W\r\nhost A\r\n\r\nhots B\r\n", 4, "unknown keyword \"hots\""},
        {"workgroup W\nhost A\nworkgroup X\nhost a\n", 4, "already names the host on line 2"},
        {"workgroup W\nhost A\naddress 10.0.0.1\nhost 10.0.0.1\n", 4, "on line 2"},
        {"workgroup W\nhost A\nhost B\naddress x a\n", 4, "\"a\" already names"},
        {"workgroup W\nworkgroup w\n", 2, "described twice"},
        {"workgroup\n", 1, "expects: workgroup NAME"},
        {"workgroup W\nhost \"\"\n", 2, "1 to 255 bytes"},
        {"workgroup W\nhost \\\\PC1\n", 2, "backslash"},
        {"workgroup W\nhost A\nprocessors 0\n", 3, "1 to 64"},
        {"workgroup W\nhost A\nprocessors 65\n", 3, "1 to 64"},
        {"workgroup W\nhost A\nprocessors two\n", 3, "1 to 64"},
        {"workgroup W\nhost A\nuser admin\n", 3, "expects: user NAME PASSWORD"},
        {"workgroup W\nhost A\nload cpu constant 101\n", 3, "not a cpu level"},
        {"workgroup W\nhost A\nload cpu constant -1\n", 3, "not a cpu level"},
        {"workgroup W\nhost A\nload cpu constant nan\n", 3, "not a cpu level"},
        {"workgroup W\nhost A\nload net constant 1\n", 3, "cpu, mem or disk"},
        {"workgroup W\nhost A\nload cpu wobble 1\n", 3, "unknown load shape"},
        {"workgroup W\nhost A\nload disk walk 1 2 3\n", 3, "START STEP MIN MAX SEED"},
        {"workgroup W\nhost A\nload disk walk 5 1 9 3 7\n", 3, "MIN is above its MAX"},
        {"workgroup W\nhost A\nload cpu square 1 2 0\n", 3, "period"},
        {"workgroup W\nhost A\nrefuse 0\n", 3, "error code"},
        {"workgroup W\nhost A\nfail-request 0 5\n", 3, "counts from 1"},
        {"workgroup W\nhost A\nblock-size 16777217\n", 3, "16777216"},
        {"workgroup W\nhost A\ndelay 60001\n", 3, "60000"},
        {"workgroup W\nhost A\nos \"Windows\n", 3, "not closed"},
        {"workgroup W\nhost A\nos a\"b\" 1 2 3 4\n", 3, "quote inside a word"},
        {"workgroup W\nhost A\nos \"a\"b 1 2 3 4\n", 3, "followed by a space"},
        {"workgroup W\nhost A\nos a b c\n", 3, "expects: os ProductName"},
        {"workgroup W\nhost A\nvalue K N qword 1\n", 3, "unknown value type"},
        {"workgroup W\nhost A\nvalue K N dword 4294967296\n", 3, "0 to 4294967295"},
        {"workgroup W\nhost A\nvalue K N binary 123\n", 3, "hexadecimal"},
        {"workgroup W\nhost A\ncounters-disabled PerfNet\n", 3, "PerfOS, PerfDisk or PerfProc"},
        {"workgroup W\nhost A\nprocesses 2001\n", 3, "0 to 2000"},
        {"workgroup W\nhost A\nos \xFF 1 2 3 4\n", 3, "not valid UTF-8"},
        {"workgroup W\n\x01\n", 2, "control character"},
        {std::string_view("workgroup W\nhost A\0\n", 20), 2, "control character"},
    };
    for (const SErrorCase& c : kCases) {
        const std::string strText(c.strText);
        CSimNetworkDescription description;
        std::string strError;
        EXPECT_FALSE(sim::ParseNetworkDescription(strText, description, strError)) << strText;
        EXPECT_TRUE(strError.starts_with("line " + std::to_string(c.nLine) + ": "))
            << strText << " -> " << strError;
        EXPECT_NE(strError.find(c.pszWords), std::string::npos) << strText << " -> " << strError;
    }
}

TEST(DescriptionParser, FilesAreNamedInTheirErrors) {
    platform_test::CTempDir dir;
    CSimNetworkDescription description;
    std::string strError;
    EXPECT_FALSE(sim::LoadNetworkDescription(dir.Path("missing.txt"), description, strError));
    EXPECT_TRUE(strError.starts_with(dir.Path("missing.txt") + ": cannot be opened")) << strError;

    dir.WriteFile("bad.txt", "workgroup W\nhost A\nload cpu constant 200\n");
    EXPECT_FALSE(sim::LoadNetworkDescription(dir.Path("bad.txt"), description, strError));
    EXPECT_TRUE(strError.starts_with(dir.Path("bad.txt") + ": line 3: ")) << strError;

    dir.WriteFile("huge.txt", "#" + std::string(sim::kMaxDescriptionBytes, 'x'));
    EXPECT_FALSE(sim::LoadNetworkDescription(dir.Path("huge.txt"), description, strError));
    EXPECT_NE(strError.find("larger than 4 MiB"), std::string::npos) << strError;

    dir.WriteFile("empty.txt", "");
    EXPECT_TRUE(sim::LoadNetworkDescription(dir.Path("empty.txt"), description, strError));
    EXPECT_TRUE(description.m_vecHosts.empty());
}

}  // namespace

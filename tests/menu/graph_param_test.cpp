// The graph request: file ordering, the block layout Graph reads, and decoding hostile blocks.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "archive_stream.h"
#include "graph_param.h"

namespace {

std::string Int32(std::int32_t value) {
    CArchiveWriter writer;
    writer.WriteInt32(value);
    return writer.TakeBuffer();
}

std::string Text(const std::string& utf8) {
    CArchiveWriter writer;
    writer.WriteString(utf8);
    return writer.TakeBuffer();
}

CGraphParam SampleRequest() {
    CGraphParam param;
    param.m_strHost = "PC1";
    param.m_nCounter = 0;
    param.m_strCounter = "CPU-CPU Time";
    param.m_bShowDate = 1;
    param.m_files.Add({"", 1, "D:\\Data\\\\VARN_A.var"});
    return param;
}

std::vector<std::string> Paths(const CGraphFileList& list) {
    std::vector<std::string> paths;
    for (const auto& item : list.Items()) paths.push_back(item.m_strPath);
    return paths;
}

TEST(GraphFileListTest, ExecutionIdsDescendAndBranchesAscend) {
    CGraphFileList list;
    list.Add({"0412-0001", 3, "a3"});
    list.Add({"0412-0001", 1, "a1"});
    list.Add({"0412-0002", 2, "b2"});
    list.Add({"0412-0001", 2, "a2"});
    list.Add({"0411-0009", 1, "c1"});
    list.Add({"0412-0002", 1, "b1"});
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"b1", "b2", "a1", "a2", "a3", "c1"}));
}

TEST(GraphFileListTest, EqualPairsKeepTheirOrderAndEmptyIdsKeepTheBlockOrder) {
    CGraphFileList list;
    list.Add({"X", 1, "first"});
    list.Add({"X", 1, "second"});
    list.Add({"X", 1, "third"});
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"first", "second", "third"}));

    CGraphFileList loaded;  // what reading a block produces: empty IDs, branch 0
    for (const char* path : {"z", "a", "m"}) loaded.Add({"", 0, path});
    EXPECT_EQ(Paths(loaded), (std::vector<std::string>{"z", "a", "m"}));
}

TEST(GraphFileListTest, IdsCompareByTheirCodePage932Bytes) {
    // Full-width Ａ is 0x82 0x60 and 亜 is 0x88 0x9F in code page 932, so 亜 is the larger ID;
    // in UTF-8 the order would be the other way round (EF BC A1 against E4 BA 9C).
    CGraphFileList list;
    list.Add({"Ａ", 1, "alpha"});
    list.Add({"亜", 1, "kanji"});
    EXPECT_EQ(Paths(list), (std::vector<std::string>{"kanji", "alpha"}));
}

TEST(GraphFileListTest, AnyMixOfAddsGivesTheOrderOfTheFrontToBackRule) {
    // The rule as stated: in front of the first item with a smaller ID, or the same ID and a
    // larger branch; at the end when there is none. IDs here are ASCII, whose code page 932
    // bytes are their own.
    std::vector<CGraphFileItem> expected;
    auto addByRule = [&](const CGraphFileItem& item) {
        auto it = expected.begin();
        while (it != expected.end() &&
               !(it->m_strExecId < item.m_strExecId ||
                 (it->m_strExecId == item.m_strExecId && it->m_nBranch > item.m_nBranch))) {
            ++it;
        }
        expected.insert(it, item);
    };
    std::mt19937 random(20240701);
    CGraphFileList list;
    const char* ids[] = {"", "0412-0001", "0412-0002", "0501-0001"};
    for (int i = 0; i < 400; ++i) {
        const CGraphFileItem item{ids[random() % 4], static_cast<std::int32_t>(random() % 5) - 1,
                                  "p" + std::to_string(i)};
        addByRule(item);
        list.Add(item);
    }
    std::vector<std::string> expectedPaths;
    for (const auto& item : expected) expectedPaths.push_back(item.m_strPath);
    EXPECT_EQ(Paths(list), expectedPaths);
}

TEST(GraphParamBlockTest, LayoutIsCounterTextHostFlagCountThenPaths) {
    const std::string block = EncodeGraphParamBlock(SampleRequest());
    const std::string expected = Int32(0) + "\x0C" + "CPU-CPU Time" + "\x03" + "PC1" + Int32(1) +
                                 Int32(1) + Text("D:\\Data\\\\VARN_A.var");
    ASSERT_EQ(block.size(), kGraphParamBlockStep);
    EXPECT_EQ(block.substr(0, expected.size()), expected);
    EXPECT_EQ(block.find_first_not_of('\0', expected.size()), std::string::npos);
}

TEST(GraphParamBlockTest, LongTextsUseTheLongerLengthPrefixAndTheBlockGrowsInSteps) {
    CGraphParam param = SampleRequest();
    param.m_strHost = std::string(300, 'h');
    param.m_files.Clear();
    param.m_files.Add({"", 1, std::string(5000, 'p')});
    const std::string block = EncodeGraphParamBlock(param);
    EXPECT_EQ(block.size(), 2 * kGraphParamBlockStep);
    const std::size_t host = 4 + 1 + 12;
    EXPECT_EQ(block.substr(host, 3), std::string("\xFF\x2C\x01", 3));
    EXPECT_EQ(block.substr(host + 3, 300), std::string(300, 'h'));
}

TEST(GraphParamBlockTest, RoundTripKeepsJapaneseTextsAndTheOrderOfThePaths) {
    CGraphParam param;
    param.m_strHost = "予約サーバ";
    param.m_nCounter = 7;
    param.m_strCounter = "Network I/F-Data Transfer Size";
    param.m_bShowDate = 0;
    param.m_files.Add({"0412-0001", 1, "D:\\予定\\\\VARN_予約_1.var"});
    param.m_files.Add({"0412-0001", 2, "D:\\予定\\\\VARN_予約_2.var"});
    CGraphParam read;
    const CGraphParamDecodeResult result =
        DecodeGraphParamBlock(EncodeGraphParamBlock(param), read);
    ASSERT_TRUE(result.Ok()) << result.m_strDetail;
    EXPECT_EQ(read.m_strHost, "予約サーバ");
    EXPECT_EQ(read.m_nCounter, 7);
    EXPECT_EQ(read.m_strCounter, "Network I/F-Data Transfer Size");
    EXPECT_EQ(read.m_bShowDate, 0);
    EXPECT_EQ(Paths(read.m_files), Paths(param.m_files));
    for (const auto& item : read.m_files.Items()) {
        EXPECT_EQ(item.m_strExecId, "");
        EXPECT_EQ(item.m_nBranch, 0);
    }
}

TEST(GraphParamDecodeTest, EveryCutShortBlockIsRefusedWithoutReadingPastIt) {
    CArchiveWriter writer;
    SampleRequest().Serialize(writer);
    const std::string full = writer.TakeBuffer();
    for (std::size_t cut = 0; cut < full.size(); ++cut) {
        // A copy of exactly `cut` bytes, so a read past the end is caught by the sanitizer.
        const std::string part = full.substr(0, cut);
        CGraphParam read = SampleRequest();
        const CGraphParamDecodeResult result = DecodeGraphParamBlock(part, read);
        EXPECT_FALSE(result.Ok()) << "cut at " << cut;
        EXPECT_FALSE(result.m_strDetail.empty());
        EXPECT_EQ(read.m_strHost, "") << "cut at " << cut;
        EXPECT_EQ(read.m_files.Size(), 0u);
    }
    CGraphParam read;
    EXPECT_TRUE(DecodeGraphParamBlock(full, read).Ok());
}

TEST(GraphParamDecodeTest, HostileValuesAreNamed) {
    const std::string head = Int32(0) + Text("CPU-CPU Time") + Text("PC1");
    struct {
        const char* name;
        std::string block;
        EGraphParamError expected;
    } cases[] = {
        {"empty", "", EGraphParamError::kEmpty},
        {"negative count", head + Int32(0) + Int32(-1), EGraphParamError::kBadFileCount},
        {"huge count", head + Int32(0) + Int32(0x7FFFFFFF) + std::string(64, '\0'),
         EGraphParamError::kBadFileCount},
        {"count beyond the paths", head + Int32(0) + Int32(3) + Text("a") + Text("b"),
         EGraphParamError::kTruncated},
        {"path longer than the block", head + Int32(0) + Int32(1) + std::string("\xFF\x10\x27", 3),
         EGraphParamError::kTruncated},
        {"undefined length marker", Int32(0) + std::string("\xFF\xFE\xFF", 3),
         EGraphParamError::kBadLength},
        {"counter 8", Int32(8) + Text("x") + Text("PC1") + Int32(0) + Int32(0),
         EGraphParamError::kBadCounter},
        {"counter -1", Int32(-1) + Text("x") + Text("PC1") + Int32(0) + Int32(0),
         EGraphParamError::kBadCounter},
        {"date flag 2", head + Int32(2) + Int32(0), EGraphParamError::kBadShowDate},
    };
    for (const auto& c : cases) {
        CGraphParam read;
        const CGraphParamDecodeResult result = DecodeGraphParamBlock(c.block, read);
        EXPECT_EQ(result.m_eError, c.expected) << c.name << ": " << result.m_strDetail;
    }
}

TEST(GraphParamDecodeTest, ABlockOfAHundredThousandEmptyPathsDecodesInBlockOrder) {
    // Every empty path is one zero byte: a block of a few hundred kilobytes that anything can put
    // on the clipboard. Placing each path by walking the list from the front took hours for it.
    constexpr std::int32_t kPaths = 100000;
    CGraphParam read;
    const CGraphParamDecodeResult result =
        DecodeGraphParamBlock(Int32(0) + Text("x") + Text("PC1") + Int32(0) + Int32(kPaths) +
                                  std::string(kPaths - 1, '\0') + Text("last"),
                              read);
    ASSERT_TRUE(result.Ok()) << result.m_strDetail;
    ASSERT_EQ(read.m_files.Size(), static_cast<std::size_t>(kPaths));
    EXPECT_EQ(read.m_files.Items().front().m_strPath, "");
    EXPECT_EQ(read.m_files.Items().back().m_strPath, "last");
}

TEST(GraphParamDecodeTest, NoFilesAndTrailingPaddingAreAccepted) {
    CGraphParam param = SampleRequest();
    param.m_files.Clear();
    CGraphParam read;
    ASSERT_TRUE(DecodeGraphParamBlock(EncodeGraphParamBlock(param), read).Ok());
    EXPECT_EQ(read.m_files.Size(), 0u);
    EXPECT_EQ(read.m_strHost, "PC1");
}

}  // namespace

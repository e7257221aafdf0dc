// The graph request that Plotara hands to Graph on the clipboard, and its block encoding.
//
// Block layout (every integer int32 little-endian, every text an archive string in code page 932;
// no class tag or version in front):
//   m_nCounter, m_strCounter, m_strHost, m_bShowDate, n = number of files, n x path
// Execution IDs and branch numbers are not written: only the order of the paths carries them.
// The block travels in a memory block grown in steps of 4096 bytes, so it may end in zeros.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "archive_stream.h"

// The clipboard format the block is put under.
inline constexpr const char* kGraphParamFormat = "VARNOLE_GRAPH_PARAM";
// The step in which the memory block holding the data grows.
inline constexpr std::size_t kGraphParamBlockStep = 4096;
// The counter choice list has entries 0 to 7.
inline constexpr std::int32_t kGraphCounterCount = 8;

// One data file of a graph request.
struct CGraphFileItem {
    std::string m_strExecId;     // execution ID of the file's row (first sort key)
    std::int32_t m_nBranch = 0;  // branch number of the file's row (second sort key)
    std::string m_strPath;       // full path of the data file
};

// The data files of a request, kept in drawing order: execution IDs from largest to smallest
// (compared byte-wise on their code page 932 bytes), branch numbers from smallest to largest
// within one execution ID, equal pairs in the order they were added.
class CGraphFileList {
public:
    void Add(CGraphFileItem item);
    const std::vector<CGraphFileItem>& Items() const { return m_items; }
    std::size_t Size() const { return m_items.size(); }
    void Clear() { m_items.clear(); }

private:
    std::vector<CGraphFileItem> m_items;
};

class CGraphParam {
public:
    std::string m_strHost;
    std::int32_t m_nCounter = 0;
    std::string m_strCounter;
    CGraphFileList m_files;
    std::int32_t m_bShowDate = 0;

    // Writes the fields in the block layout.
    void Serialize(CArchiveWriter& archive) const;
    // Reads them back: every path becomes an item with an empty execution ID and branch 0, so
    // the order of the block is kept. Check archive.Ok() afterwards.
    void Load(CArchiveReader& archive);
};

// The clipboard block for a request: the encoded fields followed by zeros up to the next
// multiple of kGraphParamBlockStep.
std::string EncodeGraphParamBlock(const CGraphParam& param);

// Why a block could not be decoded.
enum class EGraphParamError {
    kNone,
    kEmpty,         // no bytes at all
    kTruncated,     // the block ends inside a value
    kBadLength,     // a text length prefix the archive format does not define
    kBadFileCount,  // a negative file count, or more files than the block could hold
    kBadCounter,    // a counter index outside 0 to 7
    kBadShowDate,   // a date flag other than 0 or 1
};

struct CGraphParamDecodeResult {
    EGraphParamError m_eError = EGraphParamError::kNone;
    std::string m_strDetail;  // what was wrong and where, empty on success
    bool Ok() const { return m_eError == EGraphParamError::kNone; }
};

// Decodes a clipboard block that came from outside: every count and length is checked against
// the block before use. Bytes after the last path are ignored (the block's zero padding).
// On failure param is left blank.
CGraphParamDecodeResult DecodeGraphParamBlock(std::string_view block, CGraphParam& param);

// libFuzzer target of the graph request block decoder: any program can put bytes on the
// clipboard under the request's format.
//
// The input is the clipboard block. Beyond not crashing, not reading past the block and not
// allocating beyond what the block holds, every input must satisfy:
// - a refused block leaves a blank request; an accepted one has a counter index 0 to 7, a date
//   flag 0 or 1, and no more paths than the block has bytes;
// - an accepted request encoded again decodes to the same request, paths in the same order;
// - the request's own load side reads the same fields from an accepted block.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "graph_param.h"

namespace {

bool SameRequest(const CGraphParam& a, const CGraphParam& b) {
    if (a.m_strHost != b.m_strHost || a.m_nCounter != b.m_nCounter ||
        a.m_strCounter != b.m_strCounter || a.m_bShowDate != b.m_bShowDate ||
        a.m_files.Size() != b.m_files.Size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.m_files.Size(); ++i) {
        const CGraphFileItem& x = a.m_files.Items()[i];
        const CGraphFileItem& y = b.m_files.Items()[i];
        if (x.m_strPath != y.m_strPath || x.m_strExecId != y.m_strExecId ||
            x.m_nBranch != y.m_nBranch) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const std::string_view block(reinterpret_cast<const char*>(pData), nSize);
    CGraphParam param;
    param.m_strHost = "left over from before";
    const CGraphParamDecodeResult result = DecodeGraphParamBlock(block, param);

    // The unchecked load side must stay inside the block whatever it holds.
    CArchiveReader archive(block);
    CGraphParam loaded;
    loaded.Load(archive);
    FUZZ_CHECK(archive.Position() <= block.size());

    if (!result.Ok()) {
        FUZZ_CHECK(SameRequest(param, CGraphParam()));
        FUZZ_CHECK(!result.m_strDetail.empty());
        return 0;
    }
    FUZZ_CHECK(result.m_strDetail.empty());
    FUZZ_CHECK(param.m_nCounter >= 0 && param.m_nCounter < kGraphCounterCount);
    FUZZ_CHECK(param.m_bShowDate == 0 || param.m_bShowDate == 1);
    FUZZ_CHECK(param.m_files.Size() <= block.size());
    for (const CGraphFileItem& item : param.m_files.Items()) {
        FUZZ_CHECK(item.m_strExecId.empty() && item.m_nBranch == 0);
    }
    FUZZ_CHECK(archive.Ok());
    FUZZ_CHECK(SameRequest(loaded, param));

    CGraphParam again;
    FUZZ_CHECK(DecodeGraphParamBlock(EncodeGraphParamBlock(param), again).Ok());
    FUZZ_CHECK(SameRequest(again, param));
    return 0;
}

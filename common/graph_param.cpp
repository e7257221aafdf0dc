// The graph request's ordering, its archive layout and the checked decoding of a clipboard block.
#include "graph_param.h"

#include <algorithm>
#include <utility>

#include "platform/text_codec.h"

void CGraphFileList::Add(CGraphFileItem item) {
    // The list is always in order, so the place is found by halving: a block from the clipboard
    // may carry hundreds of thousands of paths, and a walk from the front for each of them would
    // take hours. The new item goes behind every item it does not precede, that is in front of
    // the first item with a smaller execution ID, or with the same ID and a larger branch.
    // IDs compare by their code page 932 bytes (std::string compares them as unsigned char).
    const std::string idBytes = platform::Utf8ToCp932(item.m_strExecId);
    const auto position = std::upper_bound(
        m_items.begin(), m_items.end(), item,
        [&](const CGraphFileItem& added, const CGraphFileItem& existing) {
            const std::string existingBytes = platform::Utf8ToCp932(existing.m_strExecId);
            return existingBytes < idBytes ||
                   (existingBytes == idBytes && existing.m_nBranch > added.m_nBranch);
        });
    m_items.insert(position, std::move(item));
}

void CGraphParam::Serialize(CArchiveWriter& archive) const {
    archive.WriteInt32(m_nCounter);
    archive.WriteString(m_strCounter);
    archive.WriteString(m_strHost);
    archive.WriteInt32(m_bShowDate);
    archive.WriteInt32(static_cast<std::int32_t>(m_files.Size()));
    for (const CGraphFileItem& item : m_files.Items()) archive.WriteString(item.m_strPath);
}

void CGraphParam::Load(CArchiveReader& archive) {
    m_nCounter = archive.ReadInt32();
    m_strCounter = archive.ReadString();
    m_strHost = archive.ReadString();
    m_bShowDate = archive.ReadInt32();
    const std::int32_t count = archive.ReadInt32();
    m_files.Clear();
    for (std::int32_t i = 0; i < count && archive.Ok(); ++i) {
        CGraphFileItem item;
        item.m_strPath = archive.ReadString();
        if (archive.Ok()) m_files.Add(std::move(item));
    }
}

std::string EncodeGraphParamBlock(const CGraphParam& param) {
    CArchiveWriter archive;
    param.Serialize(archive);
    std::string block = archive.TakeBuffer();
    const std::size_t steps = (block.size() + kGraphParamBlockStep - 1) / kGraphParamBlockStep;
    block.resize(std::max<std::size_t>(steps, 1) * kGraphParamBlockStep, '\0');
    return block;
}

CGraphParamDecodeResult DecodeGraphParamBlock(std::string_view block, CGraphParam& param) {
    param = CGraphParam();
    CGraphParamDecodeResult result;
    auto fail = [&](EGraphParamError error, std::string detail) {
        param = CGraphParam();
        result.m_eError = error;
        result.m_strDetail = std::move(detail);
        return result;
    };
    auto failRead = [&](const CArchiveReader& archive) {
        return fail(archive.ErrorCode() == EArchiveError::kBadLengthMarker
                        ? EGraphParamError::kBadLength
                        : EGraphParamError::kTruncated,
                    archive.Error());
    };
    if (block.empty()) return fail(EGraphParamError::kEmpty, "the block is empty");

    CArchiveReader archive(block);
    CGraphParam read;
    read.m_nCounter = archive.ReadInt32();
    read.m_strCounter = archive.ReadString();
    read.m_strHost = archive.ReadString();
    read.m_bShowDate = archive.ReadInt32();
    const std::int32_t count = archive.ReadInt32();
    if (!archive.Ok()) return failRead(archive);
    if (read.m_nCounter < 0 || read.m_nCounter >= kGraphCounterCount) {
        return fail(EGraphParamError::kBadCounter,
                    "counter index " + std::to_string(read.m_nCounter) + " is outside 0 to 7");
    }
    if (read.m_bShowDate != 0 && read.m_bShowDate != 1) {
        return fail(EGraphParamError::kBadShowDate,
                    "date flag " + std::to_string(read.m_bShowDate) + " is neither 0 nor 1");
    }
    // Every path takes at least its one-byte length prefix.
    if (count < 0 || static_cast<std::size_t>(count) > archive.Remaining()) {
        return fail(EGraphParamError::kBadFileCount,
                    "file count " + std::to_string(count) + " does not fit the " +
                        std::to_string(archive.Remaining()) + " bytes left");
    }
    for (std::int32_t i = 0; i < count; ++i) {
        CGraphFileItem item;
        item.m_strPath = archive.ReadString();
        if (!archive.Ok()) return failRead(archive);
        read.m_files.Add(std::move(item));
    }
    param = std::move(read);
    return result;
}

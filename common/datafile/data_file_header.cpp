// Encodes the data file header and reads it back for both layouts (version 100, version 110 on).
#include "datafile/data_file_header.h"

#include "datafile/data_file_format.h"
#include "datafile/data_file_input.h"

namespace {

// The tag is short; a longer first string is not worth reading to find out it is wrong.
constexpr std::size_t kMaxTagBytes = 64;

bool ReadUInt32(datafile::CDataFileInput& input, std::uint32_t& nValue) {
    return input.Decode([&](CArchiveReader& reader) { nValue = reader.ReadUInt32(); }, 4) ==
           datafile::EDecode::kOk;
}

}  // namespace

bool CDataFileHeader::IsDataFile(std::string_view strTag, std::uint32_t nVersion) {
    if (strTag != datafile::kTag && strTag != datafile::kOldTag) return false;
    return nVersion == datafile::kVersionWithoutJobFields ||
           nVersion >= datafile::kFirstVersionWithJobFields;
}

bool CDataFileHeader::Read(const std::string& strPath) {
    datafile::CDataFileInput input;
    if (input.Open(strPath) != platform::kSuccess) return false;
    return Read(input);
}

bool CDataFileHeader::Read(datafile::CDataFileInput& input) {
    *this = CDataFileHeader();
    const datafile::EDecode eTag = input.Decode(
        [&](CArchiveReader& reader) {
            m_strTag = reader.ReadRawString();
            m_nVersion = reader.ReadUInt32();
        },
        kMaxTagBytes);
    if (eTag != datafile::EDecode::kOk || !IsDataFile(m_strTag, m_nVersion)) return false;

    if (m_nVersion >= datafile::kFirstVersionWithJobFields) {
        if (!datafile::ReadText(input, m_strOsInfo) || !datafile::ReadText(input, m_strCpuInfo) ||
            !datafile::ReadText(input, m_strGroup) || !datafile::ReadText(input, m_strExecId) ||
            !ReadUInt32(input, m_nBranch)) {
            return false;
        }
    }
    if (!datafile::ReadText(input, m_strHost) || !datafile::ReadText(input, m_strComment)) {
        return false;
    }
    return input.Decode(
               [&](CArchiveReader& reader) {
                   m_tStart = reader.ReadTime();
                   m_nCpuThreshold = reader.ReadInt32();
                   m_nMemThreshold = reader.ReadInt32();
                   m_nDiskThreshold = reader.ReadInt32();
               },
               16) == datafile::EDecode::kOk;
}

void CDataFileHeader::Write(const CCounterNameMap& names, CArchiveWriter& archive) const {
    archive.WriteRawString(datafile::kTag);
    archive.WriteUInt32(datafile::kVersion);
    archive.WriteString(m_strOsInfo);
    archive.WriteString(m_strCpuInfo);
    archive.WriteString(m_strGroup);
    archive.WriteString(m_strExecId);
    archive.WriteUInt32(m_nBranch);
    archive.WriteString(m_strHost);
    archive.WriteString(m_strComment);
    archive.WriteTime(m_tStart);
    archive.WriteInt32(m_nCpuThreshold);
    archive.WriteInt32(m_nMemThreshold);
    archive.WriteInt32(m_nDiskThreshold);
    archive.WriteUInt32(static_cast<std::uint32_t>(names.size() * 2));
    for (const auto& [strIndex, strName] : names) {
        archive.WriteString(strIndex);
        archive.WriteString(strName);
    }
}

// Writing and checked reading of the settings file's records and of the whole file.
#include "settings_format.h"

#include <utility>

CSettingsLayout CSettingsLayout::ForVersion(std::int32_t nVersion) {
    CSettingsLayout layout;
    if (nVersion == 100) {
        layout.m_nHosts = 20;
        layout.m_nGroups = 0;
        layout.m_nSchedules = 100;
        layout.m_bTargetType = false;
        layout.m_bSplitUnit = false;
    } else if (nVersion == 101) {
        layout.m_nGroups = 0;
        layout.m_bTargetType = false;
        layout.m_bSplitUnit = false;
    } else {
        layout.m_bSplitUnit = nVersion >= 110;
    }
    return layout;
}

std::int32_t ClampLastSchedule(std::int32_t nStored, int nSchedules) {
    return (nStored < 1 || nStored > nSchedules) ? 1 : nStored;
}

void WriteHostRecord(CArchiveWriter& writer, const CHostEntry& host) {
    writer.WriteString(host.m_strCpuInfo);
    writer.WriteString(host.m_strHost);
    writer.WriteString(host.m_strOwnerInfo);
    writer.WriteString(host.m_strOsInfo);
    writer.WriteString(host.m_strPassword);
    writer.WriteString(host.m_strUser);
}

void ReadHostRecord(CArchiveReader& reader, CHostEntry& host) {
    host.m_strCpuInfo = reader.ReadString();
    host.m_strHost = reader.ReadString();
    host.m_strOwnerInfo = reader.ReadString();
    host.m_strOsInfo = reader.ReadString();
    host.m_strPassword = reader.ReadString();
    host.m_strUser = reader.ReadString();
}

void WriteGroupRecord(CArchiveWriter& writer, const CHostGroup& group) {
    writer.WriteString(group.m_strName);
    for (const std::string& strMember : group.m_strMember) writer.WriteString(strMember);
}

void ReadGroupRecord(CArchiveReader& reader, CHostGroup& group) {
    group.m_strName = reader.ReadString();
    for (std::string& strMember : group.m_strMember) strMember = reader.ReadString();
}

void WriteScheduleRecord(CArchiveWriter& writer, const CSchedule& schedule) {
    writer.WriteInt32(schedule.m_nState);
    if (schedule.m_nState == kStateFree) return;
    writer.WriteInt32(schedule.m_nTargetType);
    writer.WriteString(schedule.m_strTarget);
    writer.WriteString(schedule.m_strComment);
    writer.WriteInt32(schedule.m_nInterval);
    writer.WriteInt32(schedule.m_nSplitUnit);
    writer.WriteInt32(schedule.m_nRepeat);
    writer.WriteInt32(schedule.m_nDay);
    writer.WriteTime(schedule.m_tStart);
    for (std::int32_t bFlag : schedule.m_bWeekday) writer.WriteInt32(bFlag);
    writer.WriteInt32(schedule.m_nEndType);
    writer.WriteInt32(schedule.m_tsDuration);
    writer.WriteInt32(schedule.m_tsEndTime);
    // The thresholds come before the three times in the file.
    writer.WriteInt32(schedule.m_nCpuThreshold);
    writer.WriteInt32(schedule.m_nMemThreshold);
    writer.WriteInt32(schedule.m_nDiskThreshold);
    writer.WriteTime(schedule.m_tNextStart);
    writer.WriteTime(schedule.m_tNextEnd);
    writer.WriteTime(schedule.m_tFollowingStart);
}

void ReadScheduleRecord(CArchiveReader& reader, const CSettingsLayout& layout,
                        CSchedule& schedule) {
    schedule.m_nState = reader.ReadInt32();
    if (schedule.m_nState == kStateFree) return;
    if (layout.m_bTargetType) schedule.m_nTargetType = reader.ReadInt32();
    schedule.m_strTarget = reader.ReadString();
    schedule.m_strComment = reader.ReadString();
    schedule.m_nInterval = reader.ReadInt32();
    if (layout.m_bSplitUnit) schedule.m_nSplitUnit = reader.ReadInt32();
    schedule.m_nRepeat = reader.ReadInt32();
    schedule.m_nDay = reader.ReadInt32();
    schedule.m_tStart = reader.ReadTime();
    for (std::int32_t& bFlag : schedule.m_bWeekday) bFlag = reader.ReadInt32();
    schedule.m_nEndType = reader.ReadInt32();
    schedule.m_tsDuration = reader.ReadInt32();
    schedule.m_tsEndTime = reader.ReadInt32();
    schedule.m_nCpuThreshold = reader.ReadInt32();
    schedule.m_nMemThreshold = reader.ReadInt32();
    schedule.m_nDiskThreshold = reader.ReadInt32();
    schedule.m_tNextStart = reader.ReadTime();
    schedule.m_tNextEnd = reader.ReadTime();
    schedule.m_tFollowingStart = reader.ReadTime();
}

std::string EncodeSettings(std::int32_t nLastSchedule, const CHostTable& hosts,
                           const CGroupTable& groups, const CScheduleTable& schedules) {
    CArchiveWriter writer;
    writer.WriteInt32(kSettingsVersion);
    writer.WriteInt32(nLastSchedule);
    for (const CHostEntry& host : hosts) WriteHostRecord(writer, host);
    for (const CHostGroup& group : groups) WriteGroupRecord(writer, group);
    for (const CSchedule& schedule : schedules) WriteScheduleRecord(writer, schedule);
    return writer.TakeBuffer();
}

CSettingsContents::CSettingsContents()
    : m_pHosts(std::make_unique<CHostTable>()),
      m_pGroups(std::make_unique<CGroupTable>()),
      m_pSchedules(std::make_unique<CScheduleTable>()) {}

namespace {

// Reads one record into a scratch value and keeps it only when it was read whole; records the
// failure otherwise. Returns whether reading may go on.
template <typename Record, typename ReadFn>
bool ReadWhole(CArchiveReader& reader, CSettingsContents& contents, Record& slot, ReadFn read) {
    const std::size_t nStart = reader.Position();
    Record record{};
    read(record);
    if (!reader.Ok()) {
        contents.m_eError = reader.ErrorCode();
        contents.m_nErrorOffset = nStart;
        return false;
    }
    slot = std::move(record);
    return true;
}

}  // namespace

CSettingsContents DecodeSettings(std::string_view bytes) {
    CSettingsContents contents;
    CArchiveReader reader(bytes);

    const std::int32_t nVersion = reader.ReadInt32();
    const std::int32_t nLastSchedule = reader.ReadInt32();
    if (!reader.Ok()) {
        contents.m_eError = reader.ErrorCode();
        return contents;
    }
    contents.m_bHeaderRead = true;
    contents.m_nVersion = nVersion;
    contents.m_layout = CSettingsLayout::ForVersion(nVersion);
    contents.m_nLastSchedule = ClampLastSchedule(nLastSchedule, contents.m_layout.m_nSchedules);

    const CSettingsLayout& layout = contents.m_layout;
    for (int i = 0; i < layout.m_nHosts; ++i) {
        if (!ReadWhole(reader, contents, (*contents.m_pHosts)[static_cast<std::size_t>(i)],
                       [&](CHostEntry& host) { ReadHostRecord(reader, host); }))
            return contents;
        ++contents.m_nHostsRead;
    }
    for (int i = 0; i < layout.m_nGroups; ++i) {
        if (!ReadWhole(reader, contents, (*contents.m_pGroups)[static_cast<std::size_t>(i)],
                       [&](CHostGroup& group) { ReadGroupRecord(reader, group); }))
            return contents;
        ++contents.m_nGroupsRead;
    }
    for (int i = 0; i < layout.m_nSchedules; ++i) {
        if (!ReadWhole(reader, contents, (*contents.m_pSchedules)[static_cast<std::size_t>(i)],
                       [&](CSchedule& schedule) { ReadScheduleRecord(reader, layout, schedule); }))
            return contents;
        ++contents.m_nSchedulesRead;
    }
    return contents;
}

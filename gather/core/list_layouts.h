// Column layouts of the main window's two lists and the fixed texts their rows use.
#pragma once

// The schedule list (control 1000): one row per used schedule slot, column 0 the number.
inline constexpr const char* kScheduleListLayout =
    "NO,30;ホスト名/グループ名,120;種類,40;繰返し,60;開始時間,80;終了時間,80;しきい値,130;"
    "状態,50;次回,80;コメント,60";

// The run log (control 1001): time, target, message.
inline constexpr const char* kRunLogLayout = "時間,140;ホスト名/グループ名,120;コメント,360";

// Columns of the schedule list.
enum EScheduleColumn {
    kColNumber,
    kColTarget,
    kColType,
    kColRepeat,
    kColStart,
    kColEnd,
    kColThreshold,
    kColState,
    kColNext,
    kColComment,
    kScheduleColumnCount,
};

// Columns of the run log.
enum ERunLogColumn {
    kColLogTime,
    kColLogTarget,
    kColLogMessage,
    kRunLogColumnCount,
};

// The fixed texts of Gather's start-up, exit and scheduler: run-log lines, message boxes, labels.
#pragma once
#include <string>

#include "schedule_texts.h"

namespace gather_text {

// ---- start-up and exit ----
inline constexpr const char* kStartupCaption = "起動チェック";
inline constexpr const char* kAlreadyRunning =
    "VARNOLE [稼動データの収集／監視] は、すでに起動されています。";
inline constexpr const char* kStartFromMenu = "VARNOLE [メインメニュ] から起動してください。";
inline constexpr const char* kExitCaption = "終了";
inline constexpr const char* kExitWithJobs =
    "ジョブが実行中です。終了するとこれらのジョブがすべて取消されます。本当に終了しますか？";
inline constexpr const char* kExitQuestion = "本当に終了しますか？";
// Follows the settings file's failure text when the exit could not save it.
inline constexpr const char* kExitCalledOff =
    "\n\n終了を取りやめました。実行中だったジョブは中断し、次回の予約を待っています。"
    "原因を取り除いてから、もう一度終了してください。";

// ---- scheduler message boxes (the overlap check's captions are in schedule_conflict_check.h) ----
inline constexpr const char* kErrorCaption = "エラー";
inline constexpr const char* kScheduleTableFull = "スケジュールがいっぱいです";
inline constexpr const char* kNoScheduleSelected = "予約対象が選択されていません";
inline constexpr const char* kStopOrDeleteCaption = "中断・削除";
inline constexpr const char* kStopOrDeleteQuestion = "本当に中断・削除しても良いですか？";

// "予約 %02d" followed by the rest of a line.
inline std::string ScheduleLine(int nSchedule, const char* pszRest) {
    return "予約 " + ScheduleNumberText(nSchedule) + pszRest;
}
// "予約 %02d が予約 %02d" followed by the rest of a line.
inline std::string SchedulePairLine(int nFirst, int nSecond, const char* pszRest) {
    return "予約 " + ScheduleNumberText(nFirst) + " が予約 " + ScheduleNumberText(nSecond) +
           pszRest;
}

// ---- run log lines ----
inline std::string RunStarted(int n) {
    return ScheduleLine(n, " のログ収集が開始しました。");
}
inline std::string RunCompleted(int n) {
    return ScheduleLine(n, " の稼動データ収集が完了しました。");
}
inline std::string RunSkippedThisTime(int nSchedule, int nOther) {
    return SchedulePairLine(nSchedule, nOther,
                            " と同じホストに対し実行されているため、今回は実行を中断しました。");
}
inline std::string RunDropped(int nSchedule, int nOther) {
    return SchedulePairLine(nSchedule, nOther,
                            " と同じホストに対し実行されているため、この予約は実行を中断しました");
}
inline std::string Registered(int n) {
    return ScheduleLine(n, " を登録しました。");
}
inline std::string Deleted(int n) {
    return ScheduleLine(n, " の稼動データ収集を削除しました");
}
inline std::string Interrupted(int n) {
    return ScheduleLine(n, " の稼動データ収集を中断しました");
}
inline std::string RunningCannotChange(int n) {
    return ScheduleLine(n, " はすでに実行されており、変更できません。");
}

// ---- error log labels ----
// "SetEvent - %d/%s": a stop signal that failed.
inline std::string StopSignalLabel(int nSchedule, const std::string& strHost) {
    return "SetEvent - " + std::to_string(nSchedule) + "/" + strHost;
}
// "CreateThread - %d/%s": a job whose worker thread could not be started.
inline std::string StartThreadLabel(int nSchedule, const std::string& strHost) {
    return "CreateThread - " + std::to_string(nSchedule) + "/" + strHost;
}

}  // namespace gather_text

// The fixed texts of the schedule wizard: refusals, questions, captions, titles.
#pragma once
#include <string>

namespace wizard_text {

// ---- refusals on "次 >>" and "<< 前" ----
inline constexpr const char* kSelectHost = "対象ホストを選択して下さい";
inline constexpr const char* kSelectGroup = "対象グループを選択して下さい";
inline constexpr const char* kNoThreshold = "しきい値の条件を入力して下さい";
inline constexpr const char* kBadCollectTime = "取得期間が不正になっています";
inline constexpr const char* kNoWeekday = "対象となる曜日を選択して下さい";
// "エラーが発生しました Page.%d" with the 1-based page number.
std::string PageErrorCaption(int nPageIndex);

// ---- integer edits (the standard messages of the dialog's data exchange) ----
inline constexpr const char* kNotInteger = "整数を入力してください。";
// "%1 から %2 までの整数を入力してください。"
std::string IntegerRange(int nMin, int nMax);
// Integer-field messages carry the program's name as caption, like every standard message.
inline constexpr const char* kIntegerCaption = "Gather";

// ---- the past single start (summary page) ----
inline constexpr const char* kPastStart = "開始時間が過去のためこのスケジュールは実行されません";
inline constexpr const char* kErrorCaption = "エラー";

// ---- cancel ----
inline constexpr const char* kCancelCaption = "中断";

// ---- view mode ----
inline constexpr const char* kViewTitle = "予約内容を確認してください。";

}  // namespace wizard_text

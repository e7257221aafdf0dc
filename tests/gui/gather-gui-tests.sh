# The GUI tests of Gather's main window and schedule wizard; sourced by run-gui-tests.
# They run in this order and share one main menu and one Gather session (the first starts both,
# the exit test ends both). Gather runs on the demo network: the menu it is started from, and
# every copy started directly, get VARNOLE_SIMULATION (start_on_demo).

gather_title="VARNOLE [稼動データの収集／監視]"
gather_menu_pid=""

# start_on_demo DIR PROGRAM: start, with the demo network as the simulation.
start_on_demo() {
  VARNOLE_SIMULATION="$(winepath -w "$root/sim/demo/demo-network.txt" 2>/dev/null)" start "$1" "$2"
}

# poll SECONDS COMMAND...: true as soon as the command succeeds within the time.
poll() {
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# page_is TITLE N: the wizard shows page N.
page_is() { [[ "$(drv text "$1" 1015)" == "Page$2."* ]]; }
wait_page() { poll 10 page_is "$1" "$2" || fail "the wizard did not reach page $2 (it shows: $(drv text "$1" 1015))"; }

# next TITLE N: "次 >>", then page N.
next() { drv click "$1" 1018 && wait_page "$1" "$2"; }
back() { drv click "$1" 1017 && wait_page "$1" "$2"; }

# text_is TITLE ID TEXT: the control shows the text.
text_is() { [ "$(drv text "$1" "$2")" == "$3" ]; }

# schedule_rows: column 0 of the schedule list, one row a line.
schedule_rows() { drv listview "$gather_title" 1000 | cut -f1; }
# log_has TEXT: some run log row's message is the text.
log_has() { drv listview "$gather_title" 1001 | cut -f3 | grep -qxF "$1"; }
# row_of NUMBER: the index of the schedule list row of a schedule number.
row_of() { schedule_rows | grep -nxF "$1" | cut -d: -f1 | awk '{ print $1 - 1 }'; }
# row_column NUMBER COLUMN: one column of a schedule's row.
row_column() { drv listview "$gather_title" 1000 | awk -F'\t' -v n="$1" -v c="$2" '$1 == n { print $(c + 1) }'; }
row_column_is() { [ "$(row_column "$1" "$2")" == "$3" ]; }
no_row() { ! schedule_rows | grep -qxF "$1"; }

gather_from_menu() {
  drv click "$menu_title" 1011 || return 1
  drv wait-window "$gather_title" 20000 || fail "the Gather button did not start Gather"
}

test_gather_lists_and_widths() {
  (cd "$suite" && rm -f VARNOLE.dat VARNOLE.old VARN_*)
  drv settings-write VARNOLE.dat || fail "cannot write the settings file" || return 1
  start_on_demo "$suite" VARNOLE.exe
  gather_menu_pid=$last_pid
  drv wait-window "$menu_title" 15000 || fail "no menu window" || return 1
  drv post-key "$menu_title" 0x10
  drv wait-class-gone VARNOLE_Splash 5000
  gather_from_menu || return 1
  drv mutex-exists VARNOLE_GathProgram || fail "Gather does not hold VARNOLE_GathProgram" || return 1
  expect_eq "rows as loaded" "$(schedule_rows)" "$(printf '03\n105\n12')" || return 1
  expect_eq "row 12" "$(drv listview "$gather_title" 1000 | sed -n 3p | cut -f2,3,4,8,10)" \
    "$(printf 'PC04\tH\t毎日\t待機中\t予約12')" || return 1
  shot gather-main "$gather_title"
  expect_eq "tooltips" "$(drv tooltips "$gather_title" | sort)" "$(printf '%s\n' \
    "1000	登録されたスケジュールが表示されます" \
    "1002	選択されたログやログ全体を削除できます" \
    "1003	VARNOLE でデータ取得を行うスケジュールを新たに登録します" \
    "1004	すでに登録されているスケジュールの中断・削除を行います" \
    "1090	すでに登録されているスケジュール内容を変更します" \
    "1091	登録されているスケジュール内容を確認できます" | sort)" || return 1

  drv header-click "$gather_title" 1000 0 || return 1
  poll 5 eval '[ "$(schedule_rows)" == "$(printf "03\n12\n105")" ]' ||
    fail "a click on NO did not sort by number: $(schedule_rows | tr '\n' ' ')" || return 1
  expect_eq "arrow" "$(drv sort-arrow "$gather_title" 1000)" 0 || return 1
  drv header-click "$gather_title" 1000 0 || return 1
  poll 5 eval '[ "$(schedule_rows)" == "$(printf "105\n12\n03")" ]' ||
    fail "a second click did not reverse the order: $(schedule_rows | tr '\n' ' ')" || return 1
  shot gather-sorted "$gather_title"
  drv header-click "$gather_title" 1000 1 || return 1
  poll 5 eval '[ "$(drv sort-arrow "$gather_title" 1000)" == 1 ]' || fail "the arrow did not move" || return 1

  drv column-width "$gather_title" 1000 1 200 || return 1
  drv column-width "$gather_title" 1001 2 300 || return 1
  drv click "$gather_title" 1 || return 1
  expect_eq "exit question" "$(drv answer "終了" yes 10000)" "本当に終了しますか？" || return 1
  drv wait-gone "$gather_title" 20000 || fail "Gather did not end" || return 1
  gather_from_menu || return 1
  expect_eq "schedule list widths" "$(drv column-widths "$gather_title" 1000)" \
    "30,200,40,60,80,80,130,50,80,60" || return 1
  expect_eq "run log widths" "$(drv column-widths "$gather_title" 1001)" "140,120,300"
}

test_gather_new_booking_runs() {
  local w="新規予約"
  drv click "$gather_title" 1003 || return 1
  drv wait-window "$w" 10000 || fail "no wizard" || return 1
  wait_page "$w" 1 || return 1
  expect_eq "hosts" "$(drv items "$w" 1033)" "$(printf ' PC01\n PC02\n PC03\n PC04')" || return 1
  expect_eq "OK on page 1" "$(drv state "$w" 1 | cut -d' ' -f1)" hidden || return 1
  drv choose "$w" 1033 PC01 || return 1
  poll 5 text_is "$w" 1032 PC01 || fail "the target did not follow the list" || return 1
  shot wizard-page01 "$w"
  next "$w" 2 || return 1
  shot wizard-page02 "$w"
  next "$w" 4 || return 1
  shot wizard-page04 "$w"
  next "$w" 6 || return 1
  drv choose "$w" 1077 "1 分" || return 1
  shot wizard-page06 "$w"
  next "$w" 7 || return 1
  expect_eq "collection time" "$(drv text "$w" 1127)" "1分" || return 1
  expect_eq "intervals" "$(drv items "$w" 1083)" \
    "$(printf '*1 秒\n 2 秒\n 3 秒\n 4 秒\n 5 秒\n 10 秒\n 15 秒\n 30 秒')" || return 1
  shot wizard-page07 "$w"
  next "$w" 9 || return 1
  drv set-text "$w" 1089 "GUIテスト" || return 1
  shot wizard-page09 "$w"
  next "$w" 10 || return 1
  expect_eq "confirmation" "$(drv text "$w" 1201)" "$(printf '%b' \
    '\n■ 対象ホスト:\tPC01\n\n■ しきい値トリガー:\t未使用\n\n■ 予約方法:\t今すぐ開始\n\n' \
    '\t\t現在から 1 分間\n\n■ 取得間隔:\t1 秒 間隔\n\n■ 分割単位:\t設定なし\n\n' \
    '■ コメント:\tGUIテスト')" || return 1
  expect_eq "OK on page 10" "$(drv state "$w" 1 | cut -d' ' -f1)" visible || return 1
  expect_eq "next on page 10" "$(drv state "$w" 1018 | cut -d' ' -f1)" hidden || return 1
  shot wizard-page10 "$w"
  drv click "$w" 1 || return 1
  drv wait-gone "$w" 10000 || fail "OK did not close the wizard" || return 1
  poll 10 row_column_is 01 7 "実行中" || fail "booking 01 does not run: $(drv listview "$gather_title" 1000)" || return 1
  poll 5 log_has "予約 01 を登録しました。" || fail "no registration line" || return 1
  poll 5 log_has "予約 01 のログ収集が開始しました。" || fail "no start line" || return 1
  shot gather-running "$gather_title"
  poll 100 log_has "予約 01 の稼動データ収集が完了しました。" ||
    fail "no end line: $(drv listview "$gather_title" 1001 | head -5)" || return 1
  poll 5 no_row 01 || fail "the finished one-time booking stayed in the list" || return 1
  shot gather-finished "$gather_title"
  local files
  files="$(cd "$suite" && ls VARN_PC01_*_1.var 2>/dev/null)"
  [ "$(echo "$files" | grep -c .)" -eq 1 ] || fail "data files: [$files]" || return 1
  local info samples
  info="$(drv datafile "$files")" || fail "the data file cannot be read" || return 1
  [[ "$info" == "PC01	1	"*"	end" ]] || fail "data file: $info" || return 1
  samples="$(echo "$info" | cut -f3)"
  [ "$samples" -ge 55 ] && [ "$samples" -le 61 ] || fail "$samples samples in one minute at 1 s"
}

test_gather_wizard_refusals() {
  local w="新規予約" text
  drv click "$gather_title" 1003 || return 1
  drv wait-window "$w" 10000 || fail "no wizard" || return 1
  drv choose "$w" 1033 PC02 || return 1
  poll 5 text_is "$w" 1032 PC02 || return 1
  next "$w" 2 || return 1
  drv check "$w" 1036 1 || return 1
  next "$w" 3 || return 1
  shot wizard-page03 "$w"
  drv click "$w" 1018 || return 1
  expect_eq "page 3" "$(drv answer "エラーが発生しました Page.3" ok 10000)" "しきい値の条件を入力して下さい" || return 1
  page_is "$w" 3 || fail "page 3 was left" || return 1
  back "$w" 2 || return 1
  drv check "$w" 1035 1 || return 1
  next "$w" 4 || return 1
  drv check "$w" 1049 1 || return 1
  next "$w" 5 || return 1
  shot wizard-page05 "$w"
  drv choose "$w" 1052 "週単位" || return 1
  poll 5 eval '[[ "$(drv state "$w" 1063)" == visible* ]]' || fail "no weekday boxes" || return 1
  shot wizard-page05-weekly "$w"
  drv click "$w" 1018 || return 1
  expect_eq "weekly forward" "$(drv answer "エラーが発生しました Page.5" ok 10000)" "対象となる曜日を選択して下さい" || return 1
  drv click "$w" 1017 || return 1
  expect_eq "weekly back" "$(drv answer "エラーが発生しました Page.5" ok 10000)" "対象となる曜日を選択して下さい" || return 1
  page_is "$w" 5 || fail "page 5 was left" || return 1

  # "本日" a minute ago (after midnight's first minute, so that it is still today).
  local now h m
  now="$(drv now)"
  [ "$(echo "$now" | cut -d' ' -f4,5)" == "00 00" ] && sleep 61 && now="$(drv now)"
  h=$((10#$(echo "$now" | cut -d' ' -f4))); m=$((10#$(echo "$now" | cut -d' ' -f5)))
  if [ "$m" -eq 0 ]; then h=$((h - 1)); m=59; else m=$((m - 1)); fi
  drv choose "$w" 1052 "日単位" || return 1
  drv check "$w" 1059 1 || return 1
  drv set-text "$w" 1053 "$h" && drv set-text "$w" 1054 "$m" || return 1
  next "$w" 6 || return 1
  # An end equal to the start: nothing to collect.
  drv check "$w" 1076 1 || return 1
  drv choose "$w" 1078 "開始日" || return 1
  drv set-text "$w" 1073 "$h" && drv set-text "$w" 1074 "$m" || return 1
  drv click "$w" 1018 || return 1
  expect_eq "no collection time" "$(drv answer "エラーが発生しました Page.6" ok 10000)" "取得期間が不正になっています" || return 1
  # A minute out of range on the same page.
  drv set-text "$w" 1074 60 || return 1
  drv click "$w" 1018 || return 1
  expect_eq "range" "$(drv answer "Gather" ok 10000)" "0 から 59 までの整数を入力してください。" || return 1
  drv set-text "$w" 1074 "$m" || return 1
  drv check "$w" 1075 1 || return 1
  drv choose "$w" 1077 "2 時" || return 1
  next "$w" 7 || return 1
  next "$w" 8 || return 1
  expect_eq "split count" "$(drv text "$w" 1125)" "1個" || return 1
  drv choose "$w" 1124 "30 分" || return 1
  poll 5 text_is "$w" 1125 "4個" || fail "split count: $(drv text "$w" 1125)" || return 1
  shot wizard-page08 "$w"
  next "$w" 9 || return 1
  drv click "$w" 1018 || return 1
  expect_eq "past start" "$(drv answer "エラー" ok 10000)" "開始時間が過去のためこのスケジュールは実行されません" || return 1
  wait_page "$w" 10 || return 1
  expect_eq "OK after a past start" "$(drv state "$w" 1 | cut -d' ' -f1)" hidden || return 1
  text="$(drv text "$w" 1201)"
  [[ "$text" == *"$(printf '%02d:%02d (本日)' "$h" "$m")"* ]] || fail "page 10: $text" || return 1
  shot wizard-page10-past "$w"
  drv click "$w" 2 || return 1
  expect_eq "cancel" "$(drv answer "中断" yes 10000)" "新規予約を中断しますか？" || return 1
  drv wait-gone "$w" 10000 || fail "Yes did not close the wizard"
}

# book_daily HOST HOUR COMMENT: a daily one-hour booking through the wizard, up to page 10's OK.
book_daily() {
  local w="新規予約"
  drv click "$gather_title" 1003 || return 1
  drv wait-window "$w" 10000 || fail "no wizard" || return 1
  drv choose "$w" 1033 "$1" || return 1
  poll 5 text_is "$w" 1032 "$1" || return 1
  next "$w" 2 && next "$w" 4 || return 1
  drv check "$w" 1049 1 || return 1
  next "$w" 5 || return 1
  drv choose "$w" 1052 "日単位" && drv check "$w" 1060 1 || return 1
  drv set-text "$w" 1053 "$2" && drv set-text "$w" 1054 0 || return 1
  next "$w" 6 && next "$w" 7 && next "$w" 8 && next "$w" 9 || return 1
  drv set-text "$w" 1089 "$3" || return 1
  next "$w" 10 || return 1
  drv click "$w" 1 || return 1
}

test_gather_overlap_refused() {
  local hour text
  hour=$(( (10#$(drv now | cut -d' ' -f4) + 2) % 24 ))
  book_daily PC02 "$hour" "日次" || return 1
  drv wait-gone "新規予約" 10000 || fail "the first booking was not taken" || return 1
  poll 5 row_column_is 02 9 "日次" || fail "no row 02: $(drv listview "$gather_title" 1000)" || return 1
  book_daily PC02 "$hour" "重複" || return 1
  text="$(drv answer "予約を取り消しました" ok 10000)" || fail "no clash message" || return 1
  [[ "$text" == "予約 02 と予約 04 の ホスト(PC02) が "*"で競合しています。"* ]] ||
    fail "clash text: $text" || return 1
  drv wait-window "新規予約" 10000 || fail "the wizard did not reopen" || return 1
  wait_page "新規予約" 9 || return 1
  expect_eq "comment kept" "$(drv text "新規予約" 1089)" "重複" || return 1
  shot wizard-retry "新規予約"
  drv click "新規予約" 2 || return 1
  drv answer "中断" yes 10000 >/dev/null || return 1
  drv wait-gone "新規予約" 10000 || return 1
  no_row 04 || fail "the refused booking stayed" || return 1
  row_column_is 02 9 "日次" || fail "the first booking changed"
}

test_gather_view_change_delete() {
  local row
  row="$(row_of 02)"
  [ -n "$row" ] || fail "no row 02" || return 1
  drv row-click "$gather_title" 1000 "$row" || return 1
  drv click "$gather_title" 1091 || return 1
  drv wait-window "参照" 10000 || fail "no view" || return 1
  expect_eq "view title" "$(drv text "参照" 1015)" "予約内容を確認してください。" || return 1
  local id
  for id in 1017 1018 2; do
    expect_eq "view button $id" "$(drv state "参照" "$id" | cut -d' ' -f1)" hidden || return 1
  done
  expect_eq "view OK" "$(drv state "参照" 1 | cut -d' ' -f1)" visible || return 1
  [[ "$(drv text "参照" 1201)" == *"■ コメント:	日次"* ]] || fail "view text" || return 1
  shot wizard-view "参照"
  drv click "参照" 1 || return 1
  drv wait-gone "参照" 10000 || fail "OK did not close the view" || return 1

  drv row-click "$gather_title" 1000 "$row" double || return 1
  drv wait-window "参照" 10000 || fail "a double click did not open the view" || return 1
  drv click "参照" 1 && drv wait-gone "参照" 10000 || return 1

  drv row-click "$gather_title" 1000 "$row" || return 1
  drv click "$gather_title" 1090 || return 1
  drv wait-window "予約変更" 10000 || fail "no change wizard" || return 1
  wait_page "予約変更" 1 || return 1
  expect_eq "change target" "$(drv text "予約変更" 1032)" PC02 || return 1
  next "予約変更" 2 && next "予約変更" 4 && next "予約変更" 5 && next "予約変更" 6 &&
    next "予約変更" 7 && next "予約変更" 8 && next "予約変更" 9 || return 1
  drv set-text "予約変更" 1089 "変更後" || return 1
  next "予約変更" 10 || return 1
  drv click "予約変更" 1 && drv wait-gone "予約変更" 10000 || fail "the change was not taken" || return 1
  poll 5 row_column_is 02 9 "変更後" || fail "row 02 after the change: $(drv listview "$gather_title" 1000)" || return 1

  row="$(row_of 02)"
  drv row-click "$gather_title" 1000 "$row" || return 1
  drv click "$gather_title" 1004 || return 1
  expect_eq "stop question" "$(drv answer "中断・削除" yes 10000)" "本当に中断・削除しても良いですか？" || return 1
  poll 5 no_row 02 || fail "row 02 stayed" || return 1
  poll 5 log_has "予約 02 の稼動データ収集を削除しました" || fail "no delete line"
}

test_gather_opens_host_and_group_dialogs() {
  local w="新規予約"
  drv click "$gather_title" 1092 || return 1
  drv wait-window "ホスト名の登録" 15000 || fail "ホストの変更 opened nothing" || return 1
  drv click "ホスト名の登録" 2 && drv answer "キャンセル" yes 10000 >/dev/null || return 1
  drv wait-gone "ホスト名の登録" 10000 || fail "the host dialog stayed" || return 1
  drv click "$gather_title" 1093 || return 1
  drv wait-window "グループの登録" 15000 || fail "グループの変更 opened nothing" || return 1
  drv click "グループの登録" 2 && drv wait-gone "グループの登録" 10000 || fail "the group dialog stayed" || return 1

  drv click "$gather_title" 1003 || return 1
  drv wait-window "$w" 10000 || fail "no wizard" || return 1
  drv click "$w" 1141 || return 1  # no target yet: nothing
  ! drv wait-window "データ取得確認" 1500 2>/dev/null || fail "CHECK without a target opened the check" || return 1
  drv choose "$w" 1033 PC01 || return 1
  poll 5 text_is "$w" 1032 PC01 || return 1
  drv click "$w" 1141 || return 1
  drv wait-window "データ取得確認" 30000 || fail "CHECK opened no acquisition check" || return 1
  shot wizard-check "データ取得確認"
  drv click "データ取得確認" 2 && drv wait-gone "データ取得確認" 10000 || fail "the check stayed" || return 1
  drv click "$w" 1034 || return 1
  drv wait-window "ホスト名の登録" 15000 || fail "登録済みホストの変更 opened nothing" || return 1
  drv click "ホスト名の登録" 2 && drv answer "キャンセル" yes 10000 >/dev/null || return 1
  drv wait-gone "ホスト名の登録" 10000 || return 1
  expect_eq "target after the host dialog" "$(drv text "$w" 1032)" "" || return 1
  drv check "$w" 1111 1 || return 1
  poll 5 eval '[ "$(drv state "$w" 1202 | cut -d" " -f2)" == enabled ]' || fail "グループの変更 stays disabled" || return 1
  drv click "$w" 1202 || return 1
  drv wait-window "グループの登録" 15000 || fail "登録済みグループの変更 opened nothing" || return 1
  drv click "グループの登録" 2 && drv wait-gone "グループの登録" 10000 || return 1
  drv click "$w" 2 && drv answer "中断" yes 10000 >/dev/null || return 1
  drv wait-gone "$w" 10000 || fail "the wizard stayed"
}

test_gather_single_copy_and_leaving() {
  local text second
  start_on_demo "$suite" Gather.exe
  second=$last_pid
  text="$(drv answer "起動チェック" ok 15000)" || fail "no 起動チェック message" || return 1
  expect_eq "second copy" "$text" "VARNOLE [稼動データの収集／監視] は、すでに起動されています。" || return 1
  ended "$second" 15 || fail "the second Gather did not end" || return 1
  drv wait-window "$gather_title" 2000 || fail "the first Gather's window is gone" || return 1
  # The greyed close box does nothing; Escape asks like "終了".
  drv syscommand "$gather_title" 0xF060 || return 1
  ! drv msgbox "終了" 1500 >/dev/null 2>&1 || fail "the close box asked to exit" || return 1
  drv wait-window "$gather_title" 1000 || fail "the close box closed Gather" || return 1
  drv post-key "$gather_title" 0x1B || return 1
  expect_eq "Escape" "$(drv answer "終了" no 10000)" "本当に終了しますか？" || return 1
  drv wait-window "$gather_title" 2000 || fail "No closed Gather"
}

test_gather_log_clear() {
  local before after
  before="$(drv listview "$gather_title" 1001 | wc -l)"
  [ "$before" -ge 2 ] || fail "too few run log rows: $before" || return 1
  drv row-click "$gather_title" 1001 0 || return 1
  drv click "$gather_title" 1002 || return 1
  poll 5 eval '[ "$(drv listview "$gather_title" 1001 | wc -l)" -eq $((before - 1)) ]' ||
    fail "the selected row stayed" || return 1
  drv click "$gather_title" 1002 || return 1
  expect_eq "clear all" "$(drv answer "ログ消去" yes 10000)" "実行ログをすべて消去しますか？" || return 1
  poll 5 eval '[ -z "$(drv listview "$gather_title" 1001)" ]' || fail "rows stayed after clearing all"
}

test_gather_exit_saves() {
  # A run in progress: PC02 from now for five minutes at one second.
  local w="新規予約"
  drv click "$gather_title" 1003 || return 1
  drv wait-window "$w" 10000 || fail "no wizard" || return 1
  drv select "$w" 1033 PC02 || return 1
  poll 5 text_is "$w" 1032 PC02 || return 1
  next "$w" 2 && next "$w" 4 && next "$w" 6 || return 1
  drv choose "$w" 1077 "5 分" || return 1
  next "$w" 7 && next "$w" 9 && next "$w" 10 || return 1
  drv click "$w" 1 && drv wait-gone "$w" 10000 || fail "the booking was not taken" || return 1
  poll 10 row_column_is 04 7 "実行中" || fail "booking 04 does not run: $(drv listview "$gather_title" 1000)" || return 1
  sleep 3

  drv click "$gather_title" 1 || return 1
  expect_eq "exit question" "$(drv answer "終了" yes 10000)" \
    "ジョブが実行中です。終了するとこれらのジョブがすべて取消されます。本当に終了しますか？" || return 1
  drv wait-gone "$gather_title" 20000 || fail "Gather did not end" || return 1
  # The stopped run's file is finished and whole.
  local file info
  file="$(cd "$suite" && ls VARN_PC02_*_4.var 2>/dev/null)"
  [ -n "$file" ] || fail "no finished data file of the stopped run: $(cd "$suite" && ls VARN_* 2>/dev/null)" || return 1
  info="$(drv datafile "$file")" || fail "the stopped run's file cannot be read" || return 1
  [[ "$info" == "PC02	1	"*"	end" ]] && [ "$(echo "$info" | cut -f3)" -ge 2 ] ||
    fail "stopped run's file: $info" || return 1
  ! drv mutex-exists VARNOLE_GathProgram || fail "VARNOLE_GathProgram is left behind" || return 1
  [ -f "$suite/VARNOLE.dat" ] && [ -f "$suite/VARNOLE.old" ] || fail "VARNOLE.dat or .old missing" || return 1
  expect_eq "saved schedules" "$(drv settings-read VARNOLE.dat)" "$(printf '%s\n' \
    "03	PC03	1	1	予約3" "12	PC04	1	1	予約12" "105	PC03	1	1	予約105" "complete")" || return 1
  [ -z "$(cd "$suite" && ls VARN_*.va_ 2>/dev/null)" ] || fail "a .va_ file is left" || return 1
  drv click "$menu_title" 1015 || return 1
  drv answer "終了" yes 15000 >/dev/null || fail "the menu did not ask" || return 1
  ended "$gather_menu_pid" 15 || fail "the menu did not end"
}

test_gather_needs_the_menu() {
  local text pid
  start_on_demo "$suite" Gather.exe
  pid=$last_pid
  text="$(drv answer "起動チェック" ok 15000)" || fail "no 起動チェック message" || return 1
  expect_eq "without the menu" "$text" "VARNOLE [メインメニュ] から起動してください。" || return 1
  ended "$pid" 15 || fail "Gather did not end"
}

gui_suite_gather() {
  run_test "Gather lists schedules 03, 105, 12, sorts by a header click, keeps column widths" test_gather_lists_and_widths
  run_test "a booking for PC01 through all pages runs for a minute into a data file" test_gather_new_booking_runs
  run_test "the wizard refuses a threshold without condition, no weekday, no time, a past start" test_gather_wizard_refusals
  run_test "an overlapping booking is refused and the wizard reopens on the comment" test_gather_overlap_refused
  run_test "view shows only OK; change and 取消 work on a waiting booking" test_gather_view_change_delete
  run_test "the main window and the wizard open the host and group dialogs" test_gather_opens_host_and_group_dialogs
  run_test "a second Gather is refused; the close box does nothing; Escape asks" test_gather_single_copy_and_leaving
  run_test "ログクリア removes the selected row, then asks and removes all" test_gather_log_clear
  run_test "終了 with a run in progress asks, stops it with its file whole, saves VARNOLE.dat, leaves no .va_" test_gather_exit_saves
  run_test "Gather started without the menu says so and ends" test_gather_needs_the_menu
}
gui_suites+=(gui_suite_gather)

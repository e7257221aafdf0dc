# The GUI tests of Convert.exe and Manager.exe; sourced by run-gui-tests. No menu runs while
# they run (a Manager or Convert it started would be a first copy), each program is started on
# its own in the suite folder. Data files come from varnole-simdata.exe; the
# data directory is set in the registry for these tests and put back at the end.

convert_title_cm="VARNOLE [ＣＳＶファイルの作成]"
manager_title_cm="VARNOLE [稼動データファイルの管理]"
cm_key='HKLM\SOFTWARE\HALDEK\VARNOLE\1.0'
cm_data=""          # Windows path of the data folder
cm_pieces=()        # the finished pieces of the PC01 run, in branch order
cm_open=""          # the piece of that run still being written (.va_)
cm_started=()       # programs of these tests, ended by PID if a failed test left one
cm_saved_value=""   # DataDirectory before these tests; "-" when there was none

cm_win() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }

cm_reg() { timeout -k 5 30 "$WINE_BIN" reg "$@" /reg:64 2>/dev/null | tr -d '\r'; }

# cm_data_directory: the DataDirectory value in the registry (64-bit view), empty when none.
cm_data_directory() {
  cm_reg query "$cm_key" /v DataDirectory | awk -F'REG_SZ' 'NF > 1 { sub(/^[ \t]+/, "", $2); print $2 }'
}

cm_start() {  # cm_start PROGRAM: starts it in the suite folder; its PID is in $last_pid
  start "$suite" "$1"
  cm_started+=("$last_pid")
}

cm_cleanup() {
  local pid
  for pid in "${cm_started[@]}"; do
    kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null && ended "$pid" 10
  done
  cm_started=()
}

# cm_prepare: a split run of PC01 (four pieces of 40 samples, the last one still being written)
# and a single file of PC04, in a data folder the registry names.
cm_prepare() {
  [ -n "$cm_data" ] && return 0
  local folder="$suite/cm-data" out
  mkdir -p "$folder" "$suite/cm-out" "$suite/cm-data2"
  [ -f "$suite/demo-network.txt" ] || cp "$root/sim/demo/demo-network.txt" "$suite/"
  cm_data="$(cm_win "$folder")"
  [ -n "$cm_data" ] || return 1
  out="$(simdata --network demo-network.txt --host PC01 --data-dir "$cm_data\\" \
           --start "2024-08-19 09:00" --samples 160 --split 40)" || return 1
  mapfile -t cm_pieces <<<"$out"
  [ "${#cm_pieces[@]}" -eq 4 ] || return 1
  # The last piece goes back to the name of a file being written.
  local last="$folder/$(basename "${cm_pieces[3]//\\//}")"
  cm_open="${last%.var}.va_"
  mv "$last" "$cm_open" || return 1
  cm_open="$(basename "$cm_open")"
  unset 'cm_pieces[3]'
  simdata --network demo-network.txt --host PC04 --data-dir "$cm_data\\" \
    --start "2024-08-19 07:00" --samples 20 >/dev/null || return 1
  cm_saved_value="$(cm_data_directory)"
  [ -n "$cm_saved_value" ] || cm_saved_value="-"
  cm_reg add "$cm_key" /v DataDirectory /d "$cm_data" /f >/dev/null
  [ "$(cm_data_directory)" == "$cm_data" ]
}

# cm_restore: puts the registry value back as it was before these tests.
cm_restore() {
  [ -n "$cm_saved_value" ] || return 0
  if [ "$cm_saved_value" == "-" ]; then
    cm_reg delete "$cm_key" /v DataDirectory /f >/dev/null
  else
    cm_reg add "$cm_key" /v DataDirectory /d "$cm_saved_value" /f >/dev/null
  fi
}

# cm_row LISTING NAME: the row number of the line whose first column is NAME.
cm_row() { awk -F'\t' -v name="$2" '$1 == name { print NR - 1; exit }' <<<"$1"; }

test_convert_converts_a_split_run() {
  cm_cleanup
  cm_prepare || fail "cannot prepare the data files" || return 1
  cm_start Convert.exe
  local convert=$last_pid rows text csv
  drv wait-window "$convert_title_cm" 15000 || fail "no Convert window" || return 1
  rows="$(drv listview "$convert_title_cm" 1100)" || return 1
  # Newest first: the PC01 run (three finished pieces, one still written) above PC04.
  [ "$(wc -l <<<"$rows")" -eq 2 ] || fail "rows: $rows" || return 1
  local first
  first="$(head -n1 <<<"$rows")"
  expect_eq "host, pieces, start" "$(cut -f4-6 <<<"$first")" \
    "$(printf 'PC01\t3\t2024/08/19 (月) 09:00:00')" || return 1
  expect_eq "note" "$(cut -f9 <<<"$first")" "収集中（書き込み中の 1 ファイルは変換しません）" || return 1
  expect_eq "status" "$(drv text "$convert_title_cm" 1105)" \
    "収集 2 件（データファイル 4 個）。変換する行を選んで [ＣＳＶ作成] を押してください。" || return 1

  # Nothing selected yet.
  drv click "$convert_title_cm" 1107 || return 1
  text="$(drv answer "エラー" ok 10000)" || fail "no message for an empty selection" || return 1
  expect_eq "empty selection" "$text" "変換する稼動データを選択してください。" || return 1

  drv click "$convert_title_cm" 1103 || return 1
  drv save-as "ＣＳＶファイルの出力先フォルダ" "$(cm_win "$suite/cm-out")" 15000 ||
    fail "no folder dialog" || return 1
  for _ in $(seq 25); do
    [ "$(drv text "$convert_title_cm" 1102)" == "$(cm_win "$suite/cm-out")" ] && break
    sleep 0.2
  done
  expect_eq "output folder" "$(drv text "$convert_title_cm" 1102)" "$(cm_win "$suite/cm-out")" ||
    return 1
  drv select-rows "$convert_title_cm" 1100 0 || return 1
  drv click "$convert_title_cm" 1107 || return 1
  text="$(drv msgbox "$convert_title_cm" 30000)" || fail "no report of the conversion" || return 1
  shot convert-report
  drv answer "$convert_title_cm" ok 5000 >/dev/null
  local name
  name="$(basename "${cm_pieces[0]//\\//}")"
  name="${name%.var}.csv"
  expect_eq "report" "$text" "$(printf 'ＣＳＶファイルを 1 個作成しました。\n\n%s：120 行（データファイル 3 個）\n\n書き込み中のファイル [%s] は変換していません。' "$name" "$cm_open")" ||
    return 1

  # The file as a spreadsheet reads it: code page 932, CR LF, a heading and 120 rows.
  csv="$suite/cm-out/$name"
  [ -f "$csv" ] || fail "no $csv" || return 1
  [ "$(ls "$suite/cm-out" | wc -l)" -eq 1 ] || fail "other files in the output: $(ls "$suite/cm-out")" || return 1
  local heading rows_text
  heading="$(head -n1 "$csv" | iconv -f CP932 -t UTF-8 | tr -d '\r')"
  [[ "$heading" == "日時,CPU-CPU Time [%],"*",CPU(0)-CPU Time [%],"* ]] || fail "heading: $heading" || return 1
  expect_eq "lines" "$(wc -l <"$csv")" "121" || return 1
  expect_eq "CR LF" "$(grep -c $'\r$' "$csv")" "121" || return 1
  # Each row: the local time, then the values; rates start with the second sample.
  rows_text="$(sed -n '2p;3p;121p' "$csv" | tr -d '\r' | cut -d, -f1 | tr '\n' ' ')"
  expect_eq "times" "$rows_text" "2024/08/19 09:00:00 2024/08/19 09:00:01 2024/08/19 09:01:59 " ||
    return 1
  local first_row='^[0-9/: ]+,,,,[0-9]+,[0-9]+,,,,+$'
  local full_row='^[0-9/: ]+(,[0-9]+(\.[0-9]{2})?){12,}$'
  [[ "$(sed -n '2p' "$csv" | tr -d '\r')" =~ $first_row ]] ||
    fail "first row: $(sed -n '2p' "$csv")" || return 1
  [[ "$(sed -n '121p' "$csv" | tr -d '\r')" =~ $full_row ]] ||
    fail "last row: $(sed -n '121p' "$csv")" || return 1
  shot convert-list "$convert_title_cm"
}

test_convert_second_copy_refused() {
  cm_start Convert.exe
  local second=$last_pid text
  text="$(drv answer "起動チェック" ok 15000)" || fail "no 起動チェック message box" || return 1
  expect_eq "message" "$text" "VARNOLE [ＣＳＶファイルの作成] は、すでに起動されています。" || return 1
  ended "$second" 15 || fail "the second Convert did not end" || return 1
  drv wait-window "$convert_title_cm" 2000 || fail "the first Convert's window is gone" || return 1
  drv mutex-exists VARNOLE_ConvProgram || fail "VARNOLE_ConvProgram is gone" || return 1
  drv click "$convert_title_cm" 2 || return 1
  drv wait-gone "$convert_title_cm" 10000 || fail "Convert did not close"
}

test_manager_deletes_the_selected_files() {
  cm_cleanup
  cm_prepare || fail "cannot prepare the data files" || return 1
  cm_start Manager.exe
  local manager=$last_pid rows text row_a row_b row_open
  drv wait-window "$manager_title_cm" 15000 || fail "no Manager window" || return 1
  drv mutex-exists VARNOLE_ManaProgram || fail "Manager does not hold VARNOLE_ManaProgram" || return 1
  expect_eq "folder" "$(drv text "$manager_title_cm" 1201)" "$cm_data\\" || return 1
  [[ "$(drv text "$manager_title_cm" 1203)" == "空き容量 "*"（全体 "*"）" ]] ||
    fail "space: $(drv text "$manager_title_cm" 1203)" || return 1
  # Every data file, the one being written too, with its samples once counted.
  for _ in $(seq 50); do
    rows="$(drv listview "$manager_title_cm" 1200)"
    [[ "$rows" != *"…"* ]] && break
    sleep 0.2
  done
  [ "$(wc -l <<<"$rows")" -eq 5 ] || fail "rows: $rows" || return 1
  row_open="$(cm_row "$rows" "$cm_open")"
  [ -n "$row_open" ] || fail "no row for $cm_open" || return 1
  expect_eq "open row" "$(sed -n "$((row_open + 1))p" <<<"$rows" | cut -f2,8)" "$(printf '収集中\t40')" || return 1
  local name_a name_b
  name_a="$(basename "${cm_pieces[0]//\\//}")"
  name_b="$(basename "${cm_pieces[2]//\\//}")"
  row_a="$(cm_row "$rows" "$name_a")"
  row_b="$(cm_row "$rows" "$name_b")"
  expect_eq "first piece" "$(sed -n "$((row_a + 1))p" <<<"$rows" | cut -f2-5,8)" \
    "$(printf '完了\tPC01\tSIM\t1\t40')" || return 1

  # The file being written cannot be selected.
  drv select-rows "$manager_title_cm" 1200 "$row_a" "$row_open" "$row_b" || return 1
  expect_eq "selection" "$(drv selected "$manager_title_cm" 1200 | tr '\n' ' ')" \
    "$(printf '%s\n' "$row_a" "$row_b" | sort -n | tr '\n' ' ')" || return 1
  shot manager-list "$manager_title_cm"
  drv click "$manager_title_cm" 1205 || return 1
  text="$(drv answer "削除の確認" no 10000)" || fail "no question before deleting" || return 1
  [[ "$text" == "選択した 2 個の稼動データファイル（合計 "*"）を削除します。"* ]] || fail "question: $text" || return 1
  [ -f "$suite/cm-data/$name_a" ] || fail "No deleted $name_a" || return 1
  drv click "$manager_title_cm" 1205 || return 1
  drv answer "削除の確認" yes 10000 >/dev/null || fail "no question the second time" || return 1
  for _ in $(seq 25); do [ -f "$suite/cm-data/$name_a" ] || break; sleep 0.2; done
  local left
  left="$(ls "$suite/cm-data" | sort | tr '\n' ' ')"
  expect_eq "files left" "$left" "$(printf '%s\n' "$(basename "${cm_pieces[1]//\\//}")" "$cm_open" \
    "$(ls "$suite/cm-data" | grep PC04)" | sort | tr '\n' ' ')" || return 1
  expect_eq "status" "$(drv text "$manager_title_cm" 1204)" "2 個のファイルを削除しました。" || return 1
  expect_eq "rows after" "$(drv listview "$manager_title_cm" 1200 | wc -l)" "3"
}

test_manager_changes_the_data_directory() {
  drv click "$manager_title_cm" 1202 || return 1
  local data2
  data2="$(cm_win "$suite/cm-data2")"
  drv save-as "稼動データファイルを保存するフォルダ" "$data2" 15000 || fail "no folder dialog" || return 1
  for _ in $(seq 25); do
    [ "$(drv text "$manager_title_cm" 1201)" == "$data2\\" ] && break
    sleep 0.2
  done
  expect_eq "folder shown" "$(drv text "$manager_title_cm" 1201)" "$data2\\" || return 1
  expect_eq "registry" "$(cm_data_directory)" "$data2" || return 1
  expect_eq "status" "$(drv text "$manager_title_cm" 1204)" \
    "データフォルダを [$data2] に変更しました。収集とグラフの作成では、次に起動したときから使われます。" || return 1
  [ -z "$(drv listview "$manager_title_cm" 1200)" ] || fail "the new folder's list is not empty" || return 1
  shot manager-new-folder "$manager_title_cm"
}

test_manager_second_copy_refused() {
  cm_start Manager.exe
  local second=$last_pid text
  text="$(drv answer "起動チェック" ok 15000)" || fail "no 起動チェック message box" || return 1
  expect_eq "message" "$text" "VARNOLE [稼動データファイルの管理] は、すでに起動されています。" || return 1
  ended "$second" 15 || fail "the second Manager did not end" || return 1
  drv wait-window "$manager_title_cm" 2000 || fail "the first Manager's window is gone" || return 1
  drv click "$manager_title_cm" 2 || return 1
  drv wait-gone "$manager_title_cm" 10000 || fail "Manager did not close" || return 1
  ! drv mutex-exists VARNOLE_ManaProgram || fail "VARNOLE_ManaProgram is left behind"
}

gui_suite_convert_manager() {
  run_test "Convert converts a split run into one CSV file and reports the piece being written" test_convert_converts_a_split_run
  run_test "a second Convert is refused" test_convert_second_copy_refused
  run_test "Manager deletes exactly the selected finished files after one question" test_manager_deletes_the_selected_files
  run_test "Manager changes the data directory in the registry" test_manager_changes_the_data_directory
  run_test "a second Manager is refused" test_manager_second_copy_refused
  cm_restore
  cm_cleanup
}
gui_suites+=(gui_suite_convert_manager)

# The tour: what a newcomer does first, end to end on the demo network; sourced by run-gui-tests.
# From the menu: Gather, PC01 registered by browsing, a booking "今すぐ開始" for one minute at one
# second, the run to its end, Gather's exit; then Plotara, the new data file and its free memory,
# "グラフ作成", and Graph drawing it; then everything leaves through its own exit check. The
# suite's folder and the data folder are the tour's own, so nothing another suite left behind is
# listed. A screenshot of every step goes to the screenshot folder as tour-NN-*.png.
tour_dir="$work/tour"
tour_data="$work/tour-data"
tour_menu_pid=""

# tour_shot N NAME [TITLE]: the screenshot of step N.
tour_shot() {
  shot "$(printf 'tour-%02d-%s' "$1" "$2")" "${@:3}"
}

tour_start_menu() {
  rm -rf "$tour_dir" "$tour_data"
  mkdir -p "$tour_dir" "$tour_data"
  cp "$build"/bin/*.exe "$tour_dir/"
  # Whatever DataDirectory an earlier suite of this prefix set, the tour's data has its own folder.
  drv data-dir "$(windows_path "$tour_data")" || fail "cannot set the data directory" || return 1
  start_on_demo "$tour_dir" VARNOLE.exe
  tour_menu_pid=$last_pid
  drv wait-window "$menu_title" 15000 || fail "no menu window" || return 1
  drv post-key "$menu_title" 0x10
  drv wait-class-gone VARNOLE_Splash 5000 || fail "the splash window stayed" || return 1
  tour_shot 1 menu "$menu_title"
}

tour_register_pc01() {
  drv click "$menu_title" 1011 || return 1
  drv wait-window "$gather_title" 20000 || fail "the menu's button did not start Gather" || return 1
  expect_eq "schedules at first" "$(drv listview "$gather_title" 1000)" "" || return 1
  tour_shot 2 gather "$gather_title"

  drv click "$gather_title" 1092 || return 1
  drv wait-window "$hostreg_title" 15000 || fail "ホストの変更 opened nothing" || return 1
  wait_text "$hostreg_title" 1006 '^WORKGROUP$' || return 1
  poll 10 eval '[ "$(drv listbox "$hostreg_title" 1008 | head -n 1)" == PC01 ]' ||
    fail "browsing did not list PC01: $(drv listbox "$hostreg_title" 1008 | tr '\n' ' ')" || return 1
  drv select "$hostreg_title" 1008 PC01 || return 1
  wait_text "$hostreg_title" 1012 'Taro Suzuki' || return 1
  drv click "$hostreg_title" 1010 || return 1
  wait_list "$hostreg_title" 1007 PC01 || return 1
  tour_shot 3 host-registered "$hostreg_title"
  drv click "$hostreg_title" 1 || return 1
  drv wait-gone "$hostreg_title" 15000 || fail "OK did not close the host registration" || return 1
}

tour_book_one_minute() {
  local w="新規予約"
  drv click "$gather_title" 1003 || return 1
  drv wait-window "$w" 10000 || fail "no wizard" || return 1
  wait_page "$w" 1 || return 1
  expect_eq "hosts offered" "$(drv items "$w" 1033)" " PC01" || return 1
  drv choose "$w" 1033 PC01 || return 1
  poll 5 text_is "$w" 1032 PC01 || fail "the target did not follow the list" || return 1
  next "$w" 2 || return 1
  next "$w" 4 || return 1
  drv check "$w" 1048 1 || return 1
  next "$w" 6 || return 1
  drv choose "$w" 1077 "1 分" || return 1
  next "$w" 7 || return 1
  drv choose "$w" 1083 "1 秒" || return 1
  next "$w" 9 || return 1
  drv set-text "$w" 1089 "はじめての収集" || return 1
  next "$w" 10 || return 1
  local text
  text="$(drv text "$w" 1201)"
  [[ "$text" == *"■ 対象ホスト:	PC01"*"■ 予約方法:	今すぐ開始"*"現在から 1 分間"*"■ 取得間隔:	1 秒 間隔"* ]] ||
    fail "confirmation: $text" || return 1
  tour_shot 4 booking "$w"
  drv click "$w" 1 || return 1
  drv wait-gone "$w" 10000 || fail "OK did not close the wizard" || return 1
}

tour_run_to_the_end() {
  poll 10 row_column_is 01 7 "実行中" || fail "booking 01 does not run: $(drv listview "$gather_title" 1000)" || return 1
  poll 5 log_has "予約 01 のログ収集が開始しました。" || fail "no start line in the run log" || return 1
  tour_shot 5 running "$gather_title"
  poll 100 log_has "予約 01 の稼動データ収集が完了しました。" ||
    fail "the run did not end: $(drv listview "$gather_title" 1001 | head -5)" || return 1
  poll 5 no_row 01 || fail "the finished booking stayed in the list" || return 1
  tour_shot 6 finished "$gather_title"
  drv click "$gather_title" 1 || return 1
  expect_eq "exit question" "$(drv answer "終了" yes 10000)" "本当に終了しますか？" || return 1
  drv wait-gone "$gather_title" 20000 || fail "Gather did not end" || return 1
  ! drv mutex-exists VARNOLE_GathProgram || fail "VARNOLE_GathProgram is left behind" || return 1
  local files
  files="$(cd "$tour_data" && ls VARN_PC01_*_1.var 2>/dev/null)"
  [ "$(grep -c . <<<"$files")" -eq 1 ] || fail "data files: [$(ls "$tour_data")]"
}

tour_graph() {
  drv click "$menu_title" 1018 || return 1
  drv wait-window "$plotara_title" 15000 || fail "the menu's button did not start Plotara" || return 1
  local rows
  rows="$(drv listview "$plotara_title" 1000)"
  expect_eq "listed files" "$(cut -f4,5,8 <<<"$rows")" "PC01	1	はじめての収集" || return 1
  drv select-rows "$plotara_title" 1000 0 || return 1
  # The free memory, which wanders on PC01 (its processor stays at one level for the first minute).
  drv select-combo "$plotara_title" 1007 3 || return 1
  tour_shot 7 plotara "$plotara_title"
  drv click "$plotara_title" 1008 || return 1
  local title="$graph_base_title PC01 - Memory-Available Memory [MB]" status samples pixels line coloured total
  drv wait-window "$title" 20000 || fail "グラフ作成 did not open Graph" || return 1
  status="$(graph_wait_status "$title" 30)"
  [[ "$status" == "ファイル 1 件　サンプル "*" 件　"* ]] || fail "status: $status" || return 1
  samples="${status#ファイル 1 件　サンプル }"
  samples="${samples%% *}"
  [ "$samples" -ge 55 ] && [ "$samples" -le 61 ] ||
    fail "$samples samples in a one-minute run at one second: $status" || return 1
  pixels="$(drv pixels "$title" 1010 0050C8)" || fail "cannot read the chart's pixels" || return 1
  read -r line coloured total <<<"$pixels"
  [ "$line" -gt 200 ] && [ "$coloured" -gt $(( total / 50 )) ] ||
    fail "the chart looks blank: $pixels" || return 1
  tour_shot 8 graph "$title"

  exit_graph "$title" && exit_plotara || return 1
  tour_shot 9 menu-alone "$menu_title"
  exit_menu || return 1
  ended "$tour_menu_pid" 15 || fail "the menu did not end" || return 1
  local mutex exe
  for mutex in VARNOLE_MainProgram VARNOLE_GathProgram VARNOLE_GraphProgram VARNOLE_ConvProgram \
               VARNOLE_ManaProgram; do
    ! drv mutex-exists "$mutex" || fail "$mutex is left behind" || return 1
  done
  for exe in VARNOLE.exe Gather.exe Plotara.exe Graph.exe; do
    drv wait-exe-gone "$exe" 5000 || fail "$exe still runs" || return 1
  done
  tour_shot 10 desktop
}

test_tour() {
  tour_start_menu && tour_register_pc01 && tour_book_one_minute && tour_run_to_the_end &&
    tour_graph
}

gui_suite_tour() {
  run_test "tour: menu, Gather registers PC01 by browsing and collects for a minute, Plotara hands the file to Graph, everything exits" \
    test_tour
}
gui_suites+=(gui_suite_tour)

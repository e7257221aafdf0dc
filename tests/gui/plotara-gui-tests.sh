# The GUI tests of Plotara; sourced by run-gui-tests after the menu's tests (which leave no menu
# running). They share one data directory, one menu and one Plotara, started by the second test
# and closed by the last.

plotara_title="VARNOLE [グラフの作成]"
plotara_data="$work/plotara-data"
plotara_menu_pid=""

# The rows the data directory must give, newest first: NO, 実行ID, グループID, ホスト名, 枝番,
# 開始時間, しきい値, コメント (tab-separated; the threshold texts keep their spaces).
plotara_expected_rows="$(printf '%s\n' \
  "7	40800004		SV01	1	2004/08/19 (木) 13:00:00	CPU 90 MEM 512 	日次" \
  "5	40800003	G1	PC02	1	2004/08/19 (木) 12:00:00	CPU 80  DSK 50	グループ" \
  "6	40800003	G1	PC03	1	2004/08/19 (木) 12:00:00	CPU 80  DSK 50	グループ" \
  "4	40800002		PC01	3	2004/08/19 (木) 11:00:00	  	30分分割" \
  "2	40800002		PC01	2	2004/08/19 (木) 10:30:00	  	30分分割" \
  "3	40800002		PC01	1	2004/08/19 (木) 10:00:00	  	30分分割" \
  "1			OLD02	1	2004/08/18 (水) 09:30:00	  	" \
  "0			OLD01	1	2004/08/18 (水) 09:00:00	  	")"

# drv_tool EXE ARGS...: runs one of the test tools of the build, bounded.
drv_tool() {
  local exe="$1"
  shift
  (cd "$suite" && timeout -k 5 60 "$WINE_BIN" "$build/test-bin/$exe" "$@") | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# windows_path UNIX_PATH: the same place as Wine's Z: drive sees it.
windows_path() {
  local path="$1"
  echo "Z:${path//\//\\}"
}

# decode_graph_block HEX: the clipboard block's fields one per line, read the way Graph reads
# them (counter, counter text, host, date flag, file count, the paths), then "size N" with the
# block's byte count and "padding zero" when every byte after the data is zero.
decode_graph_block() {
  local hex="$1" pos=0 val n i
  _graph_int32() {
    local h="${hex:pos:8}"
    pos=$((pos + 8))
    val=$((16#${h:6:2}${h:4:2}${h:2:2}${h:0:2}))
    ((val >= 2147483648)) && val=$((val - 4294967296))
  }
  _graph_text() {
    local len=$((16#${hex:pos:2}))
    pos=$((pos + 2))
    if ((len == 255)); then
      len=$((16#${hex:pos+2:2}${hex:pos:2}))
      pos=$((pos + 4))
    fi
    val="$(printf '%b' "$(echo -n "${hex:pos:len*2}" | sed 's/../\\x&/g')" | iconv -f CP932 -t UTF-8)"
    pos=$((pos + len * 2))
  }
  _graph_int32; echo "$val"
  _graph_text; echo "$val"
  _graph_text; echo "$val"
  _graph_int32; echo "$val"
  _graph_int32; n=$val; echo "$n"
  for ((i = 0; i < n && i < 100; i++)); do _graph_text; echo "$val"; done
  echo "size $(( ${#hex} / 2 ))"
  local rest="${hex:pos}"
  [[ "$rest" =~ ^0*$ ]] && echo "padding zero" || echo "padding not zero"
}

# plotara_box CAPTION EXPECTED SHOT: waits for a message box, checks its text, saves a screenshot
# of the desktop with the box, and presses OK.
plotara_box() {
  local caption="$1" expected="$2" name="$3" text
  text="$(drv msgbox "$caption" 15000)" || fail "no $caption message box" || return 1
  expect_eq "$caption" "$text" "$expected" || return 1
  shot "$name"
  drv answer "$caption" ok 2000 >/dev/null
}

# plotara_start_refused EXPECTED SHOT: a Plotara started now shows EXPECTED in its start-up check
# and ends.
plotara_start_refused() {
  start "$suite" Plotara.exe
  local plotara=$last_pid
  plotara_box "起動チェック" "$1" "$2" || return 1
  ended "$plotara" 15 || fail "Plotara did not end"
}

test_plotara_needs_the_menu() {
  plotara_start_refused "VARNOLE [メインメニュ] から起動してください。" plotara-needs-menu || return 1
  ! drv wait-window "$plotara_title" 300 2>/dev/null || fail "Plotara showed its window" || return 1
  local mutex
  for mutex in VARNOLE_GraphProgram VARNOLE_MainProgram; do
    ! drv mutex-exists "$mutex" || fail "$mutex is left behind" || return 1
  done
}

test_plotara_lists_the_data_files() {
  mkdir -p "$plotara_data"
  drv_tool plotara_data_files.exe "$(windows_path "$plotara_data")" || fail "cannot write the data files" || return 1
  drv data-dir "$(windows_path "$plotara_data")" || return 1
  # Started from the menu, as a user does.
  start "$suite" VARNOLE.exe
  plotara_menu_pid=$last_pid
  drv wait-window "$menu_title" 15000 || fail "no menu window" || return 1
  drv post-key "$menu_title" 0x10  # the splash goes at a key press
  drv wait-class-gone VARNOLE_Splash 5000 || fail "the splash window stayed" || return 1
  drv click "$menu_title" 1018 || return 1
  drv wait-window "$plotara_title" 15000 || fail "the menu's button did not start Plotara" || return 1
  drv mutex-exists VARNOLE_GraphProgram || fail "Plotara does not hold VARNOLE_GraphProgram" || return 1

  expect_eq "rows" "$(drv listview "$plotara_title" 1000)" "$plotara_expected_rows" || return 1
  expect_eq "columns" "$(drv header "$plotara_title" 1000)" "$(printf '%s\n' NO 実行ID グループID \
    ホスト名 枝番 '開始時間*' しきい値 コメント)" || return 1
  expect_eq "counters" "$(drv combo "$plotara_title" 1007)" "$(printf '%s\n' 0 "CPU-CPU Time" \
    "CPU-CPU Privileged Time" "CPU-CPU User Time" "Memory-Available Memory [MB]" \
    "Memory-Available Memory [KB]" "Physical Disk-Disk Time" "Logical Disk-Disk Time" \
    "Network I/F-Data Transfer Size")" || return 1
  expect_eq "時間のみ表示する" "$(drv checked "$plotara_title" 1003)" 1 || return 1
  expect_eq "日付、時間を表示する" "$(drv checked "$plotara_title" 1002)" 0 || return 1
  expect_eq "radio texts" "$(drv text "$plotara_title" 1002)/$(drv text "$plotara_title" 1003)" \
    "日付、時間を表示する/時間のみ表示する" || return 1
  expect_eq "tooltip" "$(drv tooltips "$plotara_title")" \
    "1008	稼動データファイルからグラフを描画します" || return 1
  local info
  info="$(drv control "$plotara_title" 1008)"
  [[ "$info" == "Button visible "* ]] || fail "グラフ作成: $info" || return 1
  info="$(drv control "$plotara_title" 1009)"
  [[ "$info" == "Static visible "* ]] || fail "logo: $info" || return 1
  shot plotara "$plotara_title"
}

test_plotara_second_copy() {
  plotara_start_refused "VARNOLE [グラフの作成] は、すでに起動されています。" plotara-second-copy ||
    return 1
  drv wait-window "$plotara_title" 2000 || fail "the first Plotara's window is gone" || return 1
  drv mutex-exists VARNOLE_GraphProgram || fail "VARNOLE_GraphProgram is gone"
}

# plotara_refused SHOT TEXT ROW...: selecting the rows and pressing グラフ作成 shows TEXT as a
# warning.
plotara_refused() {
  local name="$1" expected="$2"
  shift 2
  if [ $# -gt 0 ]; then
    drv select-rows "$plotara_title" 1000 "$@" || return 1
    expect_eq "$name: selection" "$(drv selected "$plotara_title" 1000 | tr '\n' ' ')" "$* " || return 1
  fi
  drv click "$plotara_title" 1008 || return 1
  plotara_box "エラー" "$expected" "$name"
}

test_plotara_refuses_mixed_selections() {
  # Nothing selected yet.
  plotara_refused plotara-no-selection "対象の稼動データが選択されていません" || return 1
  # PC02 and PC03 of one group run.
  plotara_refused plotara-two-hosts "ホスト名が一致していません" 1 2 || return 1
  # OLD02 and OLD01, files of the oldest format.
  plotara_refused plotara-oldest-format "スケジュールが一致していません" 6 7 || return 1
  ! drv wait-exe-window Graph.exe 500 >/dev/null 2>&1 || fail "a refused request started Graph"
}

test_plotara_hands_a_split_run_to_graph() {
  drv clip-clear || return 1
  # The three pieces of PC01's run, picked in the order 2, 3, 1 of their branches...
  drv select-rows "$plotara_title" 1000 4 3 5 || return 1
  # ...after the list was re-sorted by host name (the arrow moves there), then by 枝番.
  drv click-header "$plotara_title" 1000 3 || return 1
  sleep 0.3
  expect_eq "arrow" "$(drv header "$plotara_title" 1000 | sed -n 4p)" "ホスト名*" || return 1
  drv click-header "$plotara_title" 1000 4 || return 1
  sleep 0.3
  local selected
  selected="$(drv listview "$plotara_title" 1000 | awk -F'\t' '{print NR - 1, $4 "/" $5}')"
  local rows=() row
  for row in $(drv selected "$plotara_title" 1000); do
    rows+=("$(echo "$selected" | awk -v r="$row" '$1 == r {print $2}')")
  done
  expect_eq "selected after the sorts" "${rows[*]}" "PC01/1 PC01/2 PC01/3" || return 1
  drv select-combo "$plotara_title" 1007 3 || return 1
  drv click "$plotara_title" 1002 || return 1
  sleep 0.2
  drv click "$plotara_title" 1008 || return 1
  local graph
  graph="$(drv wait-exe-window Graph.exe 20000)" || fail "no Graph window appeared" || return 1
  local block dir
  block="$(drv clip-hex)" || fail "no block on the clipboard" || return 1
  dir="$(windows_path "$plotara_data")"
  expect_eq "block" "$(decode_graph_block "$block")" "$(printf '%s\n' 3 \
    "Memory-Available Memory [MB]" PC01 1 3 \
    "$dir\\\\VARN_PC01_2004-0819-10_2.var" \
    "$dir\\\\VARN_PC01_2004-0819-10_2(1).var" \
    "$dir\\\\VARN_PC01_2004-0819-11_2.var" "size 4096" "padding zero")" || return 1
  shot plotara-graph "$graph"
}

test_plotara_exit_waits_for_graph() {
  local text
  drv click "$plotara_title" 2 || return 1
  plotara_box "終了チェック" "$(printf 'VARNOLE [グラフの作成] が起動中です。\n先に終了させてください。')" \
    plotara-exit-refused || return 1
  drv wait-window "$plotara_title" 2000 || fail "Plotara closed" || return 1

  drv close-exe-window Graph.exe || return 1
  drv wait-exe-gone Graph.exe 15000 || fail "Graph did not end" || return 1
  sleep 0.5  # the watcher takes Graph off the running list as it ends
  drv click "$plotara_title" 2 || return 1
  text="$(drv answer "終了" no 15000)" || fail "no 終了 question" || return 1
  expect_eq "question" "$text" "本当に終了しますか？" || return 1
  drv wait-window "$plotara_title" 2000 || fail "No closed Plotara" || return 1
  drv click "$plotara_title" 2 || return 1
  drv answer "終了" yes 15000 >/dev/null || fail "no 終了 question the second time" || return 1
  drv wait-gone "$plotara_title" 15000 || fail "Yes did not close Plotara" || return 1
  ! drv mutex-exists VARNOLE_GraphProgram || fail "VARNOLE_GraphProgram is left behind" || return 1

  # The menu may close now.
  drv click "$menu_title" 1015 || return 1
  drv answer "終了" yes 15000 >/dev/null || fail "the menu did not ask" || return 1
  ended "$plotara_menu_pid" 15 || fail "the menu did not end"
}

gui_suite_plotara() {
  run_test "Plotara without the menu shows the main-menu message and no window" test_plotara_needs_the_menu
  run_test "Plotara lists the data files newest first, with its counters and choices" test_plotara_lists_the_data_files
  run_test "a second Plotara reports that one runs and ends, the first stays" test_plotara_second_copy
  run_test "Plotara refuses no selection, two hosts and two files of the oldest format" test_plotara_refuses_mixed_selections
  run_test "the pieces of a split run reach Graph in branch order" test_plotara_hands_a_split_run_to_graph
  run_test "Plotara's exit waits for its Graph, then asks" test_plotara_exit_waits_for_graph
}
gui_suites+=(gui_suite_plotara)

# The GUI tests of Graph.exe; sourced by run-gui-tests. The virtual desktop's own process keeps
# the clipboard's contents alive between the driver and Graph. Data files come from
# varnole-simdata.exe, which records hosts of the demo network with the suite's own data file
# writer.

graph_base_title="VARNOLE [グラフ]"
graph_data=""       # Windows path of the data folder, with the trailing backslash Plotara uses
graph_files=()      # the PC01 run: three split pieces of 60 samples each
graph_pc04_files=() # PC04, whose disk counters are switched off

graph_started=()    # the Graph processes of these tests, ended by PID if a failed test left one

# graph_start: starts Graph.exe in the suite folder; its PID is in $graph.
graph_start() {
  start "$suite" Graph.exe
  graph=$last_pid
  graph_started+=("$graph")
}

# graph_cleanup: ends Graph processes a failed test left behind, so their windows do not stand
# in for the next test's.
graph_cleanup() {
  local pid
  for pid in "${graph_started[@]}"; do
    kill -0 "$pid" 2>/dev/null && kill "$pid" 2>/dev/null && ended "$pid" 10
  done
  graph_started=()
}

simdata() {
  (cd "$suite" && timeout -k 5 120 "$WINE_BIN" "$build/test-bin/varnole-simdata.exe" "$@") | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# graph_prepare: the demo network's data files, written once for all Graph tests.
graph_prepare() {
  [ -n "$graph_data" ] && return 0
  mkdir -p "$suite/data"
  cp "$root/sim/demo/demo-network.txt" "$suite/"
  local folder="$suite/data"
  graph_data="$(winepath -w "$folder" 2>/dev/null | tr -d '\r')"
  [ -n "$graph_data" ] || graph_data="Z:${folder//\//\\}"
  graph_data+='\'
  local out
  out="$(simdata --network demo-network.txt --host PC01 --data-dir "$graph_data" \
           --start "2024-08-19 14:00" --samples 180 --split 60)" || return 1
  mapfile -t graph_files <<<"$out"
  [ "${#graph_files[@]}" -eq 3 ] || return 1
  out="$(simdata --network demo-network.txt --host PC04 --data-dir "$graph_data" \
           --start "2024-08-19 15:00" --samples 20)" || return 1
  mapfile -t graph_pc04_files <<<"$out"
}

# graph_wait_status TITLE SECONDS: waits until the status line no longer says it is reading,
# then prints it.
graph_wait_status() {
  local title="$1" limit=$(( $2 * 5 )) status=""
  for _ in $(seq "$limit"); do
    status="$(drv text "$title" 1002 2>/dev/null)"
    [ -n "$status" ] && [[ "$status" != "データファイルを読み込んでいます"* ]] && break
    sleep 0.2
  done
  printf '%s\n' "$status"
}

# graph_close TITLE PID: the 終了 button ends Graph.
graph_close() {
  drv click "$1" 2 || return 1
  ended "$2" 15 || fail "Graph did not end"
}

test_graph_draws_the_request() {
  graph_cleanup
  graph_prepare || fail "cannot write the data files with varnole-simdata" || return 1
  local title="$graph_base_title PC01 - CPU-CPU Time" status pixels
  # Plotara's paths: the data folder's trailing backslash and one more before the file name.
  [[ "${graph_files[0]}" == *'\\VARN_PC01_2024-0819-14_1.var' ]] ||
    fail "unexpected path ${graph_files[0]}" || return 1
  drv clip-graph PC01 0 "CPU-CPU Time" 1 "${graph_files[@]}" || fail "cannot put the request" || return 1
  local graph
  graph_start
  drv wait-window "$title" 15000 || fail "no Graph window" || return 1
  status="$(graph_wait_status "$title" 30)"
  [[ "$status" == "ファイル 3 件　サンプル 180 件　2024/08/19 (月) 14:00:00 ～ 14:02:59　最小 10.0%  平均 "*"%  最大 85.0%" ]] ||
    fail "status: $status" || return 1
  # The chart is drawn: many pixels of the line's colour, and more than a frame of others.
  pixels="$(drv pixels "$title" 1010 0050C8)" || fail "cannot read the chart's pixels" || return 1
  read -r line coloured total <<<"$pixels"
  [ "$line" -gt 500 ] && [ "$coloured" -gt $(( total / 50 )) ] ||
    fail "the chart looks blank: $pixels" || return 1
  shot graph "$title"

  # コピー: the chart's picture, at the chart's size, goes to the clipboard as a bitmap.
  drv click "$title" 1013 || return 1
  local size info
  size="$(drv control "$title" 1010 | awk '{print $5}')"
  for _ in $(seq 25); do info="$(drv clip-dib 2>/dev/null)" && break; sleep 0.2; done
  expect_eq "clipboard bitmap" "$info" "$size 24" || return 1
  [[ "$(drv text "$title" 1002)" == *"グラフをクリップボードにコピーしました。" ]] ||
    fail "no word of the copy in the status line" || return 1

  # 保存: the save dialog, then a PNG of the chart's size that an independent decoder reads.
  drv click "$title" 1012 || return 1
  drv save-as "グラフの保存" "${graph_data}chart.png" 15000 || fail "no save dialog" || return 1
  for _ in $(seq 50); do [ -s "$suite/data/chart.png" ] && break; sleep 0.2; done
  [ -s "$suite/data/chart.png" ] || fail "no chart.png was written" || return 1
  if command -v identify >/dev/null; then
    expect_eq "saved picture" "$(identify -format '%m %wx%h' "$suite/data/chart.png")" \
      "PNG $size" || return 1
    cp "$suite/data/chart.png" "$shots/graph-saved.png"
  fi
  [[ "$(drv text "$title" 1002)" == *"グラフを保存しました: "*"chart.png" ]] ||
    fail "no word of the saved file in the status line" || return 1
  graph_close "$title" "$graph"
}

test_graph_reports_what_it_cannot_draw() {
  graph_cleanup
  graph_prepare || fail "cannot write the data files with varnole-simdata" || return 1
  local title status
  # A counter the host did not deliver.
  title="$graph_base_title PC04 - Physical Disk-Disk Time"
  drv clip-graph PC04 5 "Physical Disk-Disk Time" 0 "${graph_pc04_files[@]}" || return 1
  local graph
  graph_start
  drv wait-window "$title" 15000 || fail "no Graph window" || return 1
  status="$(graph_wait_status "$title" 30)"
  expect_eq "missing counter" "$status" \
    "データファイルに [Physical Disk-Disk Time] のデータがありません。このホストでは収集されていません。" ||
    return 1
  shot graph-missing-counter "$title"
  graph_close "$title" "$graph" || return 1

  # Files that do not exist and a file that is not a data file.
  title="$graph_base_title サーバ01 - CPU-CPU User Time"
  drv clip-graph "サーバ01" 2 "CPU-CPU User Time" 1 'D:\Data\\VARN_サーバ01_10_1.var' \
    "${graph_data}demo-missing.var" || return 1
  graph_start
  drv wait-window "$title" 15000 || fail "no Graph window" || return 1
  status="$(graph_wait_status "$title" 30)"
  expect_eq "missing files" "$status" \
    "$(printf 'データファイルを読めません。\nファイル [D:\\Data\\VARN_サーバ01_10_1.var] が見つかりません。')" ||
    return 1
  graph_close "$title" "$graph" || return 1

  cp "$suite/demo-network.txt" "$suite/data/notes.var"
  title="$graph_base_title PC01 - CPU-CPU Time"
  drv clip-graph PC01 0 "CPU-CPU Time" 0 "${graph_data}notes.var" || return 1
  graph_start
  drv wait-window "$title" 15000 || fail "no Graph window" || return 1
  status="$(graph_wait_status "$title" 30)"
  expect_eq "not a data file" "$status" \
    "$(printf 'データファイルを読めません。\nファイル [%snotes.var] は稼動データファイルではありません。' "$graph_data")" ||
    return 1
  graph_close "$title" "$graph"
}

test_graph_reports_a_bad_block() {
  graph_cleanup
  local status
  # A file count far beyond the block.
  drv clip-raw 000000000141015000000000ffffff7f || return 1
  local graph
  graph_start
  drv wait-window "$graph_base_title" 15000 || fail "no Graph window for a malformed block" || return 1
  status="$(drv text "$graph_base_title" 1002)"
  [[ "$status" == "クリップボードの VARNOLE_GRAPH_PARAM のデータが正しくありません: ファイル数が不正です。" ]] ||
    fail "malformed block: $status" || return 1
  shot graph-malformed "$graph_base_title"
  graph_close "$graph_base_title" "$graph" || return 1

  drv clip-clear || return 1
  graph_start
  drv wait-window "$graph_base_title" 15000 || fail "no Graph window without a block" || return 1
  status="$(drv text "$graph_base_title" 1002)"
  [[ "$status" == "クリップボードに VARNOLE_GRAPH_PARAM のデータがありません。"* ]] ||
    fail "missing block: $status" || return 1
  graph_close "$graph_base_title" "$graph"
}

gui_suite_graph() {
  run_test "Graph draws the request, copies it as a bitmap and saves it as PNG" test_graph_draws_the_request
  run_test "Graph says which counter or file it cannot draw" test_graph_reports_what_it_cannot_draw
  run_test "Graph reports a malformed or missing block" test_graph_reports_a_bad_block
}
gui_suites+=(gui_suite_graph)

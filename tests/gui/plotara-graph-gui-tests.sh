# Plotara hands a split run that Gather's own code recorded to Graph, and Graph draws it; sourced
# by run-gui-tests. The run comes from varnole-simdata.exe (the demo network's PC01, 180 samples
# in three pieces of 60), in a data directory of its own.

pg_data="$work/plotara-graph-data"

test_plotara_graph_draws_a_split_run() {
  mkdir -p "$pg_data"
  cp "$root/sim/demo/demo-network.txt" "$suite/"
  local data files
  data="$(windows_path "$pg_data")\\"
  files="$(simdata --network demo-network.txt --host PC01 --data-dir "$data" \
             --start "2024-08-19 14:00" --samples 180 --split 60)" ||
    fail "cannot record the run with varnole-simdata" || return 1
  [ "$(wc -l <<<"$files")" -eq 3 ] || fail "not three pieces: $files" || return 1
  drv data-dir "$data" || return 1

  start "$suite" VARNOLE.exe
  local menu=$last_pid
  drv wait-window "$menu_title" 15000 || fail "no menu window" || return 1
  drv post-key "$menu_title" 0x10
  drv wait-class-gone VARNOLE_Splash 5000 || fail "the splash window stayed" || return 1
  drv click "$menu_title" 1018 || return 1
  drv wait-window "$plotara_title" 15000 || fail "the menu's button did not start Plotara" || return 1
  expect_eq "rows" "$(drv listview "$plotara_title" 1000 | cut -f4,5 | tr '\t\n' '/ ')" \
    "PC01/3 PC01/2 PC01/1 " || return 1

  # All three pieces, the first counter, time only: Graph draws one series of 180 samples.
  drv select-rows "$plotara_title" 1000 0 1 2 || return 1
  drv click "$plotara_title" 1008 || return 1
  local title="$graph_base_title PC01 - CPU-CPU Time" status pixels line coloured total
  drv wait-window "$title" 20000 || fail "グラフ作成 did not open Graph" || return 1
  status="$(graph_wait_status "$title" 30)"
  [[ "$status" == "ファイル 3 件　サンプル 180 件　2024/08/19 (月) 14:00:00 ～ 14:02:59"* ]] ||
    fail "status: $status" || return 1
  pixels="$(drv pixels "$title" 1010 0050C8)" || fail "cannot read the chart's pixels" || return 1
  read -r line coloured total <<<"$pixels"
  [ "$line" -gt 500 ] && [ "$coloured" -gt $(( total / 50 )) ] ||
    fail "the chart looks blank: $pixels" || return 1
  shot plotara-graph-drawn "$title"

  # Everything closes through its own exit: Graph, then Plotara's check, then the menu's.
  exit_graph "$title" && exit_plotara && exit_menu || return 1
  ended "$menu" 15 || fail "the menu did not end" || return 1
  local mutex
  for mutex in VARNOLE_MainProgram VARNOLE_GraphProgram; do
    ! drv mutex-exists "$mutex" || fail "$mutex is left behind" || return 1
  done
}

gui_suite_plotara_graph() {
  run_test "Plotara hands a recorded split run to Graph, which draws all 180 samples" \
    test_plotara_graph_draws_a_split_run
}
gui_suites+=(gui_suite_plotara_graph)

# The GUI tests of the main menu and the Manager and Convert it starts; sourced by run-gui-tests.
# They run in this order and share one running menu (started by the first, closed by the exit
# test), because starting the menu and letting its splash pass is the slow part.

menu_pid=""

test_menu_starts() {
  start "$suite" VARNOLE.exe
  menu_pid=$last_pid
  # The splash is up for 1.5 s from the window's creation: catch it on the way.
  drv shot-class VARNOLE_Splash menu-splash.bmp 15000 || fail "no splash window appeared" || return 1
  keep_shot menu-splash
  drv wait-window "$menu_title" 15000 || fail "no menu window" || return 1
  # A key press hides the splash (and is swallowed).
  drv post-key "$menu_title" 0x10
  drv wait-class-gone VARNOLE_Splash 5000 || fail "the splash window stayed" || return 1
  local id info
  for id in 1011 1018 1012 1013 1014 1015; do
    info="$(drv control "$menu_title" "$id")" || fail "no control $id" || return 1
    [[ "$info" == "Static visible "* ]] || fail "control $id: $info" || return 1
  done
  shot menu "$menu_title"
}

test_menu_tooltips() {
  local tips
  tips="$(drv tooltips "$menu_title" | sort)" || fail "cannot read the tooltips" || return 1
  expect_eq "tooltips" "$tips" "$(printf '%s\n' \
    "1011	稼動データを収集するジョブの予約や実行を行います" \
    "1012	稼動データファイルからＣＳＶファイルを作成します" \
    "1013	HALDEKのホームページからグラフテンプレートと操作マニュアルをダウンロードします" \
    "1014	稼動データファイルの削除やディレクトリ変更を行います" \
    "1018	稼動データファイルからグラフを作成します" | sort)"
}

test_second_copy() {
  start "$suite" VARNOLE.exe
  local second=$last_pid text
  text="$(drv answer "２重起動" ok 15000)" || fail "no ２重起動 message box" || return 1
  expect_eq "message" "$text" "VARNOLEは、すでに起動されています。" || return 1
  ended "$second" 15 || fail "the second copy did not end" || return 1
  kill -0 "$menu_pid" 2>/dev/null || fail "the first menu ended" || return 1
  drv wait-window "$menu_title" 2000 || fail "the first menu's window is gone" || return 1
  drv mutex-exists VARNOLE_MainProgram || fail "VARNOLE_MainProgram is gone"
}

test_version_window() {
  drv syscommand "$menu_title" 16 || return 1
  drv wait-window "VARNOLE のﾊﾞｰｼﾞｮﾝ情報" 10000 || fail "no version window" || return 1
  drv click "VARNOLE のﾊﾞｰｼﾞｮﾝ情報" 1 || return 1
  drv wait-gone "VARNOLE のﾊﾞｰｼﾞｮﾝ情報" 10000 || fail "the version window stayed"
}

test_exit_refused_while_manager_runs() {
  drv click "$menu_title" 1014 || return 1
  drv wait-window "$manager_title" 15000 || fail "the Manager button did not start Manager" || return 1
  shot manager "$manager_title"
  drv mutex-exists VARNOLE_ManaProgram || fail "Manager does not hold VARNOLE_ManaProgram" || return 1
  local text
  drv click "$menu_title" 1015 || return 1
  text="$(drv answer "終了チェック" ok 15000)" || fail "no 終了チェック message box" || return 1
  expect_eq "message" "$text" \
    "$(printf 'VARNOLE [稼動データファイルの管理] が起動中です。\n先に終了させてください。')" || return 1
  drv wait-window "$menu_title" 2000 || fail "the menu closed"
}

test_escape_and_close_are_checked() {
  local text
  drv post-key "$menu_title" 0x1B || return 1
  text="$(drv answer "終了チェック" ok 15000)" || fail "Escape did not run the exit check" || return 1
  [[ "$text" == *"先に終了させてください。" ]] || fail "Escape: $text" || return 1
  drv close "$menu_title" || return 1
  text="$(drv answer "終了チェック" ok 15000)" || fail "WM_CLOSE did not run the exit check" || return 1
  [[ "$text" == *"先に終了させてください。" ]] || fail "WM_CLOSE: $text" || return 1
  drv wait-window "$menu_title" 2000 || fail "the menu closed"
}

test_convert_starts() {
  drv click "$menu_title" 1012 || return 1
  drv wait-window "$convert_title" 15000 || fail "the Convert button did not start Convert" || return 1
  drv mutex-exists VARNOLE_ConvProgram || fail "Convert does not hold VARNOLE_ConvProgram" || return 1
  shot convert "$convert_title"
  drv click "$convert_title" 2 || return 1
  drv wait-gone "$convert_title" 10000 || fail "Convert did not close"
}

test_exit_confirmed() {
  drv click "$manager_title" 2 || return 1
  drv wait-gone "$manager_title" 10000 || fail "Manager did not close" || return 1
  local text
  drv click "$menu_title" 1015 || return 1
  text="$(drv answer "終了" no 15000)" || fail "no 終了 question" || return 1
  expect_eq "question" "$text" "本当に終了しますか？" || return 1
  drv wait-window "$menu_title" 2000 || fail "No closed the menu" || return 1
  drv click "$menu_title" 1015 || return 1
  drv answer "終了" yes 15000 >/dev/null || fail "no 終了 question the second time" || return 1
  ended "$menu_pid" 15 || fail "Yes did not end the menu" || return 1
  local mutex
  for mutex in VARNOLE_MainProgram VARNOLE_GathProgram VARNOLE_ConvProgram VARNOLE_GraphProgram \
               VARNOLE_ManaProgram; do
    ! drv mutex-exists "$mutex" || fail "$mutex is left behind" || return 1
  done
}

test_missing_graph() {
  start "$nograph" VARNOLE.exe
  local menu=$last_pid text
  text="$(drv answer "エラー" ok 15000)" || fail "no エラー message box" || return 1
  expect_eq "message" "$text" "ファイル [Graph.exe] が見つかりません" || return 1
  ended "$menu" 15 || fail "the menu did not end" || return 1
  ! drv mutex-exists VARNOLE_MainProgram || fail "VARNOLE_MainProgram is left behind"
}

gui_suite_menu() {
  run_test "menu shows its splash, then its caption and six picture buttons" test_menu_starts
  run_test "menu has the five tooltips" test_menu_tooltips
  run_test "a second VARNOLE reports ２重起動 and ends, the first stays" test_second_copy
  run_test "the version window opens from the system menu" test_version_window
  run_test "exit with Manager running is refused and the menu stays" test_exit_refused_while_manager_runs
  run_test "Escape and a close request go through the exit check" test_escape_and_close_are_checked
  run_test "the Convert button starts Convert" test_convert_starts
  run_test "after Manager ends, No keeps the menu and Yes closes it without leaving a mutex" test_exit_confirmed
  run_test "a missing Graph.exe closes the menu at start" test_missing_graph
}
gui_suites+=(gui_suite_menu)

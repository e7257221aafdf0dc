# The GUI tests of Gather's host and group dialogs; sourced by run-gui-tests. Each test opens one
# dialog through host_dialogs_harness.exe on the demo network, drives it, and reads back the
# tables the harness writes when the dialog has closed.

hd_dir="$work/host-dialogs"
mkdir -p "$hd_dir"
cp "$build/test-bin/host_dialogs_harness.exe" "$root/sim/demo/demo-network.txt" "$hd_dir/"
hd_network="Z:${hd_dir//\//\\}\\demo-network.txt"
hostreg_title="ホスト名の登録"
groups_title="グループの登録"
check_title="データ取得確認"
picker_title="ホストの選択"

# hd_start ARGS...: starts the harness in its folder on the demo network (on the real network
# when hd_network is empty); its PID in hd_pid.
hd_start() {
  (cd "$hd_dir" && VARNOLE_SIMULATION="$hd_network" exec timeout -k 5 180 "$WINE_BIN" \
     host_dialogs_harness.exe "$@" >"$hd_dir/harness.out" 2>"$hd_dir/harness.err") &
  program_pids+=($!)
  hd_pid=$!
}

# hd_tables NAME: the table file NAME in the harness folder gets standard input (tabs between
# fields).
hd_tables() {
  cat >"$hd_dir/$1"
}

# hd_finished: the harness ended by itself with exit code 0.
hd_finished() {
  ended "$hd_pid" 20 || fail "the dialog did not close" || return 1
  wait "$hd_pid" 2>/dev/null
  local code=$?
  [ "$code" -eq 0 ] || fail "the harness ended with $code: $(cat "$hd_dir/harness.err")"
}

# wait_text TITLE ID PATTERN [SECONDS]: polls the control's text until grep -E finds PATTERN.
wait_text() {
  local limit=$(( ${4:-15} * 5 ))
  for _ in $(seq "$limit"); do
    drv text "$1" "$2" 2>/dev/null | grep -Eq -- "$3" && return 0
    sleep 0.2
  done
  fail "control $2 of \"$1\" never showed /$3/: [$(drv text "$1" "$2" 2>&1)]"
}

# listbox TITLE ID: the entries of a list box, one a line.
listbox() {
  drv listbox "$1" "$2"
}

# wait_list TITLE ID EXPECTED: polls the list box until it holds EXPECTED (lines), then checks.
wait_list() {
  for _ in $(seq 25); do [ "$(listbox "$1" "$2")" == "$3" ] && return 0; sleep 0.2; done
  expect_eq "list $2" "$(listbox "$1" "$2")" "$3"
}

# wait_enabled TITLE ID: polls until the control is enabled.
wait_enabled() {
  for _ in $(seq 25); do drv enabled "$1" "$2" && return 0; sleep 0.2; done
  fail "control $2 of \"$1\" stayed disabled"
}

# hostreg_open IN OUT: the registration dialog over the tables of IN, its lists filled.
hostreg_open() {
  hd_start hostreg "$1" "$2"
  drv wait-window "$hostreg_title" 20000 || fail "no $hostreg_title window" || return 1
  wait_text "$hostreg_title" 1006 '^WORKGROUP$'
}

# hostreg_lab: chooses the workgroup LAB.
hostreg_lab() {
  drv select "$hostreg_title" 1009 LAB || return 1
  wait_text "$hostreg_title" 1006 '^LAB$'
}

test_hostreg_browse_and_add() {
  hd_tables empty.txt </dev/null
  hostreg_open empty.txt browse-out.txt || return 1
  expect_eq "domains" "$(listbox "$hostreg_title" 1009)" "$(printf 'LAB\nWORKGROUP')" || return 1
  expect_eq "hosts" "$(listbox "$hostreg_title" 1008)" "$(printf 'PC01\nPC02\nPC03\nPC04')" || return 1
  ! drv enabled "$hostreg_title" 1010 || fail "追加 is enabled before a host was examined" || return 1
  expect_eq "tooltips" "$(drv tooltips "$hostreg_title" | sort)" "$(printf '%s\n' \
    "1010	右の一覧から選択されたホストを VARNOLE の対象ホストに追加します" \
    "1011	選択されたホストを VARNOLE の対象ホストから除外します" \
    "1093	上記のホストリストから、対象ホストが見つからない場合には直接ホスト名またはIPアドレスを入力し接続チェックボタンを押して下さい。" \
    "1094	上記のホストリストから、対象ホストが見つからない場合には直接ホスト名またはIPアドレスを入力し接続チェックボタンを押して下さい。" | sort)" || return 1
  shot hostreg-open "$hostreg_title"

  drv select "$hostreg_title" 1008 PC01 || return 1
  wait_text "$hostreg_title" 1012 'Taro Suzuki' || return 1
  local info
  info="$(drv text "$hostreg_title" 1012)"
  [[ "$info" == "ホスト名:"$'\n\t'"PC01"$'\n\n'"システム:"$'\n\t'"Microsoft Windows XP"* ]] ||
    fail "information text: [$info]" || return 1
  expect_eq "host shown" "$(drv text "$hostreg_title" 1005)" "PC01" || return 1
  drv enabled "$hostreg_title" 1010 || fail "追加 stayed disabled for PC01" || return 1
  shot hostreg-pc01 "$hostreg_title"
  drv click "$hostreg_title" 1010 || return 1
  wait_text "$hostreg_title" 1005 'PC01' || return 1
  wait_list "$hostreg_title" 1007 PC01 || return 1

  # A name typed in lower case is examined and registered in upper case.
  drv set-text "$hostreg_title" 1094 pc02 || return 1
  drv click "$hostreg_title" 1093 || return 1
  wait_text "$hostreg_title" 1012 'Hanako Sato' || return 1
  expect_eq "manual entry" "$(drv text "$hostreg_title" 1094)" "PC02" || return 1
  drv click "$hostreg_title" 1010 || return 1
  wait_list "$hostreg_title" 1007 "$(printf 'PC01\nPC02')" || return 1
  shot hostreg-added "$hostreg_title"
  drv click "$hostreg_title" 1 || return 1
  hd_finished || return 1
  expect_eq "tables" "$(cat "$hd_dir/browse-out.txt")" "$(printf '%s\n' \
    "host	0	PC01			Microsoft Windows XP 5.1.2600 Service Pack 3 Multiprocessor Free	GenuineIntel x86 Family 6 Model 15 Stepping 11 2394 MHz	Taro Suzuki Example Trading 76487-OEM-0011903-00102" \
    "host	1	PC02			Microsoft Windows 2000 5.0.2195 Service Pack 4 Uniprocessor Free	AuthenticAMD x86 Family 15 Model 47 Stepping 2 1800 MHz	Hanako Sato Example Trading 51873-OEM-0003972-09458" \
    "result	ok")"
}

test_hostreg_logon() {
  hd_tables empty.txt </dev/null
  hostreg_open empty.txt logon-out.txt || return 1
  hostreg_lab || return 1
  expect_eq "hosts" "$(listbox "$hostreg_title" 1008)" "$(printf 'DOWN01\nSV01\nSV02\nSV03')" || return 1
  drv select "$hostreg_title" 1008 SV01 || return 1
  drv wait-window "ログイン" 15000 || fail "SV01 did not ask for a logon" || return 1
  expect_eq "login host" "$(drv text "ログイン" 1005)" "SV01" || return 1
  shot login "ログイン"
  drv set-text "ログイン" 1013 admin || return 1
  drv set-text "ログイン" 1014 wrong || return 1
  drv click "ログイン" 1 || return 1
  local text
  text="$(drv answer "エラー" ok 15000)" || fail "a wrong password showed no エラー box" || return 1
  [ -n "$text" ] || fail "the エラー box has no text" || return 1
  drv wait-window "ログイン" 3000 || fail "the login dialog closed after a wrong password" || return 1
  drv set-text "ログイン" 1014 demo || return 1
  drv click "ログイン" 1 || return 1
  drv wait-gone "ログイン" 15000 || fail "admin/demo did not close the login dialog" || return 1
  wait_text "$hostreg_title" 1012 'Lab Admin' || return 1
  drv enabled "$hostreg_title" 1010 || fail "追加 stayed disabled for SV01" || return 1
  drv click "$hostreg_title" 1010 || return 1
  wait_list "$hostreg_title" 1007 SV01 || return 1
  drv click "$hostreg_title" 1 || return 1
  hd_finished || return 1
  # What was typed in the login dialog is not stored with the host.
  grep -q "^host	0	SV01			Microsoft Windows Server 2003 5.2.3790 Service Pack 1 " \
    "$hd_dir/logon-out.txt" || fail "SV01 not registered as expected: $(cat "$hd_dir/logon-out.txt")"
}

test_hostreg_unreachable_host() {
  hd_tables empty.txt </dev/null
  hostreg_open empty.txt down-out.txt || return 1
  hostreg_lab || return 1
  drv select "$hostreg_title" 1008 DOWN01 || return 1
  wait_text "$hostreg_title" 1012 '^情報が入手できません。' || return 1
  local info
  info="$(drv text "$hostreg_title" 1012)"
  [ "$(printf '%s\n' "$info" | sed -n 3p)" != "" ] || fail "no reason under the text: [$info]" || return 1
  ! drv enabled "$hostreg_title" 1010 || fail "追加 is enabled for DOWN01" || return 1
  shot hostreg-down01 "$hostreg_title"
  drv click "$hostreg_title" 2 || return 1
  drv answer "キャンセル" yes 15000 >/dev/null || fail "no キャンセル question" || return 1
  hd_finished || return 1
  expect_eq "tables" "$(cat "$hd_dir/down-out.txt")" "result	ok"
}

test_hostreg_delete_then_cancel() {
  hd_tables two-hosts.txt <<'TABLE'
host	0	PC01	 	 	Microsoft Windows XP 5.1.2600 Service Pack 3 Multiprocessor Free	GenuineIntel x86 Family 6 Model 15 Stepping 11 2394 MHz	Taro Suzuki Example Trading 76487-OEM-0011903-00102
host	1	SV01	admin	demo	Microsoft Windows Server 2003 5.2.3790 Service Pack 1 Multiprocessor Free	GenuineIntel x86 Family 6 Model 15 Stepping 11 2394 MHz	Lab Admin Example Research 69713-640-1234567-45012
TABLE
  sed -i 's/\t \t \t/\t\t\t/' "$hd_dir/two-hosts.txt"
  hostreg_open two-hosts.txt cancel-out.txt || return 1
  drv select "$hostreg_title" 1007 SV01 || return 1
  wait_enabled "$hostreg_title" 1011 || return 1
  drv click "$hostreg_title" 1011 || return 1
  wait_list "$hostreg_title" 1007 PC01 || return 1
  drv click "$hostreg_title" 2 || return 1
  expect_eq "question" "$(drv answer "キャンセル" no 15000)" "本当にキャンセルしますか？" || return 1
  drv wait-window "$hostreg_title" 3000 || fail "No closed the dialog" || return 1
  drv click "$hostreg_title" 2 || return 1
  drv answer "キャンセル" yes 15000 >/dev/null || fail "no second キャンセル question" || return 1
  hd_finished || return 1
  expect_eq "tables" "$(cat "$hd_dir/cancel-out.txt")" \
    "$(cat "$hd_dir/two-hosts.txt"; printf 'result\tok')"
}

test_groups() {
  hd_tables groups.txt <<'TABLE'
host	0	PC01
host	1	PC02
host	2	PC03
host	3	SV01
host	4	SV02
group	0	LAB	SV01	SV02
schedule	3	LAB
schedule	12	LAB
TABLE
  hd_start groups groups.txt groups-out.txt
  drv wait-window "$groups_title" 20000 || fail "no $groups_title window" || return 1
  expect_eq "groups" "$(listbox "$groups_title" 1095)" "LAB" || return 1
  expect_eq "members" "$(listbox "$groups_title" 1007)" "$(printf 'SV01\nSV02')" || return 1
  expect_eq "tooltips" "$(drv tooltips "$groups_title" | sort)" "$(printf '%s\n' \
    "1096	グループを追加します" "1097	選択されたグループを変更します" \
    "1098	選択されたグループを削除します" | sort)" || return 1
  shot groups "$groups_title"

  drv click "$groups_title" 1096 || return 1
  drv wait-window "グループの追加" 15000 || fail "追加 did not open グループの追加" || return 1
  expect_eq "offered" "$(listbox "グループの追加" 1008)" \
    "$(printf 'PC01\nPC02\nPC03\nSV01\nSV02')" || return 1
  expect_eq "tooltips" "$(drv tooltips "グループの追加" | sort)" "$(printf '%s\n' \
    "1096	右の一覧から選択されたホストをグループに追加します" \
    "1098	選択されたホストをグループから除外します" \
    "1099	VARNOLE の対象として登録されているホストの追加削除を行います" | sort)" || return 1
  drv set-text "グループの追加" 1097 "DESKS" || return 1
  local host
  for host in PC01 PC02 PC03; do drv select "グループの追加" 1008 "$host" || return 1; done
  wait_enabled "グループの追加" 1096 || return 1
  drv click "グループの追加" 1096 || return 1
  wait_list "グループの追加" 1100 "$(printf 'PC01\nPC02\nPC03')" || return 1
  expect_eq "offered" "$(listbox "グループの追加" 1008)" "$(printf 'SV01\nSV02')" || return 1
  shot group-add "グループの追加"
  drv click "グループの追加" 1 || return 1
  drv wait-gone "グループの追加" 15000 || fail "OK did not close グループの追加" || return 1
  wait_list "$groups_title" 1095 "$(printf 'LAB\nDESKS')" || return 1
  expect_eq "members" "$(listbox "$groups_title" 1007)" "$(printf 'PC01\nPC02\nPC03')" || return 1

  # Renaming DESKS to the name of another group is refused.
  drv click "$groups_title" 1097 || return 1
  drv wait-window "グループの変更" 15000 || fail "変更 did not open グループの変更" || return 1
  expect_eq "name" "$(drv text "グループの変更" 1097)" "DESKS" || return 1
  drv set-text "グループの変更" 1097 "LAB" || return 1
  shot group-change "グループの変更"
  drv click "グループの変更" 1 || return 1
  expect_eq "refusal" "$(drv answer "エラー" ok 15000)" "グループ名が既に使用されています" || return 1
  drv wait-window "グループの変更" 3000 || fail "the refused name closed the dialog" || return 1
  drv click "グループの変更" 2 || return 1
  drv wait-gone "グループの変更" 15000 || fail "ｷｬﾝｾﾙ did not close グループの変更" || return 1

  # LAB is used by schedules 3 and 12: neither changed nor deleted.
  drv select "$groups_title" 1095 LAB || return 1
  wait_list "$groups_title" 1007 "$(printf 'SV01\nSV02')" || return 1
  drv click "$groups_title" 1098 || return 1
  expect_eq "question" "$(drv answer "グループの削除" ok 15000)" "$(printf '%s\n' \
    "グループ名(LAB)には以下のホストが登録されています。" "" "	SV01" "	SV02" "" "" \
    "このグループを本当に削除しますか？")" || return 1
  expect_eq "refusal" "$(drv answer "グループの削除" ok 15000)" \
    "このグループは、スケジュール(03,12)で使用されており、削除できません" || return 1
  drv click "$groups_title" 1097 || return 1
  expect_eq "refusal" "$(drv answer "グループの変更" ok 15000)" \
    "このグループは、スケジュール(03,12)で使用されており、変更できません" || return 1
  drv click "$groups_title" 1 || return 1
  hd_finished || return 1
  expect_eq "tables" "$(grep '^group\|^result' "$hd_dir/groups-out.txt")" "$(printf '%s\n' \
    "group	0	LAB	SV01	SV02" "group	1	DESKS	PC01	PC02	PC03" "result	ok")"
}

# check_dialog HOST SHOT: opens the check for HOST and waits until its texts are there.
check_dialog() {
  hd_start check "$1"
  drv wait-window "$check_title" 20000 || fail "no $check_title window for $1" || return 1
  wait_text "$check_title" 1139 'プロセス情報' 30
}

test_check_pc01() {
  check_dialog PC01 || return 1
  local text
  text="$(drv text "$check_title" 1139)"
  expect_eq "timings" "$(printf '%s\n' "$text" | grep -Ec $'^\t[1-5] 回目: +[0-9]+\\.[0-9] 秒$')" 5 || return 1
  printf '%s\n' "$text" | grep -Eq $'^\t[0-9]+,[0-9]{3} バイト/回$' ||
    fail "no data amount line: [$text]" || return 1
  expect_eq "objects present" "$(printf '%s\n' "$text" | grep -c '○')" 7 || return 1
  [[ "$(drv text "$check_title" 1141)" == "ホスト名:"$'\n\t'"PC01"* ]] ||
    fail "host text: [$(drv text "$check_title" 1141)]" || return 1
  expect_eq "warnings" "$(drv text "$check_title" 1150)" "" || return 1
  shot check-pc01 "$check_title"
  drv click "$check_title" 1 || return 1
  hd_finished
}

test_check_failed_requests() {
  check_dialog SV02 || return 1
  local text
  text="$(drv text "$check_title" 1139)"
  # Request 3 fails and request 6 has no signature: each shows the object list and its reason
  # on a line of its own, and the five timings are all there.
  expect_eq "failures" "$(printf '%s\n' "$text" | grep -c '^238 4 234 236 510 502 638 230 1850.')" 2 ||
    return 1
  expect_eq "timings" "$(printf '%s\n' "$text" | grep -Ec $'^\t[1-5] 回目: ')" 5 || return 1
  printf '%s\n' "$text" | grep -q $'^\t0,000 バイト/回$' ||
    fail "the last request failed, yet bytes were counted: [$text]" || return 1
  shot check-sv02 "$check_title"
  drv click "$check_title" 1 || return 1
  hd_finished
}

test_check_counters_switched_off() {
  check_dialog PC04 || return 1
  local text warnings
  text="$(drv text "$check_title" 1139)"
  printf '%s\n' "$text" | grep -q '×　:物理ディスク情報' || fail "disk objects reported: [$text]" || return 1
  printf '%s\n' "$text" | grep -q '×　:プロセス情報' || fail "process object reported: [$text]" || return 1
  printf '%s\n' "$text" | grep -q '○　:CPU 情報' || fail "CPU object missing: [$text]" || return 1
  warnings="$(drv text "$check_title" 1150)"
  [[ "$warnings" == *'PerfDisk\Performanceレジストリーキー内のDisable Performance Counters値が、1 に設定されているため物理ディスクおよび論理ディスクに関する稼動データが収集できません。'* ]] ||
    fail "no PerfDisk warning: [$warnings]" || return 1
  [[ "$warnings" == *'"HKEY_LOCAL_MACHINE\SYSTEM\CurrentControlSet\Services\PerfProc\Performance"レジストリーキー内の"Disable Performance Counters"値が、"1"に設定されているためプロセスに関する情報の収集が出来ません。'* ]] ||
    fail "no PerfProc warning: [$warnings]" || return 1
  [[ "$warnings" != *PerfOS* ]] || fail "a PerfOS warning for PC04: [$warnings]" || return 1
  shot check-pc04 "$check_title"
  drv click "$check_title" 2 || return 1
  hd_finished || return 1

  # SV03: processor and memory switched off (as text), and no processor key.
  check_dialog SV03 || return 1
  warnings="$(drv text "$check_title" 1150)"
  [[ "$warnings" == *'PerfOS\Performanceレジストリーキー内のDisable Performance Counters値が、1 に設定されているためＣＰＵおよびメモリーに関する稼動データが収集できません。'* ]] ||
    fail "no PerfOS warning for SV03: [$warnings]" || return 1
  [[ "$(drv text "$check_title" 1141)" != *"CPU:"* ]] || fail "SV03 shows a CPU section" || return 1
  shot check-sv03 "$check_title"
  drv click "$check_title" 1 || return 1
  hd_finished
}

test_picker() {
  hd_tables picker.txt <<'TABLE'
host	0	PC01
host	1	PC04
group	0	DESKS	PC04	PC01
TABLE
  hd_start picker DESKS picker.txt
  drv wait-window "$picker_title" 20000 || fail "no $picker_title window" || return 1
  expect_eq "hosts" "$(listbox "$picker_title" 1000)" "$(printf 'PC01\nPC04')" || return 1
  shot picker "$picker_title"
  drv select "$picker_title" 1000 PC04 || return 1
  drv click "$picker_title" 1153 || return 1
  drv wait-window "$check_title" 15000 || fail "選択 did not open the check" || return 1
  wait_text "$check_title" 1141 $'^\tPC04$' 30 || return 1
  wait_text "$check_title" 1139 'プロセス情報' 30 || return 1
  drv click "$check_title" 1 || return 1
  drv wait-gone "$check_title" 15000 || fail "OK did not close the check" || return 1
  drv wait-window "$picker_title" 3000 || fail "the picker closed with the check" || return 1
  drv click "$picker_title" 2 || return 1
  hd_finished
}

# Without VARNOLE_SIMULATION the dialog uses the real Windows network: under Wine there is no
# browsing (1222), so the host list offers the local computer alone, whose registry the real
# remote-registry calls read.
test_hostreg_real_network() {
  hd_tables empty.txt </dev/null
  local saved="$hd_network"
  hd_network=""
  hd_start hostreg empty.txt real-out.txt
  hd_network="$saved"
  drv wait-window "$hostreg_title" 20000 || fail "no $hostreg_title window" || return 1
  expect_eq "domains" "$(listbox "$hostreg_title" 1009)" "" || return 1
  local local_name
  for _ in $(seq 25); do local_name="$(listbox "$hostreg_title" 1008)"; [ -n "$local_name" ] && break; sleep 0.2; done
  [ -n "$local_name" ] && [ "$(printf '%s\n' "$local_name" | wc -l)" -eq 1 ] ||
    fail "the host list is not the local computer alone: [$local_name]" || return 1
  drv select "$hostreg_title" 1008 "$local_name" || return 1
  wait_text "$hostreg_title" 1012 '(ローカルホスト)' || return 1
  [[ "$(drv text "$hostreg_title" 1012)" == "ホスト名:"$'\n\t'"$local_name"$'\n\t'"(ローカルホスト)"$'\n'"システム:"* ]] ||
    fail "information text: [$(drv text "$hostreg_title" 1012)]" || return 1
  shot hostreg-real-network "$hostreg_title"
  drv click "$hostreg_title" 1010 || return 1
  wait_list "$hostreg_title" 1007 "$local_name" || return 1
  drv click "$hostreg_title" 1 || return 1
  hd_finished || return 1
  grep -q "^host	0	$local_name			" "$hd_dir/real-out.txt" ||
    fail "the local computer was not registered: $(cat "$hd_dir/real-out.txt")"
}

gui_suite_host_dialogs() {
  run_test "host registration: browse WORKGROUP, add PC01, add pc02 by hand as PC02" test_hostreg_browse_and_add
  run_test "host registration: SV01 asks for a logon, a wrong password is refused, admin/demo works" test_hostreg_logon
  run_test "host registration: DOWN01 shows why it cannot be read and cannot be added" test_hostreg_unreachable_host
  run_test "host registration on the real network reads the local computer's own registry" test_hostreg_real_network
  run_test "host registration: delete, Cancel No stays, Cancel Yes brings every field back" test_hostreg_delete_then_cancel
  run_test "groups: a new group of three, a refused rename, a group used by schedules 3 and 12" test_groups
  run_test "acquisition check of PC01: five timings, data amount, seven objects" test_check_pc01
  run_test "acquisition check of SV02 shows its failed requests inline" test_check_failed_requests
  run_test "acquisition check of hosts with counters switched off shows their warnings" test_check_counters_switched_off
  run_test "the host picker runs the check on the chosen member and stays open" test_picker
}
gui_suites+=(gui_suite_host_dialogs)

# The Windows Installer package, installed and removed as an administrator does it; sourced by
# run-gui-tests. The package is made from this build with packaging/make-packages, installed
# silently into the run's Wine prefix, started from its Start-menu shortcut (whose working
# directory must be the suite's folder, or the menu finds no programs), and uninstalled again.

install_dir=""        # the installed suite folder (Linux path)
install_msi=""        # the package (Linux path)
install_data=""       # the data folder the installer configured (Windows path)
install_kept=()       # files the user made, "path sha256", which uninstalling must leave alone

# install_reg_value NAME [VIEW]: the value under the suite's key in the 64-bit (or 32-bit) view.
install_reg_value() {
  "$WINE_BIN" reg query 'HKLM\SOFTWARE\HALDEK\VARNOLE\1.0' /v "$1" "/reg:${2:-64}" 2>/dev/null |
    tr -d '\r' | awk -v name="$1" '$1 == name && $2 == "REG_SZ" { sub(/^[^R]*REG_SZ +/, ""); print }'
}

# install_shortcut: the Start-menu shortcut of the main menu (Linux path), wherever Wine puts the
# Start menu.
install_shortcut() {
  find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/VARNOLE/VARNOLE.lnk' 2>/dev/null | head -n 1
}

# install_msiexec ARGS...: msiexec, bounded, its exit code passed on.
install_msiexec() {
  (cd "$work" && timeout -k 5 180 "$WINE_BIN" msiexec "$@" >/dev/null 2>&1)
}

test_install_silently() {
  local out
  out="$("$root/packaging/make-packages" "$build" "$work/dist" --msi-only 2>"$work/package.err")" ||
    fail "cannot make the package: $(tail -n 3 "$work/package.err")" || return 1
  install_msi="$out"
  install_msiexec /i "$(windows_path "$install_msi")" /qn ||
    fail "msiexec /i /qn ended with $?" || return 1

  install_dir="$WINEPREFIX/drive_c/Program Files/HALDEK/VARNOLE"
  local file
  for file in VARNOLE.exe Gather.exe GatherHeadless.exe Plotara.exe Graph.exe Convert.exe \
              Manager.exe README.md HOW-TO-START.txt demo/demo-network.txt demo/start-demo.cmd; do
    [ -f "$install_dir/$file" ] || fail "$file was not installed" || return 1
  done
  [ -n "$(install_shortcut)" ] || fail "no Start-menu shortcut VARNOLE\\VARNOLE.lnk" || return 1

  # The key in the 64-bit view, where the programs read it, and not under WOW6432Node.
  install_data="$(install_reg_value DataDirectory)"
  expect_eq "DataDirectory" "$install_data" 'C:\ProgramData\HALDEK\VARNOLE\Data\' || return 1
  expect_eq "DataDirectory in the 32-bit view" "$(install_reg_value DataDirectory 32)" "" || return 1
  [ -d "$WINEPREFIX/drive_c/ProgramData/HALDEK/VARNOLE/Data" ] || fail "no data folder" || return 1
}

test_install_starts_from_the_shortcut() {
  [ -n "$install_dir" ] || fail "not installed" || return 1
  # Started by the shell from the shortcut, from a current directory that is not the suite's.
  local link
  link="$(winepath -w "$(install_shortcut)" 2>/dev/null)"
  (cd / && timeout -k 5 30 "$WINE_BIN" start "$link" >/dev/null 2>&1) ||
    fail "the shortcut did not start" || return 1
  drv wait-window "$menu_title" 20000 ||
    fail "no menu window from the installed folder: $(drv msgbox "エラー" 500 2>&1)" || return 1
  drv post-key "$menu_title" 0x10
  drv wait-class-gone VARNOLE_Splash 5000 || fail "the splash window stayed" || return 1
  shot install-menu "$menu_title"

  # The user's files: a data file in the configured data folder, written by the suite's own
  # writer from the installed demo network, and Gather's settings beside the programs.
  local data
  data="$(cd "$install_dir/demo" && timeout -k 5 60 "$WINE_BIN" "$build/test-bin/varnole-simdata.exe" \
            --network demo-network.txt --host PC01 --data-dir "$install_data" \
            --start "2024-08-19 14:00" --samples 30 | tr -d '\r')" ||
    fail "cannot write a data file into $install_data" || return 1
  drv settings-write "C:\\Program Files\\HALDEK\\VARNOLE\\VARNOLE.dat" || fail "cannot write VARNOLE.dat" || return 1
  local path
  install_kept=()
  for path in "$WINEPREFIX/drive_c/ProgramData/HALDEK/VARNOLE/Data/VARN_PC01_2024-0819-14_1.var" \
              "$install_dir/VARNOLE.dat"; do
    [ -f "$path" ] || fail "$path is missing (varnole-simdata: $data)" || return 1
    install_kept+=("$path $(sha256sum "$path" | cut -d' ' -f1)")
  done

  # The installed Plotara lists the data folder that the installer's key names.
  drv click "$menu_title" 1018 || return 1
  drv wait-window "$plotara_title" 15000 || fail "the installed menu did not start Plotara" || return 1
  expect_eq "listed files" "$(drv listview "$plotara_title" 1000 | cut -f4,5)" "PC01	1" || return 1
  shot install-plotara "$plotara_title"
  exit_plotara && exit_menu || return 1
  drv wait-exe-gone VARNOLE.exe 15000 || fail "the installed menu did not end"
}

test_uninstall_keeps_the_data() {
  [ -n "$install_msi" ] || fail "not installed" || return 1
  install_msiexec /x "$(windows_path "$install_msi")" /qn || fail "msiexec /x /qn ended with $?" || return 1
  local left
  left="$(cd "$install_dir" 2>/dev/null && find . -type f | sort | tr '\n' ' ')"
  expect_eq "left in the program folder" "$left" "./VARNOLE.dat " || return 1
  [ -z "$(install_shortcut)" ] || fail "the Start-menu shortcut is left" || return 1
  [ -z "$(find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/VARNOLE' 2>/dev/null)" ] ||
    fail "the Start-menu folder is left" || return 1
  expect_eq "DataDirectory after uninstalling" "$(install_reg_value DataDirectory)" "" || return 1
  local entry path sum
  for entry in "${install_kept[@]}"; do
    path="${entry% *}" sum="${entry##* }"
    [ -f "$path" ] || fail "uninstalling removed $path" || return 1
    expect_eq "$(basename "$path") after uninstalling" "$(sha256sum "$path" | cut -d' ' -f1)" "$sum" ||
      return 1
  done
}

gui_suite_install() {
  run_test "the MSI installs silently: programs, Start-menu shortcut, DataDirectory in the 64-bit view" \
    test_install_silently
  run_test "the installed menu starts from its shortcut; Plotara lists the installer's data folder" \
    test_install_starts_from_the_shortcut
  run_test "uninstalling removes programs, shortcut and DataDirectory, keeps the data file and VARNOLE.dat" \
    test_uninstall_keeps_the_data
}
gui_suites+=(gui_suite_install)

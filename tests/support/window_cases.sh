# shellcheck shell=bash
# The real-window cases of the main and About windows, one table for every
# toolkit. Sourced after x11.sh by a driver, which sets $out (screenshots),
# loads the design tables' points (load_window_points), defines start_copy
# [SESSION] (starts a copy in the background, prints its pid; SESSION one of
# the driver's $sessions for second copies) and offer_sysinfo on|off
# (whether "&Systeminfo..." finds a marker program, whose start leaves the
# file $marker_started), then calls run_window_cases.

scale=100  # the main window's size in percent of its design size

# Each row: step, control, keys, then Text_Summe after each key, in a German
# locale. Rows run in order on one copy and build on each other; "type"
# replaces a field's text keystroke by keystroke, "click" clicks into the
# control, then presses its keys, if any (Tab*5: five times Tab), so Tab goes
# through the tab order and enters the option group at its selected button.
window_table() {
  cat <<'ROWS'
type      Text_V1     1000        8,9 8,92 9,1 10,99
type      Text_V6     50          10,99 28,57
type      Text_V7     20000       28,51 28,51 28,51 28,52 28,63
type      Text_L8     2500        25,7 25,72 25,94 28,14
click     Combo_V3    Down*2,Return 26,64
click     Check_V2    -           26,39
click     Check_L4    -           26,49
click     Option_NW4  -           29,49
click     Check_L3    -           29,73
click     Option_NW3  -           26,49
click     Check_L3    -           26,49
click     Option_NW4  -           29,49
click     Text_V1     Tab*5,space 29,74
click     Text_V1     Tab*8,Up    26,74
click     Check_V2    -           26,49
click     Option_NW4  -           29,49
resize    -           150         -
type      Text_V6     7           12,69
resize    -           100         -
overflow  Text_V7     9999999999  10754,66
ROWS
}

click() {  # WINDOW CONTROL: at the control's centre
  local x y
  read -r x y <<<"${at[$2]}"
  [ "$1" = "$main" ] && x=$((x * scale / 100)) y=$((y * scale / 100))
  click_twips "$1" "$x" "$y"
}

# The main window's client size in pixels at the current scale.
main_size() {
  local width height
  read -r width height <<<"${client[vemora_Form]}"
  echo "$((width * scale / 100 / twips_per_pixel)) $((height * scale / 100 / twips_per_pixel))"
}
ended() { ! kill -0 "$1" 2>/dev/null; }
gone() { [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
wait_ended() { retry 100 ended "$1"; }
wait_gone() { retry 50 gone "$1"; }

# The clipboard may take a moment to pass from the program to X; a copy
# that never arrives is tried again.
read_result() {
  local text
  printf 'nothing copied' | xclip -selection clipboard >/dev/null 2>&1
  for _ in 1 2 3; do
    click "$main" Text_Summe
    xdotool key --clearmodifiers ctrl+a ctrl+c
    for _ in $(seq 20); do
      sleep 0.1
      text=$(xclip -o -selection clipboard 2>/dev/null) || continue
      [ "$text" != 'nothing copied' ] && echo "$text" && return
    done
  done
  echo "$text"
}

expect_result() {  # EXPECTED WHAT
  local got
  got=$(read_result)
  [ "$got" = "$1" ] || fail "$2 gave '$got', expected '$1'"
}

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
press_in() {  # WINDOW KEY
  xdotool windowfocus "$1"
  retry 20 focused "$1" || fail "window $1 did not take the focus for $2"
  xdotool key --clearmodifiers "$2"
}

step() {  # STEP CONTROL KEYS EXPECTED...
  local kind=$1 control=$2 keys=$3 i key count
  shift 3
  case $kind in
    type)
      for ((i = 0; i < ${#keys}; i++)); do
        click "$main" "$control"
        xdotool key --clearmodifiers "$( ((i == 0)) && echo ctrl+a || echo End)"
        xdotool type "${keys:i:1}"
        expect_result "$1" "$control after typing '${keys:0:i+1}'"
        shift
      done ;;
    click)
      click "$main" "$control"
      [ "$keys" = - ] && keys=
      for key in ${keys//,/ }; do
        count=1
        [[ $key == *'*'* ]] && count=${key#*'*'} key=${key%'*'*}
        for ((i = 0; i < count; i++)); do xdotool key "$key"; done
      done
      expect_result "$1" "a click on $control, then keys '$keys'" ;;
    resize)
      scale=$keys
      # shellcheck disable=SC2046
      xdotool windowsize "$main" $(main_size)
      # shellcheck disable=SC2046
      retry 50 has_size "$main" $(main_size) || fail "the main window did not take $(main_size)"
      import -window root "$out/main_window_$scale.png" ;;
    overflow)
      click "$main" "$control"
      xdotool key --clearmodifiers ctrl+a
      xdotool type --delay 30 "$keys"
      box=$(wait_window '^Vemora$') || fail "$keys in $control showed no message"
      import -window root "$out/overflow.png"
      press_in "$box" Return
      wait_gone '^Vemora$' || fail "the overflow message did not close"
      expect_result "$1" "the result after the overflow" ;;
  esac
}

# Changes every few frames, so some of a dozen looks at the box must differ.
clip_plays() {
  local box first
  box=$(crop_box Animation1)
  first=$(import -window "$1" -crop "$box" rgb:- | md5sum)
  for _ in $(seq 12); do
    sleep 0.1
    [ "$(import -window "$1" -crop "$box" rgb:- | md5sum)" != "$first" ] && return 0
  done
  return 1
}

open_about() {
  click "$main" Logo
  about=$(wait_window '^Info Vemora$') || fail "the logo did not open the About window"
}

about_cases() {
  open_about
  clip_plays "$about" || fail "the clip in the About window does not play"
  import -window root "$out/about_window.png"
  press_in "$about" Escape
  wait_gone '^Info Vemora$' || fail "Esc did not close the About window"
  open_about
  press_in "$about" Return
  wait_gone '^Info Vemora$' || fail "Enter did not close the About window"

  open_about
  offer_sysinfo on
  click "$about" cbSysInfo
  retry 100 test -e "$marker_started" || fail "Systeminfo did not start the program the registry names"
  offer_sysinfo off
  # The started program took the focus: back to the window with a click.
  click "$about" LabelCopyright
  press_in "$about" alt+s
  box=$(wait_window '^Vemora$') || fail "Alt+S without a program showed no message"
  import -window root "$out/sysinfo_unavailable.png"
  press_in "$box" Return
  wait_gone '^Vemora$' || fail "the Systeminfo message did not close"
  press_in "$about" Escape
  wait_gone '^Info Vemora$' || fail "Esc did not close the About window"
}

# A second copy from each of the driver's sessions shows its message, ends
# once it is closed, and leaves one main window.
sessions=("")
second_copy_case() {
  local second session
  for session in "${sessions[@]}"; do
    second=$(start_copy "$session")
    box=$(wait_window '^Vemora$') || fail "a second copy ($session) showed no message"
    [ "$(xdotool search --onlyvisible --name '^Vemora$' | wc -l)" -eq 1 ] || fail "more than one message"
    import -window root "$out/second_copy.png"
    press_in "$box" Return
    wait_ended "$second" || fail "the second copy ($session) did not end"
    [ "$(xdotool search --onlyvisible --name "$main_pattern" | wc -l)" -eq 1 ] ||
      fail "not one main window after a second copy ($session)"
  done
  kill -0 "$first" 2>/dev/null || fail "the first copy ended with the second"
}

start_main() {
  first=$(start_copy)
  main=$(wait_window "$main_pattern") || fail "no main window captioned '$caption'"
  # shellcheck disable=SC2046
  retry 50 has_size "$main" $(main_size) || fail "the main window is not $(main_size) pixels"
}

end_case() {
  click "$main" Command2
  wait_ended "$first" || fail "Beenden did not end the program"
}

# The window carries the program's icon at both sizes.
icon_case() {
  local icon size
  icon=$(xprop -id "$main" _NET_WM_ICON)
  for size in 16 32; do
    grep -q "Icon ($size x $size)" <<<"$icon" || fail "no ${size}px window icon: ${icon:0:60}"
  done
}

# The whole table in a German locale (the separator of an English one is the
# DPI and accessibility tests' to see).
run_window_cases() {
  local rows row
  export LC_ALL=de_DE.UTF-8
  mapfile -t rows < <(window_table)
  start_main
  expect_result 9,1 "the design inputs"
  import -window root "$out/main_window.png"
  icon_case
  for row in "${rows[@]}"; do
    # shellcheck disable=SC2086
    step $row
  done
  about_cases
  second_copy_case
  end_case
}

#!/usr/bin/env bash
# Pictures of every window of the desktop program as a person sees them: under Xvfb with a
# window manager, driven by the keyboard, at 1x and 2x, in a light and a dark palette and with
# a 14-point font. The dark palette and the large font come from the desktop's own settings
# (the qt6ct platform theme), as on a user's machine; the program has no switch for them.
#
#   scripts/screenshots.sh [BUILD_DIR [OUT_DIR]]     (defaults: build, screenshots)
#
# Needs xvfb, openbox, xdotool, imagemagick, x11-utils and qt6ct (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
out=$(realpath -m "${2:-screenshots}")
program="$build/twtools"
[ -x "$program" ] || { echo "no $program: build first" >&2; exit 1; }
mkdir -p "$out"

work=$(mktemp -d)
xvfb_pid=
wm_pid=
app_pid=
cleanup() {
  for pid in $app_pid $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
sleep 1

# The desktop settings of the dark and the large-font sessions.
mkdir -p "$work/dark/qt6ct" "$work/large/qt6ct"
cat >"$work/dark/qt6ct/qt6ct.conf" <<'EOF'
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
EOF
cat >"$work/large/qt6ct/qt6ct.conf" <<'EOF'
[Appearance]
custom_palette=false
style=Fusion

[Fonts]
general="DejaVu Sans,14,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
fixed="DejaVu Sans Mono,14,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"
EOF

pause() { sleep "${1:-0.4}"; }
keys() { xdotool key --delay 40 "$@"; pause 0.2; }
typed() { xdotool type --delay 30 "$1"; }
tabs() { for _ in $(seq "$1"); do xdotool key Tab; done; pause 0.2; }
# Waits for the window titled $1 and makes it the active one.
window() {
  local id
  id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | tail -1) ||
    { echo "$variant: no window \"$1\"" >&2; exit 1; }
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
  pause
}
# The active window with its frame, as the window manager draws it.
shot() {
  local name=$1 w x y ww hh l r t b
  pause
  w=$(xdotool getactivewindow)
  read -r x y ww hh < <(xwininfo -id "$w" | awk '/Absolute upper-left X/{x=$4}
    /Absolute upper-left Y/{y=$4} /  Width/{w=$2} /  Height/{h=$2} END{print x, y, w, h}')
  read -r l r t b < <(xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | sed 's/.*= //;s/,//g') ||
    true
  l=${l:-0} r=${r:-0} t=${t:-0} b=${b:-0}
  import -window root -crop "$((ww + l + r + 16))x$((hh + t + b + 16))+$((x - l - 8))+$((y - t - 8))" \
    +repage "$out/$variant-$name.png"
}
# Everything on the screen, cut to the windows (for menus and hints outside a window).
screen() { pause; import -window root "$out/$variant-$1.png"; mogrify -trim +repage "$out/$variant-$1.png"; }

session() {
  variant=$1
  shift
  mkdir -p "$work/run-$variant"
  (cd "$work/run-$variant" && env "$@" "$program" >"$work/$variant.log" 2>&1) &
  app_pid=$!

  window "Tarrow Financial Tool Set"
  shot main
  keys F10
  keys Left
  screen menu-help
  keys Escape Escape
  window "Tarrow Financial Tool Set"

  keys alt+b
  window " About the Tarrow Financial Tool Set"
  shot about
  keys Return

  # Mortgage: the first field selected, a refused comma and its hint, a field check's message
  # box, the payment, the schedule.
  window "Tarrow Financial Tool Set"
  keys ctrl+o
  window Mortgage
  shot mortgage-opened
  keys Return
  window "START AGE ERROR"
  shot message-error
  keys Return
  window Mortgage
  typed 35; tabs 1; typed 65; tabs 1; typed 6.5; tabs 1; typed '200,000'
  screen mortgage-hint
  tabs 1; typed 40000; tabs 1; typed 30; tabs 1; typed 3
  keys Return
  shot mortgage-calculated
  tabs 8
  keys space
  window "Mortgage Schedule"
  shot schedule
  keys Return
  window Mortgage
  keys shift+Tab shift+Tab space

  window "Tarrow Financial Tool Set"
  keys ctrl+l
  window "Loan Calculator"
  typed 200000; tabs 1; typed 40000; tabs 1; typed 6.5; tabs 1; typed 30
  keys Return
  shot loan
  tabs 2
  keys space

  window "Tarrow Financial Tool Set"
  keys ctrl+a
  window "Accelerated Mortgage Payment Analysis"
  tabs 4; typed 100
  keys Return
  shot accelerated
  tabs 4
  keys space

  window "Tarrow Financial Tool Set"
  keys ctrl+r
  window "Refinance Analysis"
  typed 45; tabs 3; typed 6; tabs 1; typed 30
  keys Return
  shot refinance
  tabs 9
  keys space
  pause 1
  shot refinance-results
  keys Return
  window "Refinance Analysis"
  keys shift+Tab shift+Tab space

  window "Tarrow Financial Tool Set"
  keys ctrl+n
  window "Inflation Calculator"
  typed 30; tabs 1; typed 40; tabs 1; typed 1000; tabs 1; typed 3
  keys Return
  shot inflation
  tabs 1
  keys space

  window "Tarrow Financial Tool Set"
  keys ctrl+x
  window "Taxes, Inflation and Your Investment"
  typed 10000; tabs 1; typed 10; tabs 1; typed 8; tabs 2; typed 28; tabs 1; typed 3
  keys Return
  shot taxes
  tabs 1
  keys space

  window "Tarrow Financial Tool Set"
  keys ctrl+e
  window "Calculate Effective Yearly Rate"
  typed 6; tabs 1
  keys space Escape
  shot effective
  keys Return

  window "Tarrow Financial Tool Set"
  keys ctrl+d
  window "Credit Card Debt"
  typed 5000; tabs 1; typed 18; tabs 1; typed 150; tabs 1; typed 0
  keys Return
  shot creditcard
  tabs 2
  keys space

  window "Tarrow Financial Tool Set"
  keys ctrl+t
  window "Trade-Off Analysis"
  typed Buy; tabs 1; typed Rent; tabs 2; typed 1000; tabs 3; typed 100; tabs 1; typed 250
  tabs 3; typed 500; tabs 3; typed 250; tabs 1; typed 50; tabs 1; typed 12
  keys Return
  shot trade
  keys F1
  pause 1
  shot help-topic
  keys Escape
  window "Trade-Off Analysis"
  tabs 1
  keys space

  window "Tarrow Financial Tool Set"
  keys F10 Left Return
  pause 1
  shot help-contents
  keys Escape

  window "Tarrow Financial Tool Set"
  keys alt+x
  wait "$app_pid" || true
  app_pid=
}

session light-1x QT_QPA_PLATFORMTHEME=
session light-2x QT_QPA_PLATFORMTHEME= QT_SCALE_FACTOR=2
session dark-1x QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark"
session dark-2x QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/dark" QT_SCALE_FACTOR=2
session large-1x QT_QPA_PLATFORMTHEME=qt6ct XDG_CONFIG_HOME="$work/large"
echo "pictures in $out"

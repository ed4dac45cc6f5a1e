#!/usr/bin/env bash
# Installs the build into a scratch folder as a package would hold it (DESTDIR, prefix /usr)
# and looks at what a user gets: every file in place and nothing else, the desktop entry and
# the software-centre entry valid, the manual pages readable, the programs hardened, their
# --help and --version answered without a display, the installed twtools running a script
# and finding the graph programs beside it, and the desktop entry's start working in the
# user's data folder.
#   installtest.sh BUILD_DIR WORK_DIR VERSION PROGRAM...
set -uo pipefail

build=$1
work=$2
version=$3
shift 3
programs=("$@")
app=example.tarrow.twtools

failures=0
fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

has_program()
{
    local p
    for p in "${programs[@]}"; do
        [ "$p" = "$1" ] && return 0
    done
    return 1
}

rm -rf "$work"
mkdir -p "$work"
root=$work/root
if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    exit 1
fi
bin=$root/usr/bin
share=$root/usr/share

# Every file, and nothing more.
expected=(
    usr/share/applications/$app.desktop
    usr/share/doc/twtools/changelog.gz
    usr/share/doc/twtools/copyright
    usr/share/doc/twtools/twtools.hlp
    usr/share/icons/hicolor/128x128/apps/$app.png
    usr/share/icons/hicolor/256x256/apps/$app.png
    usr/share/icons/hicolor/48x48/apps/$app.png
    usr/share/icons/hicolor/64x64/apps/$app.png
    usr/share/icons/hicolor/scalable/apps/$app.svg
    usr/share/metainfo/$app.metainfo.xml
)
for p in "${programs[@]}"; do
    expected+=("usr/bin/$p" "usr/share/man/man1/$p.1.gz")
done
diff -u <(printf '%s\n' "${expected[@]}" | LC_ALL=C sort) \
    <(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$work/files.diff" ||
    fail "installed files differ from the expected list:
$(cat "$work/files.diff")"
for p in "${programs[@]}"; do
    [ -x "$bin/$p" ] || fail "$p is not executable"
done

# Full RELRO, and no search path for libraries left over from the build tree.
for p in "${programs[@]}"; do
    [ -f "$bin/$p" ] || continue
    readelf -lW "$bin/$p" | grep -q GNU_RELRO || fail "$p: no RELRO segment"
    readelf -dW "$bin/$p" | grep -Eq 'BIND_NOW|FLAGS.*\bNOW\b' || fail "$p: not linked with -z now"
    if readelf -dW "$bin/$p" | grep -Eq 'RPATH|RUNPATH'; then
        fail "$p: installed with a library search path"
    fi
done

# The icon theme's bitmaps: PNG files of their folder's size, with a picture in them.
for size in 48 64 128 256; do
    png=$share/icons/hicolor/${size}x${size}/apps/$app.png
    [ -f "$png" ] || continue
    read -r w h colours < <(identify -format '%w %h %k\n' "$png" 2>/dev/null)
    [ "${w:-0}x${h:-0}" = "${size}x${size}" ] || fail "$png is ${w:-?}x${h:-?}"
    [ "${colours:-0}" -gt 16 ] || fail "$png holds ${colours:-no} colours"
done

# The desktop entry and the software-centre entry, alone and together with the icons.
desktop=$share/applications/$app.desktop
out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] ||
    fail "desktop-file-validate: $out"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec_line" = "twtools --xdg-data" ] || fail "desktop entry runs: $exec_line"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = "$app" ] || fail "desktop entry names another icon"
out=$(appstreamcli validate --no-net "$share/metainfo/$app.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
out=$(appstreamcli validate-tree --no-net "$root" 2>&1) || fail "appstreamcli validate-tree: $out"
for p in "${programs[@]}"; do
    grep -q "<binary>$p</binary>" "$share/metainfo/$app.metainfo.xml" ||
        fail "the software-centre entry does not name $p"
done

# The manual pages render without a warning, and their NAME line is what whatis shows.
for p in "${programs[@]}"; do
    page=$share/man/man1/$p.1.gz
    [ -f "$page" ] || continue
    gzip -t "$page" || fail "$page is not gzip-compressed"
    MANWIDTH=80 MANPAGER=cat man --warnings -E UTF-8 -l "$page" >"$work/$p.man" 2>"$work/$p.man.err" ||
        fail "man -l $page failed"
    [ -s "$work/$p.man.err" ] && fail "man -l $p.1: $(cat "$work/$p.man.err")"
    grep -q "^NAME" "$work/$p.man" || fail "$p.1 has no NAME section"
    grep -Eq "^ +$p - " "$work/$p.man" || fail "$p.1 has no NAME line for $p"
    lexgrog "$page" >/dev/null 2>&1 || fail "lexgrog cannot read the NAME line of $p.1"
    for option in --help --version; do
        grep -q -- "$option" "$work/$p.man" || fail "$p.1 does not mention $option"
    done
done
grep -q -- "--xdg-data" "$work/twtools.man" || fail "twtools.1 does not mention --xdg-data"

# --help and --version, answered without touching a display: with none, and with one that
# is not there (opening it would abort).
for p in "${programs[@]}"; do
    [ -x "$bin/$p" ] || continue
    for display in none :98765; do
        if [ $display = none ]; then
            run=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
        else
            run=(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=$display)
        fi
        for option in --help --version; do
            out=$("${run[@]}" timeout 20 "$bin/$p" $option 2>"$work/err")
            code=$?
            [ $code -eq 0 ] || fail "$p $option (display $display): exit code $code"
            [ -s "$work/err" ] && fail "$p $option (display $display) wrote to stderr: $(cat "$work/err")"
            first=${out%%$'\n'*}
            case $option in
            --help) [[ "$out" == *"Usage: $p"* ]] || fail "$p --help: $first" ;;
            --version) [[ "$first" == "$p "*"$version"* ]] || fail "$p --version: $first" ;;
            esac
        done
    done
done

# The installed twtools runs a script and finds the graph programs and the Rule 72T program
# beside it, not on the PATH.
cat >"$work/graphs.twt" <<'EOF'
command 945
command 882
set 104 40
set 105 200000
set 106 8
set 107 30
set 109 45
set 111 6
set 112 30
set 114 3000
set 116 1
press 130
press 118
command 179
set 901 Buy
set 902 Rent
set 101 1000
set 201 100
set 401 250
set 302 500
set 402 50
set 601 12
press 104
EOF
expect_start()
{
    local output=$1 line=$2 program=$3 result=failed
    has_program "$program" && result=ok
    grep -qx "start	$line	$result" "$output" ||
        fail "expected 'start $line $result' in: $(cat "$output")"
}
mkdir -p "$work/shell"
(cd "$work/shell" && env PATH=/nonexistent "$bin/twtools" script ../graphs.twt >../graphs.out 2>../graphs.err)
code=$?
[ $code -eq 0 ] || fail "twtools script: exit code $code: $(cat "$work/graphs.err")"
expect_start "$work/graphs.out" "twref.exe ref.tmp" twref
expect_start "$work/graphs.out" "twtplot.exe trade.tmp" twtplot
expect_start "$work/graphs.out" "twrule11.exe" twrule11
for f in ref.tmp trade.tmp; do
    [ -f "$work/shell/$f" ] || fail "the script wrote no $f in the current directory"
done
# The graph programs read what the installed twtools wrote.
for p in twref twtplot; do
    has_program $p || continue
    file=$([ $p = twref ] && echo ref.tmp || echo trade.tmp)
    (cd "$work/shell" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$bin/$p" --output $p.png $file \
        >/dev/null 2>"$work/$p.err") || fail "$p --output: $(cat "$work/$p.err")"
    [ -s "$work/shell/$p.png" ] || fail "$p drew no picture of $file"
done

# The Rule 72T program's report, without a display: the IRS's worked example.
if has_program twrule11; then
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$bin/twrule11" --balance 400000 --born 1975-03 \
        --start 2025-01 --rate 4 2>"$work/twrule11.err")
    code=$?
    [ $code -eq 0 ] || fail "twrule11 report: exit code $code: $(cat "$work/twrule11.err")"
    for amount in 11,049.72 21,101.63 22,030.33; do
        [[ "$out" == *"$amount"* ]] || fail "twrule11 report lacks $amount"
    done
fi

# --xdg-data: the files go into the data folder, made when missing, and not into the current
# directory; the script is still read from where the shell is.
check_data_folder()
{
    local label=$1 folder=$2
    shift 2
    rm -rf "$work/cwd"
    mkdir -p "$work/cwd"
    cp "$work/graphs.twt" "$work/cwd/"
    (cd "$work/cwd" && env "$@" PATH=/nonexistent "$bin/twtools" --xdg-data script graphs.twt \
        >"$work/folder.out" 2>"$work/folder.err")
    code=$?
    [ $code -eq 0 ] || fail "$label: exit code $code: $(cat "$work/folder.err")"
    for f in ref.tmp trade.tmp; do
        [ -f "$folder/$f" ] || fail "$label: no $f in $folder"
    done
    [ "$(ls -A "$work/cwd")" = graphs.twt ] || fail "$label: files left in the current directory: $(ls -A "$work/cwd")"
    [ "$(stat -c %a "$folder")" = 700 ] || fail "$label: $folder has mode $(stat -c %a "$folder")"
}
check_data_folder "HOME alone" "$work/home/.local/share/twtools" -u XDG_DATA_HOME HOME="$work/home"
check_data_folder "XDG_DATA_HOME" "$work/xdg/twtools" HOME="$work/home2" XDG_DATA_HOME="$work/xdg"
[ -e "$work/home2" ] && fail "XDG_DATA_HOME set, yet something was made under HOME"

# A folder that cannot be made: one line on stderr, exit code 1, nothing run.
mkdir -p "$work/badhome"
: >"$work/badhome/.local"
out=$(cd "$work/cwd" && env -u XDG_DATA_HOME HOME="$work/badhome" "$bin/twtools" --xdg-data script graphs.twt 2>&1)
code=$?
[ $code -eq 1 ] || fail "unusable data folder: exit code $code"
[ "$out" = "twtools: cannot create the folder $work/badhome/.local/share/twtools for the program's files ($work/badhome/.local: Not a directory)" ] ||
    fail "unusable data folder: $out"

# The desktop entry's command line, as the menu runs it: the main window opens (and closes at
# its first paint, through the start-up benchmark's hook) with the data folder made.
read -ra command <<<"$exec_line"
rm -rf "$work/desk" "$work/cwd"
mkdir -p "$work/desk" "$work/cwd"
out=$(cd "$work/cwd" && env -u XDG_DATA_HOME HOME="$work/desk" PATH="$bin:$PATH" QT_QPA_PLATFORM=offscreen \
    TW_BENCH_T0="$(date +%s%N)" timeout 60 "${command[@]}" 2>"$work/desk.err")
code=$?
[ $code -eq 0 ] || fail "desktop start: exit code $code: $(cat "$work/desk.err")"
[[ "$out" == "first paint "* ]] || fail "desktop start: the main window was not painted: $out"
[ -d "$work/desk/.local/share/twtools" ] || fail "desktop start made no data folder"
[ -z "$(ls -A "$work/cwd")" ] || fail "desktop start left files in the current directory"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed ${programs[*]}: all checks passed"

#!/usr/bin/env bash
# The packaged program as a user meets it: builds the Debian package, checks it as Debian
# and the desktops would, unpacks it into a temporary root, and starts that root's
# kadoru in a virtual X display with a fresh HOME. Escape (Close's key) ends each run.
#   installed_program_test.sh SOURCE_DIR VERSION
# Exits 77 (skipped) unless run as root with the tools at hand.
set -euo pipefail
source_dir=$1
version=$2
app_id=io.github.kadoru.Kadoru

skip() {
    echo "SKIPPED: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "needs root: it mounts a tmpfs as a second drive"
for tool in cmake cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli \
    xvfb-run xdotool; do
    command -v "$tool" >/dev/null || skip "needs $tool (./scripts/deps test)"
done

# A display of our own, so that the window is real and nothing else shares it.
if [ -z "${KADORU_IN_XVFB:-}" ]; then
    KADORU_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

work=$(mktemp -d)
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    if mountpoint -q "$work/card"; then umount "$work/card"; fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== building the package"
cd "$source_dir"
cmake --preset package >/dev/null
cmake --build --preset package
cpack --preset package >/dev/null
deb=$source_dir/build/package/kadoru_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { echo "FAIL: no $deb"; exit 1; }

echo "== lintian (errors fail, warnings are listed)"
lintian --fail-on error "$deb" 2>/dev/null || fail "lintian reports errors"

root=$work/root
dpkg-deb -x "$deb" "$root"
entry=$root/usr/share/applications/$app_id.desktop
hints=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate rejects the entry"
[ -z "$hints" ] || fail "desktop-file-validate: $hints"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app_id.metainfo.xml" >/dev/null ||
    fail "appstreamcli rejects the metainfo"
# The menu starts what the entry names, and shows the icon it names.
[ "$(sed -n 's/^Exec=//p' "$entry")" = kadoru ] || fail "the entry does not start kadoru"
[ -x "$root/usr/bin/kadoru" ] || fail "the package has no usr/bin/kadoru"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 32 48 64 128 256; do
    [ -f "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" ] ||
        fail "no ${size}x$size icon named $icon"
done

# The remembered folder lies on a drive of its own, so that a start which ignored the
# record would show another folder and another destination drive.
mkdir -p "$work/card" "$work/elsewhere"
mount -t tmpfs -o size=1m kadoru-test "$work/card"
remembered=$work/card/music
mkdir "$remembered"
home=$work/home
mkdir "$home"
mkdir -m 700 "$work/runtime"
config=$home/.config/kadoru/kadoset.ini
before=$(find "$root" | sort)

# One run of the installed program, started in a folder, ended with Close's key once
# its window shows. The exit status is the program's (124 when it had to be stopped).
run_once() {
    (cd "$1" && exec env -i HOME="$home" XDG_RUNTIME_DIR="$work/runtime" DISPLAY="$DISPLAY" \
        XAUTHORITY="${XAUTHORITY:-}" PATH=/usr/bin:/bin LANG=C.UTF-8 QT_QPA_PLATFORM=xcb \
        timeout 60 "$root/usr/bin/kadoru") &
    local program=$!
    timeout 60 xdotool search --sync --onlyvisible --name '^Kadoru$' >"$work/window" &
    local search=$!
    local first=0
    wait -n -p first "$program" "$search" || true
    if [ "$first" != "$search" ] || [ ! -s "$work/window" ]; then
        kill "$search" 2>/dev/null || true
        wait "$program" || true
        fail "no Kadoru window showed"
        return 1
    fi
    xdotool windowfocus --sync "$(head -n 1 "$work/window")" key Escape
    local status=0
    wait "$program" || status=$?
    [ "$status" -eq 0 ] || fail "Close ended the program with status $status"
}

echo "== first start, in the remembered folder"
run_once "$remembered"
[ -f "$config" ] || fail "Close wrote no $config"
after=$(find "$root" | sort)
[ "$before" = "$after" ] ||
    fail "Close wrote beside the program: $(comm -13 <(echo "$before") <(echo "$after") | tr '\n' ' ')"
# Wherever the record went, whether the next start restores from it is a question of its own.
record=$(cat "$config" 2>/dev/null || cat "$root/usr/bin/kadoset.ini" 2>/dev/null || true)
[[ $record =~ ^"$remembered",[a-z]:$ ]] || fail "the record is '$record', not the folder and a drive"

echo "== second start, elsewhere: the record brings back the folder and the drive"
run_once "$work/elsewhere"
again=$(cat "$config" 2>/dev/null || cat "$root/usr/bin/kadoset.ini" 2>/dev/null || true)
[ "$again" = "$record" ] || fail "the second Close saved '$again' where the first saved '$record'"

[ "$failures" -eq 0 ] && echo "== the installed program passed"
exit $((failures > 0))

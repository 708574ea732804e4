#!/usr/bin/env bash
# Installs the build to a fresh prefix and checks the layout, the desktop
# entry and the icon; then starts the installed program through its link on
# the offscreen platform, where a preloaded driver opens About and quits.
#   installed_program.sh CMAKE BUILD_DIR DRIVER
set -euo pipefail
cmake=$1 build=$2 driver=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() { echo "FAIL: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

home=$prefix/lib/lirra-veriz
[ -x "$home/bin/lirra-veriz" ] || fail "no executable in lib/lirra-veriz/bin"
[ -s "$home/Resources/About-Lirra-Rorov-Ezave.jpg" ] || fail "no About picture in lib/lirra-veriz/Resources"
[ -L "$prefix/bin/lirra-veriz" ] || fail "bin/lirra-veriz is not a link"
[ "$(readlink -f "$prefix/bin/lirra-veriz")" = "$(readlink -f "$home/bin/lirra-veriz")" ] ||
    fail "bin/lirra-veriz does not lead to the installed program"
entry=$prefix/share/applications/lirra-veriz.desktop
[ -f "$entry" ] || fail "no desktop entry"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
icon=$prefix/share/icons/hicolor/128x128/apps/lirra-veriz.png
[ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "no PNG icon"

# The build may carry AddressSanitizer, whose runtime must not mind the
# preloaded driver; leaks of the toolkit at exit are not this test's concern.
status=0
(cd "$work" && env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" LD_PRELOAD="$driver" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0" \
    timeout 60 "$prefix/bin/lirra-veriz" 2>"$work/stderr") || status=$?
cat "$work/stderr" >&2
[ "$status" -eq 0 ] || fail "the installed program ended with $status, not 0"
grep -q "driver: the About window is open" "$work/stderr" || fail "the About window did not open"
! grep -q "cannot open picture" "$work/stderr" || fail "the installed program did not find its picture"
echo "installed program: layout, entry and icon in place; found its picture; quit with 0"

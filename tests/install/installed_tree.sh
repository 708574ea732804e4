# What an installed tree must hold and do, sourced by the installation and
# package checks: the layout, the desktop entry, the description for
# software centres and the icons; then the program started through its link
# on the offscreen platform, where a preloaded driver opens About and quits.
# The sourcing script sets work to a folder of its own, removed at its exit.

fail() { echo "FAIL: $*" >&2; exit 1; }

# The icon theme's sizes, and the width and height a PNG's header gives.
icon_sizes=(48 64 128 256)
png_size() { od -An -j16 -N8 -tu1 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }

check_installed_tree() {  # prefix
    local prefix=$1 home=$1/lib/lirra-veriz
    [ -x "$home/bin/lirra-veriz" ] || fail "no executable in lib/lirra-veriz/bin"
    [ -s "$home/Resources/About-Lirra-Rorov-Ezave.jpg" ] || fail "no About picture in lib/lirra-veriz/Resources"
    [ -L "$prefix/bin/lirra-veriz" ] || fail "bin/lirra-veriz is not a link"
    [ "$(readlink -f "$prefix/bin/lirra-veriz")" = "$(readlink -f "$home/bin/lirra-veriz")" ] ||
        fail "bin/lirra-veriz does not lead to the installed program"
    local entry=$prefix/share/applications/lirra-veriz.desktop
    [ -f "$entry" ] || fail "no desktop entry"
    desktop-file-validate "$entry" || fail "the desktop entry does not validate"
    local metainfo=$prefix/share/metainfo/example.lirraveriz.LirraVeriz.metainfo.xml
    [ -f "$metainfo" ] || fail "no AppStream description"
    # Validating the tree also checks that the desktop entry it names is there.
    appstreamcli validate-tree --no-net "$prefix" >&2 || fail "the AppStream description does not validate"
    local size icon
    for size in "${icon_sizes[@]}"; do
        icon=$prefix/share/icons/hicolor/${size}x$size/apps/lirra-veriz.png
        [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "no PNG icon at $size"
        [ "$(png_size "$icon")" = "${size}x$size" ] || fail "the $size icon is $(png_size "$icon")"
    done
}

# The build may carry AddressSanitizer, whose runtime must not mind the
# preloaded driver; leaks of the toolkit at exit are not this check's concern.
run_installed_program() {  # prefix driver
    local prefix=$1 driver=$2 status=0
    (cd "$work" && env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" LD_PRELOAD="$driver" \
        ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0" \
        timeout 60 "$prefix/bin/lirra-veriz" 2>"$work/stderr") || status=$?
    cat "$work/stderr" >&2
    [ "$status" -eq 0 ] || fail "the installed program ended with $status, not 0"
    grep -q "driver: the About window is open" "$work/stderr" || fail "the About window did not open"
    ! grep -q "cannot open picture" "$work/stderr" || fail "the installed program did not find its picture"
}

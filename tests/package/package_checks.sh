#!/usr/bin/env bash
# The checks of the installation and the .deb (CTest label package).
#   package_checks.sh desktop FILE...        desktop-file-validate, no message at all
#   package_checks.sh metainfo FILE          appstreamcli validate --no-net
#   package_checks.sh manpages FILE...       man --warnings, no warning
#   package_checks.sh build BUILD_DIR DIR    cpack the build folder into DIR
#   package_checks.sh contents DIR           every installed file and control field is in the .deb
#   package_checks.sh lintian DIR            lintian reports no error and no warning
#   package_checks.sh install DIR WORK       dpkg -x into a scratch root and run what is installed there
set -euo pipefail
fail() { echo "FAILED: $*"; exit 1; }
the_deb() { # DIR: the one .deb that package_deb left there
    local debs=("$1"/qv530-10800rad_*.deb)
    [ -f "${debs[0]}" ] || fail "no .deb in $1; package_deb builds it"
    [ ${#debs[@]} -eq 1 ] || fail "more than one .deb in $1"
    echo "${debs[0]}"
}

check=$1; shift
case $check in
desktop)
    out=$(desktop-file-validate "$@" 2>&1) || fail "desktop-file-validate: $out"
    [ -z "$out" ] || fail "desktop-file-validate: $out"
    echo "desktop files valid: $*"
    ;;
metainfo)
    appstreamcli validate --no-net "$1" || fail "appstreamcli validate"
    ;;
manpages)
    for page in "$@"; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man --warnings $page: $warnings"
        lines=$(LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | wc -l)
        [ "$lines" -gt 20 ] || fail "$page renders to $lines lines"
        echo "$page: no warnings, $lines lines"
    done
    ;;
build)
    build=$1 dir=$2
    rm -f "$dir"/qv530-10800rad_*.deb
    (cd "$build" && cpack -G DEB -B "$dir" >"$dir.log" 2>&1) || { cat "$dir.log"; fail "cpack"; }
    deb=$(the_deb "$dir")
    echo "built $deb ($(du -h "$deb" | cut -f1))"
    ;;
contents)
    deb=$(the_deb "$1")
    listing=$(dpkg-deb --contents "$deb")
    missing=0
    for path in \
        ./usr/bin/qv530 ./usr/bin/qv530ctl \
        ./usr/share/qv530-10800rad/Skins/Resources/128.png \
        ./usr/share/qv530-10800rad/doc/user-guide.html \
        ./usr/lib/udev/rules.d/70-qv530-10800rad.rules \
        ./usr/share/applications/qv530-10800rad.desktop \
        ./usr/share/icons/hicolor/256x256/apps/qv530-10800rad.png \
        ./etc/xdg/autostart/qv530-10800rad.desktop \
        ./usr/share/man/man1/qv530ctl.1.gz ./usr/share/man/man1/qv530.1.gz \
        ./usr/share/bash-completion/completions/qv530ctl \
        ./usr/share/metainfo/org.qv530_10800rad.configurator.metainfo.xml \
        ./usr/share/doc/qv530-10800rad/copyright ./usr/share/doc/qv530-10800rad/changelog.gz; do
        grep -q " $path\$" <<<"$listing" || { echo "missing: $path"; missing=1; }
    done
    [ $missing -eq 0 ] || fail "files missing in $deb"
    skins=$(grep -c '/usr/share/qv530-10800rad/Skins/.*\.png$' <<<"$listing")
    [ "$skins" -gt 100 ] || fail "only $skins skin pictures in $deb"
    grep -q '^-rwxr-xr-x root/root .* ./usr/bin/qv530$' <<<"$listing" || fail "qv530 is not an executable owned by root"

    field() { dpkg-deb --field "$deb" "$1"; }
    [ "$(field Package)" = qv530-10800rad ] || fail "Package: $(field Package)"
    [ "$(field Version)" = "$(sed -n 's/^project(qv530-10800rad VERSION \([0-9.]*\).*/\1/p' \
        "$(dirname "$0")/../../CMakeLists.txt")" ] || fail "Version $(field Version) is not the project's"
    [ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture: $(field Architecture)"
    for lib in libc6 libqt6widgets6 libudev1; do
        field Depends | grep -q "$lib" || fail "Depends lacks $lib: $(field Depends)"
    done
    field Recommends | grep -q qt6-wayland || fail "Recommends lacks qt6-wayland: $(field Recommends)"
    for name in Maintainer Homepage Description Section; do
        [ -n "$(field $name)" ] || fail "no $name field"
    done
    [ "$(field Description | wc -l)" -gt 3 ] || fail "the long description is missing"

    control=$(mktemp -d)
    trap 'rm -rf "$control"' EXIT
    dpkg-deb --control "$deb" "$control"
    [ -x "$control/postinst" ] || fail "no executable postinst"
    grep -q 'udevadm control --reload' "$control/postinst" || fail "postinst does not reload the udev rules"
    grep -qx /etc/xdg/autostart/qv530-10800rad.desktop "$control/conffiles" || fail "the autostart entry is no conffile"
    echo "$deb: $(wc -l <<<"$listing") entries, $skins skin pictures, every expected file and field"
    ;;
lintian)
    deb=$(the_deb "$1")
    # The informational tags we keep are listed in the README's packaging section.
    lintian --fail-on error,warning --allow-root --tag-display-limit 0 "$deb" || fail "lintian reports errors or warnings"
    echo "lintian: no errors, no warnings"
    ;;
install)
    deb=$(the_deb "$1") work=$2
    rm -rf "$work" && mkdir -p "$work"
    root=$work/root
    export HOME=$work/home XDG_RUNTIME_DIR=$work/run QV530_DEBUG=1
    unset XDG_CONFIG_HOME
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    dpkg -x "$deb" "$root"
    bin=$root/usr/bin
    pids=()
    cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
    trap cleanup EXIT

    project_version=$(dpkg-deb --field "$deb" Version)
    [ "$("$bin/qv530ctl" --version)" = "qv530ctl $project_version" ] || fail "qv530ctl --version: $("$bin/qv530ctl" --version)"
    [ "$("$bin/qv530" --version)" = "qv530 $project_version" ] || fail "qv530 --version: $("$bin/qv530" --version)"
    "$bin/qv530" --help | grep -q -- '--demo' || fail "qv530 --help does not name --demo"
    "$bin/qv530ctl" defaults "$work/factory.bin" >/dev/null || fail "qv530ctl defaults"
    [ "$(stat -c %s "$work/factory.bin")" -eq 1885 ] || fail "the factory file does not have 1885 bytes"
    echo "installed qv530ctl and qv530 answer --version $project_version; defaults wrote 1885 bytes"

    wait_for() { # seconds command...
        local limit=$1; shift
        for _ in $(seq $((limit * 10))); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
        return 1
    }
    exec 3<>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
    "$bin/qv530" --demo >"$work/qv530.log" 2>&1 &
    pids+=($!)
    window_shown() { [ -n "$(xdotool search --onlyvisible --name '^QV530-10800rad$' 2>/dev/null | head -n1)" ]; }
    wait_for 30 window_shown || { tail -n 20 "$work/qv530.log"; fail "the installed qv530 --demo showed no window"; }
    sleep 1
    ! grep -m3 'Skin picture missing' "$work/qv530.log" || fail "the installed program does not find its skins"
    import -window root "$work/installed-window.png"
    colours=$(convert "$work/installed-window.png" -format '%k' info:)
    [ "$colours" -gt 50 ] || fail "the window is nearly blank ($colours colours)"
    echo "the installed qv530 --demo shows its skinned window ($colours colours)"
    ;;
*)
    fail "unknown check $check"
    ;;
esac

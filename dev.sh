#!/usr/bin/env bash
# Set-up and build entry point.
#   ./dev.sh run    installs what is missing, builds, starts the program
#   ./dev.sh test   installs what is missing, builds, runs every test
#   ./dev.sh asan   the tests again, built with AddressSanitizer and UBSan
#   ./dev.sh bench  the benchmarks
#   ./dev.sh package  the Debian package, into build/package/
#   ./dev.sh fuzz [TARGET|all] [SECONDS]  the fuzz targets with libFuzzer (clang), 60 s each by default
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
          qt6-base-dev libudev-dev libx11-dev fonts-dejavu-core fonts-wqy-zenhei qt6-translations-l10n
          xvfb xdotool trayer x11-utils imagemagick qt6-wayland weston dbus python3-pyatspi at-spi2-core
          dpkg-dev file lintian appstream desktop-file-utils man-db bash-completion clang
          libglib2.0-dev gsettings-desktop-schemas)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
}

build() { # build-dir [cmake options]
    local dir=$1; shift
    local launcher=()
    # Rebuilds in several checkouts share one compiler cache when there is one.
    if command -v ccache >/dev/null; then
        export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$PWD")} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV530_GUI=ON "${launcher[@]}" "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build build
    shift
    if [ -x build/qv530 ]; then
        exec build/qv530 --demo "$@"
    fi
    # Until the window lands: show the factory configuration.
    home=$(mktemp -d)
    HOME=$home XDG_CONFIG_HOME=$home/.config build/src/cli/qv530ctl defaults "$home/factory.bin"
    exec build/src/cli/qv530ctl dump "$home/factory.bin"
    ;;
test)
    install_missing
    build build -DQV530_WERROR=ON
    tests/run_ctest.sh build
    ;;
asan)
    install_missing
    build build-asan -DQV530_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        tests/run_ctest.sh build-asan -LE e2e
    ;;
fuzz)
    install_missing
    targets=(ini config_file hid_descriptor sysfs macros device_io)
    target=${2:-all}
    seconds=${3:-60}
    if [ "$target" != all ]; then
        [[ " ${targets[*]} " == *" $target "* ]] || { echo "targets: ${targets[*]} (or all)"; exit 2; }
        targets=("$target")
    fi
    build build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DQV530_FUZZ=ON -DQV530_GUI=OFF -DQV530_TESTS=OFF -DQV530_BENCH=OFF
    # New inputs go to build-fuzz/corpus, findings to build-fuzz/findings; the
    # seeds and regressions in fuzz/ are only read.
    failed=0
    for name in "${targets[@]}"; do
        mkdir -p "build-fuzz/corpus/$name" "build-fuzz/findings/$name"
        echo "== fuzz_$name for $seconds s"
        # QV530_FUZZ_RUNS=N: a fixed number of runs instead of a time (CI).
        limit=(-max_total_time="$seconds")
        [ -z "${QV530_FUZZ_RUNS:-}" ] || limit=(-runs="$QV530_FUZZ_RUNS")
        # Scratch files on tmpfs where there is one (the targets save files);
        # mutated inputs stay small, the large regression inputs run whole under CTest.
        [ -d /dev/shm ] && export TMPDIR=/dev/shm
        "build-fuzz/fuzz/fuzz_$name" "${limit[@]}" -max_len=16384 -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="build-fuzz/findings/$name/" \
            "build-fuzz/corpus/$name" "fuzz/corpus/$name" "fuzz/regressions/$name" || failed=1
    done
    exit $failed
    ;;
bench)
    install_missing
    build build
    for b in build/bench/*; do
        if [ -f "$b" ] && [ -x "$b" ]; then "$b"; fi
    done
    bench/footprint.sh build/qv530 build/src/cli/qv530ctl
    ;;
package)
    install_missing
    build build
    (cd build && cpack -G DEB -B package)
    ls build/package/*.deb
    ;;
*)
    sed -n '2,8p' "$0"
    exit 2
    ;;
esac

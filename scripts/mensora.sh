#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine:
#   scripts/mensora.sh run    install what is missing, build, open the window
#   scripts/mensora.sh test   install what is missing, build, run every test
#                             (a release build and a sanitizer build)
#   scripts/mensora.sh fuzz [SECONDS]
#                             build the fuzz targets with clang, then fuzz each for SECONDS
#                             (default 600), growing build/fuzz/corpus/
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    # DXF drawings
    libdxflib-dev
    # Outlines of numbers' strokes drawn wide
    libpolyclipping-dev
    # The formulas of function scales
    libmuparser-dev
    clang-format locales
    # Arial's metrics (Liberation Sans), which the window's fixed layout is measured in
    fonts-liberation2
    # The single-stroke glyphs of the numbers: the library and its font files
    libhersheyfont-dev hershey-fonts-data
)
# Only for `test`:
test_packages=(
    # The real readers of our files (rs274, hp2xx, ezdxf, rsvg-convert) and the drivers that
    # feed them
    python3 linuxcnc-uspace hp2xx python3-ezdxf librsvg2-bin
    # The Debian package: shlibdeps and the desktop entry's check
    dpkg-dev desktop-file-utils
)
# Only for `fuzz`: libFuzzer and the sanitizers' runtime come with clang.
fuzz_packages=(clang libclang-rt-14-dev)

install_missing()
{
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

build()
{
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir" --parallel
}

case "${1:-}" in
run)
    install_missing
    # Warnings stay warnings here (`test` makes them errors in this same folder): a newer
    # compiler than ours must not keep the window from opening.
    build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=OFF
    exec build/release/src/app/mensora
    ;;
test)
    packages=("${packages[@]}" "${test_packages[@]}")
    install_missing
    if command -v clang-format >/dev/null; then
        git ls-files -- '*.cpp' '*.h' | xargs -r clang-format --dry-run -Werror
    fi
    # The build is warning-free; the tests keep it so.
    build build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
    ctest --test-dir build/release --output-on-failure --parallel "$(nproc)"
    build build/sanitize -DCMAKE_BUILD_TYPE=Debug -DMENSORA_SANITIZE=ON \
        -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
    ctest --test-dir build/sanitize --output-on-failure --parallel "$(nproc)"
    ;;
fuzz)
    packages=("${packages[@]}" "${fuzz_packages[@]}")
    install_missing
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DMENSORA_FUZZ=ON
    targets=(number_rules stripe_pattern engraving scale_file)
    cmake --build build/fuzz --parallel --target "${targets[@]/#/fuzz_}"
    for t in "${targets[@]}"; do
        mkdir -p "build/fuzz/corpus/$t"
        build/fuzz/fuzz/fuzz_$t -max_total_time="${2:-600}" -timeout=10 -print_final_stats=1 \
            "build/fuzz/corpus/$t" "fuzz/corpus/$t"
    done
    ;;
*)
    echo "usage: $0 run|test|fuzz [SECONDS]" >&2
    exit 2
    ;;
esac

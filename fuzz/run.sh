#!/usr/bin/env bash
# Builds the TGA and BMP fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each over a small seed corpus for a fixed number
# of inputs. Usage: fuzz/run.sh [work folder] [runs per target]
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:-$repo/build-fuzz}"
runs="${2:-100000}"
cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [[ -z "$cxx" ]]; then
    echo "fuzz: clang++ not found, skipping" >&2
    exit 77
fi
mkdir -p "$work"

flags=(-std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -fno-omit-frame-pointer -I "$repo")
"$cxx" "${flags[@]}" -o "$work/fuzz_tga" "$repo/fuzz/fuzz_tga.cpp" \
    "$repo/assets/tga.cpp" "$repo/assets/image.cpp"
"$cxx" "${flags[@]}" -o "$work/fuzz_bmp" "$repo/fuzz/fuzz_bmp.cpp" \
    "$repo/assets/bmp.cpp" "$repo/assets/bmp_source.cpp" "$repo/assets/image.cpp"

# Seeds: a few small valid files of each kind for the fuzzer to mutate.
seed() { mkdir -p "$work/$1"; printf "$3" > "$work/$1/$2"; }
tga_head() { # type width height depth
    printf '\\x00\\x00\\x%02x\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x%02x\\x00\\x%02x\\x00\\x%02x\\x00' "$1" "$2" "$3" "$4"
}
seed tga_seeds rgb24 "$(tga_head 2 2 2 24)\x0a\x14\x1e\x01\x02\x03\x04\x05\x06\x07\x08\x09"
seed tga_seeds rgba32 "$(tga_head 2 1 2 32)\x0a\x14\x1e\x28\x01\x02\x03\x04"
seed tga_seeds rgb16 "$(tga_head 2 2 1 16)\xff\x7f\x00\x80"
seed tga_seeds rle24 "$(tga_head 10 4 2 24)\x82\x01\x02\x03\x01\x04\x05\x06\x07\x08\x09\x81\x0a\x0b\x0c"
seed tga_seeds rle32 "$(tga_head 10 3 1 32)\x81\x01\x02\x03\x04\x00\x05\x06\x07\x08"

bmp_info() { # width height bits compression colours-used
    printf '\\x28\\x00\\x00\\x00\\x%02x\\x00\\x00\\x00\\x%02x\\x00\\x00\\x00\\x01\\x00\\x%02x\\x00\\x%02x\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x%02x\\x00\\x00\\x00\\x00\\x00\\x00\\x00' "$1" "$2" "$3" "$4" "$5"
}
seed bmp_seeds dib24 "$(bmp_info 3 2 24 0 0)\x01\x02\x03\x04\x05\x06\x07\x08\x09\x00\x00\x00\x0b\x0c\x0d\x0e\x0f\x10\x11\x12\x13\x00\x00\x00"
seed bmp_seeds dib8 "$(bmp_info 2 2 8 0 2)\x00\x00\xff\x00\xff\x00\x00\x00\x00\x01\x00\x00\x01\x00\x00\x00"
seed bmp_seeds dib4 "$(bmp_info 3 1 4 0 2)\x00\x00\xff\x00\xff\x00\x00\x00\x01\x10\x00\x00"
seed bmp_seeds dib1 "$(bmp_info 9 1 1 0 0)\x00\x00\x00\x00\xff\xff\xff\x00\xa5\x80\x00\x00"
seed bmp_seeds rle8 "$(bmp_info 4 2 8 1 2)\x00\x00\xff\x00\xff\x00\x00\x00\x03\x01\x00\x00\x00\x03\x00\x01\x01\x00\x00\x01"
seed bmp_seeds rle4 "$(bmp_info 4 2 4 2 2)\x00\x00\xff\x00\xff\x00\x00\x00\x04\x01\x00\x00\x00\x02\x01\x01\x00\x02\x01\x00\x00\x01"
seed bmp_seeds file24 "BM\x3e\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00$(bmp_info 2 2 24 0 0)\x01\x02\x03\x04\x05\x06\x00\x00\x07\x08\x09\x0a\x0b\x0c\x00\x00"
seed bmp_seeds core8 "\x0c\x00\x00\x00\x02\x00\x01\x00\x01\x00\x08\x00\x00\x00\xff\xff\x00\x00\x00\x01\x00\x00"
seed bmp_seeds fields16 "$(bmp_info 2 1 16 3 0)\x00\xf8\x00\x00\xe0\x07\x00\x00\x1f\x00\x00\x00\x1f\x00\xe0\x07"

rm -rf "$work/tga_corpus_run" "$work/bmp_corpus_run"
mkdir -p "$work/tga_corpus_run" "$work/bmp_corpus_run"
for target in tga bmp; do
    echo "fuzz: $target, $runs inputs"
    "$work/fuzz_$target" -runs="$runs" -max_len=2048 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$work/${target}_corpus_run" "$work/${target}_seeds" 2> "$work/$target.log" ||
        { tail -40 "$work/$target.log" >&2; exit 1; }
    grep -E "stat::number_of_executed_units|Done" "$work/$target.log" || true
done
echo "fuzz: no fault found"

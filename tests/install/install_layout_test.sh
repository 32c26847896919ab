#!/usr/bin/env bash
# Installs the build into a scratch prefix (cmake --install --prefix) and runs the installed program there on
# the offscreen platform, driven by the clerk plugin: the program must find its data through the link beside
# it, save a typed row into the variable-data file, leave the build's own data.mdb alone, write its journal
# beside the real file, and keep the row across a second install.
# Usage: install_layout_test.sh BUILD_DIR PLUGIN_DIR
set -euo pipefail
build=$1
plugins=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
program_dir=$prefix/lib/receipt
data=$prefix/var/lib/receipt/data.mdb

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

install_prefix() {
    cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
        cat "$work/install.log"
        fail "cmake --install failed"
    }
}

# Runs the installed program through its link in bin/, as the menu entry does; the clerk writes to $1.
run_program() {
    local out=$1 status=0
    env QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 QT_PLUGIN_PATH="$plugins" QT_QPA_GENERIC_PLUGINS=receiptclerk \
        timeout 60 "$prefix/bin/receipt" >"$out" 2>"$out.err" || status=$?
    if [[ $status -ne 0 ]]; then
        cat "$out" "$out.err"
        fail "the installed program ended with $status"
    fi
}

expect_line() {
    grep -qxF "$2" "$1" || {
        cat "$1"
        fail "no line '$2'"
    }
}

install_prefix

# The layout.
[[ -x $program_dir/Receipt && ! -L $program_dir/Receipt ]] || fail "lib/receipt/Receipt is not the program"
[[ -x $program_dir/make-database ]] || fail "lib/receipt/make-database is missing"
[[ $(readlink "$prefix/bin/receipt") == ../lib/receipt/Receipt ]] || fail "bin/receipt does not lead to the program"
[[ $(readlink "$program_dir/data.mdb") == "$data" ]] || fail "lib/receipt/data.mdb does not lead to $data"
[[ -f $data && ! -L $data ]] || fail "no data file at $data"
for file in share/receipt/schema.sql share/applications/com.example.Receipt.desktop \
    share/metainfo/com.example.Receipt.metainfo.xml share/man/man1/receipt.1.gz share/doc/receipt/copyright \
    share/doc/receipt/changelog.gz; do
    [[ -f $prefix/$file ]] || fail "$file is missing"
done
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/com.example.Receipt.png
    [[ $(file -b "$icon") == "PNG image data, $size x $size, 8-bit/color RGBA, non-interlaced" ]] ||
        fail "the ${size}px icon is wrong: $(file -b "$icon")"
done

# SQLite must put its journal beside the real file. Were it to follow the link's name instead, it would meet
# this folder where it wants to create lib/receipt/data.mdb-journal, and the save would fail (even as root).
mkdir "$program_dir/data.mdb-journal"
build_data_before=$(sha256sum "$build/data.mdb" 2>/dev/null || true)
data_before=$(sha256sum <"$data")
program_files_before=$(ls -A "$program_dir")

RECEIPT_CLERK_ROW="园服费|85.5" run_program "$work/first.txt"
expect_line "$work/first.txt" "clerk: program $program_dir/Receipt"
expect_line "$work/first.txt" "clerk: row 园服费|85.5"

[[ $(sha256sum <"$data") != "$data_before" ]] || fail "the saved row did not reach $data"
[[ $(sha256sum "$build/data.mdb" 2>/dev/null || true) == "$build_data_before" ]] ||
    fail "the installed program wrote to the build's data.mdb"
[[ $(ls -A "$program_dir") == "$program_files_before" ]] || fail "the program folder changed: $(ls -A "$program_dir")"
[[ ! -e $data-journal ]] || fail "a journal was left beside $data"

# Installing again keeps the data; the program started afresh shows the row from the file.
install_prefix
RECEIPT_CLERK_ROW='' run_program "$work/second.txt"
expect_line "$work/second.txt" "clerk: row 园服费|85.5"
echo "install layout: all checks passed"

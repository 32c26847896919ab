#!/usr/bin/env bash
# Builds the Debian package from this build tree (cpack -G DEB) and inspects it: its file list, dependencies
# and description; lintian, desktop-file-validate and appstreamcli on what it carries; and its maintainer
# scripts, run by dpkg in a throwaway root (dpkg --root with DPKG_ROOT, no chroot) through install, reinstall,
# an upgrade over a data file put in place of the link, removal, install again and purge, with the fee desk's
# data kept until the purge (as root only).
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    fail "cpack failed"
}
deb=$(echo "$work"/out/receipt_*.deb)
[[ -f $deb ]] || fail "cpack made no receipt_*.deb"

# The files: exactly the program, its links, the schema, the menu entry, icons, metadata and documents.
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
./usr/bin/receipt
./usr/lib/receipt/Receipt
./usr/lib/receipt/data.mdb
./usr/lib/receipt/make-database
./usr/share/applications/com.example.Receipt.desktop
./usr/share/doc/receipt/changelog.gz
./usr/share/doc/receipt/copyright
./usr/share/icons/hicolor/128x128/apps/com.example.Receipt.png
./usr/share/icons/hicolor/16x16/apps/com.example.Receipt.png
./usr/share/icons/hicolor/256x256/apps/com.example.Receipt.png
./usr/share/icons/hicolor/32x32/apps/com.example.Receipt.png
./usr/share/icons/hicolor/48x48/apps/com.example.Receipt.png
./usr/share/icons/hicolor/64x64/apps/com.example.Receipt.png
./usr/share/man/man1/receipt.1.gz
./usr/share/metainfo/com.example.Receipt.metainfo.xml
./usr/share/receipt/schema.sql
LIST
diff -u "$work/expected" "$work/files" || fail "the package's file list differs (no data.mdb may ever be in it)"
dpkg-deb -c "$deb" >"$work/listing"
grep -qF './usr/lib/receipt/data.mdb -> /var/lib/receipt/data.mdb' "$work/listing" ||
    fail "the program's data.mdb does not lead to /var/lib/receipt/data.mdb"

# Dependencies: the shared libraries' packages, and what the program loads without linking it.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6gui6 libsqlcipher0 libcups2 libc6 qt6-qpa-plugins fonts-noto-cjk \
    passwd; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done
description=$(dpkg-deb -f "$deb" Description)
[[ $description == *"fee receipt"* && $description == *"收费小票"* ]] ||
    fail "the description is not in English and Chinese: $description"

lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian reports errors or warnings"
dpkg-deb -x "$deb" "$work/files-root"
desktop-file-validate "$work/files-root/usr/share/applications/com.example.Receipt.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$work/files-root/usr/share/metainfo/com.example.Receipt.metainfo.xml" ||
    fail "appstreamcli validate"

# dpkg sets owners and groups as the scripts ask, which needs root; elsewhere the rest is skipped (77).
if [[ $(id -u) -ne 0 ]]; then
    echo "package: the maintainer scripts need root to run; skipped"
    exit 77
fi

# A throwaway root: an empty dpkg database and this machine's accounts without the group the package makes.
root=$work/root
mkdir -p "$root/etc" "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers" \
    "$root/var/log"
touch "$root/var/lib/dpkg/status"
cp /etc/passwd /etc/shadow /etc/login.defs "$root/etc/"
grep -v '^receipt:' /etc/group >"$root/etc/group"
grep -v '^receipt:' /etc/gshadow >"$root/etc/gshadow"

run_dpkg() {
    dpkg --root="$root" --force-script-chrootless --force-depends "$@" >>"$work/dpkg.log" 2>&1 || {
        cat "$work/dpkg.log"
        fail "dpkg $* failed"
    }
}
data=$root/var/lib/receipt/data.mdb
expect_data() {
    [[ -f $data ]] || fail "$1: data.mdb is gone"
    [[ $(cat "$data") == "$2" ]] || fail "$1: data.mdb holds '$(cat "$data")', not '$2'"
}

run_dpkg --install "$deb"
gid=$(awk -F: '$1 == "receipt" { print $3 }' "$root/etc/group")
[[ -n $gid ]] || fail "postinst made no group receipt"
[[ $gid -lt 1000 ]] || fail "the group receipt ($gid) is not a system group"
[[ $(stat -c '%a %u %g' "$root/var/lib/receipt") == "2770 0 $gid" ]] ||
    fail "the data folder is $(stat -c '%a %u %g' "$root/var/lib/receipt")"
[[ $(stat -c '%a %u %g' "$data") == "660 0 $gid" ]] || fail "data.mdb is $(stat -c '%a %u %g' "$data")"
[[ -s $data ]] || fail "postinst made an empty data.mdb"

# The fee desk's own file, as a backup put back by hand with other rights, in place of the made one.
printf "rows of the fee desk" >"$data"
chmod 600 "$data"
run_dpkg --install "$deb"
expect_data "reinstall" "rows of the fee desk"
[[ $(stat -c '%a %g' "$data") == "660 $gid" ]] || fail "reinstall did not give the group write access again"

# A data file put beside the program in place of the link is the one the program used: an upgrade moves it
# to /var/lib/receipt and keeps the earlier one there under a dated name.
rm "$root/usr/lib/receipt/data.mdb"
printf "rows put beside the program" >"$root/usr/lib/receipt/data.mdb"
run_dpkg --install "$deb"
expect_data "upgrade over a file beside the program" "rows put beside the program"
[[ $(cat "$data".2*) == "rows of the fee desk" ]] || fail "the earlier data.mdb was not kept"
[[ $(readlink "$root/usr/lib/receipt/data.mdb") == /var/lib/receipt/data.mdb ]] || fail "the link is not back"

run_dpkg --remove receipt
expect_data "removal" "rows put beside the program"
[[ ! -e $root/usr/lib/receipt/Receipt ]] || fail "removal left the program"
run_dpkg --install "$deb"
expect_data "install after removal" "rows put beside the program"
run_dpkg --purge receipt
[[ ! -e $root/var/lib/receipt ]] || fail "purge left /var/lib/receipt"
echo "package: all checks passed"

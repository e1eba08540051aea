#!/bin/sh
# The release files in dist/: the zip holds exactly the shipped DLL, its
# help page and the licence; the installer is a 32-bit program whose
# version resource names the version, as the DLL's does.
dist=$1
version=$2
export LC_ALL=C
zip="$dist/gen_ZEM-$version.zip"
setup="$dist/gen_ZEM-$version-setup.exe"
status=0
fail() { echo "$*"; status=1; }

listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ') || { echo "cannot read $zip"; exit 1; }
[ "$listing" = "LICENSE.txt gen_ZEM.dll gen_ZEM.html " ] || fail "the zip holds: $listing"
unzip -p "$zip" gen_ZEM.dll | cmp -s - "$dist/gen_ZEM.dll" || fail "the zip's DLL is not dist/gen_ZEM.dll"
unzip -p "$zip" LICENSE.txt | grep -q '^MIT License' || fail "the zip's licence is not the MIT licence"

[ -f "$setup" ] || { echo "no installer $setup"; exit 1; }
i686-w64-mingw32-objdump -f "$setup" | grep -q 'file format pei-i386' || fail "$setup is not a 32-bit program"
# A version resource is UTF-16: each key is followed by its value.
names_version() {
    strings -el "$1" | grep -A1 -x "$2" | tail -n 1 | grep -qx "$version"
}
names_version "$setup" ProductVersion || fail "the installer's version resource does not name $version"
for key in FileVersion ProductVersion; do
    names_version "$dist/gen_ZEM.dll" $key || fail "the DLL's $key does not name $version"
done
[ $status -eq 0 ] && echo "zip: $listing; installer: $setup, version $version; DLL, version $version"
exit $status

#!/bin/sh
# The release files in dist/: the zip holds exactly the shipped DLL, its
# help page, the install note and the licence, both texts with CR LF line
# ends for Notepad, the note in UTF-8 with a byte-order mark; the installer
# is a 32-bit program whose version resource names the version, as the
# DLL's does.
dist=$1
version=$2
export LC_ALL=C
zip="$dist/gen_ZEM-$version.zip"
setup="$dist/gen_ZEM-$version-setup.exe"
status=0
fail() { echo "$*"; status=1; }

listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ') || { echo "cannot read $zip"; exit 1; }
[ "$listing" = "INSTALL.txt LICENSE.txt gen_ZEM.dll gen_ZEM.html " ] || fail "the zip holds: $listing"
unzip -p "$zip" gen_ZEM.dll | cmp -s - "$dist/gen_ZEM.dll" || fail "the zip's DLL is not dist/gen_ZEM.dll"
unzip -p "$zip" LICENSE.txt | grep -q '^MIT License' || fail "the zip's licence is not the MIT licence"
# Every line, the last one too, ends with CR LF, and no CR stands alone.
crlf_only() {
    unzip -p "$zip" "$1" | od -An -tx1 -v | tr -s ' \n' '\n\n' | awk '
        NF == 0 { next }
        ($1 == "0a") != (last == "0d") { bad = 1 }
        { last = $1; n++ }
        END { exit(bad || n == 0 || last != "0a") }'
}
for text in LICENSE.txt INSTALL.txt; do
    crlf_only "$text" || fail "the zip's $text has line ends other than CR LF"
done
note=$(unzip -p "$zip" INSTALL.txt)
[ "$(printf '%s' "$note" | head -c 3 | od -An -tx1 | tr -d ' ')" = efbbbf ] ||
    fail "the zip's INSTALL.txt does not start with the UTF-8 byte-order mark"
printf '%s' "$note" | iconv -f UTF-8 -t UTF-8 >/dev/null 2>&1 || fail "the zip's INSTALL.txt is not UTF-8"
for words in 'Установка' 'Удаление' 'Install' 'Uninstall' 'gen_ZEM.dll' 'Plugins'; do
    printf '%s' "$note" | grep -q "$words" || fail "the zip's INSTALL.txt does not say $words"
done

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
[ $status -eq 0 ] && echo "zip: $listing (texts with CR LF); installer: $setup, version $version; DLL, version $version"
exit $status

#!/bin/sh
# The shipped DLL exports exactly the player's two entries (the plug-in and
# its uninstall) and imports only DLLs that every Windows has (the MinGW
# runtime is linked in), and from them only the functions vetted for
# Windows XP in shipped_imports.txt.
dll=$1
allowed="$(dirname "$0")/shipped_imports.txt"
export LC_ALL=C
dump=$(i686-w64-mingw32-objdump -p "$dll") || { echo "cannot read $dll"; exit 1; }

echo "$dump" | grep -q 'file format pei-i386' || { echo "$dll is not a 32-bit DLL"; exit 1; }

exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p')
expected=$(printf 'winampGetGeneralPurposePlugin\nwinampUninstallPlugin')
if [ "$exports" != "$expected" ]; then
    echo "unexpected exports:"; echo "$exports"; exit 1
fi

imports=$(echo "$dump" | sed -n 's/^[[:space:]]*DLL Name: \(.*\)$/\1/p')
[ -n "$imports" ] || { echo "no import table found"; exit 1; }
status=0
for name in $imports; do
    case $(echo "$name" | tr 'A-Z' 'a-z') in
        kernel32.dll|user32.dll|gdi32.dll|shell32.dll|advapi32.dll|msvcrt.dll|comctl32.dll|ole32.dll|shlwapi.dll) ;;
        *) echo "imports a DLL that a bare Windows may not have: $name"; status=1 ;;
    esac
done

# DLL!Function for every imported function (one imported by ordinal alone
# shows its number, which no line of the list names). The import table ends
# at the next heading, which starts at the line's beginning.
functions=$(echo "$dump" | awk '
    /^[^[:space:]]/ { dll = "" }
    /^[[:space:]]*DLL Name:/ { dll = toupper($3); sub(/\.DLL$/, "", dll) }
    dll != "" && /^\t[0-9a-f]+\t/ { print dll "!" $NF }')
[ -n "$functions" ] || { echo "no imported functions found"; exit 1; }
listed=$(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$allowed" | awk '{ print $1 }') ||
    { echo "cannot read $allowed"; exit 1; }
for function in $functions; do
    echo "$listed" | grep -qxF "$function" || {
        echo "imports $function, which $allowed does not list: vet that Windows XP has it, then add it there"
        status=1
    }
done
[ $status -eq 0 ] && echo "exports: $exports; imports: $(echo $imports), $(echo "$functions" | wc -l) functions, all vetted"
exit $status

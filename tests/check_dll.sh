#!/bin/sh
# The shipped DLL exports exactly the player's entry and imports only DLLs
# that every Windows has (the MinGW runtime is linked in).
dll=$1
export LC_ALL=C
dump=$(i686-w64-mingw32-objdump -p "$dll") || { echo "cannot read $dll"; exit 1; }

echo "$dump" | grep -q 'file format pei-i386' || { echo "$dll is not a 32-bit DLL"; exit 1; }

exports=$(echo "$dump" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
          sed -n 's/^[[:space:]]*\[ *[0-9]*\] \(.*\)$/\1/p')
if [ "$exports" != "winampGetGeneralPurposePlugin" ]; then
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
[ $status -eq 0 ] && echo "exports: $exports; imports: $(echo $imports)"
exit $status

# Sourced: how this machine runs 32-bit (i386) Linux programs, 32-bit Wine
# among them: natively, or handed by binfmt_misc to a user-mode emulator.

zem_binfmt=/proc/sys/fs/binfmt_misc
# The ELF header of an i386 executable or shared object, and the mask that
# leaves out the OS ABI, its version and the low bit of the file type.
zem_i386_magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
zem_i386_mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# ZEM_SETUP_FEIGN names capabilities to take as missing (no-i386, no-root,
# no-binfmt), so that the failure of a machine lacking them can be tested on
# any machine without changing it.
zem_feigned() { [[ " ${ZEM_SETUP_FEIGN:-} " == *" $1 "* ]]; }

# True when a 32-bit program runs here, whichever way.
zem_i386_runs() {
    zem_feigned no-i386 && return 1
    [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version </dev/null >/dev/null 2>&1
}

# The interpreter of the enabled binfmt_misc entry that takes i386 programs;
# empty when there is none.
zem_i386_interpreter() {
    local entry magic
    [ -e "$zem_binfmt/register" ] || return 0
    for entry in "$zem_binfmt"/*; do
        [ -f "$entry" ] && grep -qx enabled "$entry" 2>/dev/null || continue
        magic=$(sed -n 's/^magic //p' "$entry")
        if [ "$magic" = 7f454c4601010100000000000000000002000300 ]; then
            sed -n 's/^interpreter //p' "$entry"
            return 0
        fi
    done
}

# "natively", or "emulated by <interpreter> (<its version>)".
zem_i386_way() {
    local interpreter
    interpreter=$(zem_i386_interpreter)
    if [ -z "$interpreter" ]; then
        echo natively
    else
        echo "emulated by $interpreter ($("$interpreter" --version 2>/dev/null | head -n 1))"
    fi
}

#!/usr/bin/env bash
# Makes this machine run 32-bit programs, which the shipped DLL's tests and
# the demo need (32-bit Wine). Where the kernel cannot (a hypervisor that
# gives its guests no 32-bit user mode), it registers qemu-user's i386
# emulator for them through binfmt_misc. The emulator comes from the
# distribution's backports suite into a cache of the project's own; the
# machine's apt sources stay as they were. Quick when 32-bit programs run.
# Run after setup.sh, which installs 32-bit Wine.
set -euo pipefail
here=$(dirname "$0")
. "$here/i386.sh"

fail() {
    echo "setup: this machine cannot run 32-bit programs, and $*" >&2
    exit 1
}

as_root() {
    if zem_feigned no-root; then return 1; fi
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

if zem_i386_runs; then
    echo "setup: 32-bit programs run $(zem_i386_way)"
    exit 0
fi
as_root true 2>/dev/null ||
    fail "registering an emulator for them needs root (run it as root or with sudo)"
if zem_feigned no-binfmt || { [ ! -e "$zem_binfmt/register" ] &&
        ! as_root mount -t binfmt_misc binfmt_misc "$zem_binfmt" 2>/dev/null; }; then
    fail "the kernel's binfmt_misc, which hands them to an emulator, cannot be mounted at $zem_binfmt"
fi

# The emulator: qemu-user 10 or later, whose static qemu-i386 starts 32-bit
# Wine in about a second (the 7.2 of bookworm itself takes close to a minute).
cache=${XDG_CACHE_HOME:-$HOME/.cache}/gen_ZEM/qemu-user
emulator=$cache/qemu-i386
emulator_is_new() {
    local major
    major=$("$emulator" --version 2>/dev/null | sed -n '1s/^qemu-i386 version \([0-9]*\)\..*/\1/p')
    [ -n "$major" ] && [ "$major" -ge 10 ]
}
if ! emulator_is_new; then
    . /etc/os-release
    suite=${VERSION_CODENAME:?}-backports
    # The mirror is the one this machine takes its distribution from.
    mirror=$(apt-get indextargets --no-release-info --format '$(REPO_URI)' \
        "Release: $VERSION_CODENAME" 'Identifier: Packages' 'Target-Of: deb' | head -n 1)
    [ -n "$mirror" ] || fail "no apt source of $VERSION_CODENAME names a mirror to take qemu-user from"
    echo "setup: fetching qemu-user from $suite into $cache"
    rm -rf "$cache" && mkdir -p "$cache/apt/lists/partial" "$cache/apt/archives/partial"
    echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror $suite main" \
        >"$cache/apt/sources.list"
    apt_private=(-o "Dir::Etc::SourceList=$cache/apt/sources.list" -o Dir::Etc::SourceParts=-
                 -o "Dir::State::Lists=$cache/apt/lists" -o "Dir::Cache=$cache/apt"
                 -o APT::Sandbox::User=root)
    apt-get -q "${apt_private[@]}" update >&2 ||
        fail "apt could not read $suite"
    (cd "$cache" && apt-get -q "${apt_private[@]}" download "qemu-user/$suite" >&2) ||
        fail "apt could not fetch qemu-user from $suite"
    dpkg-deb --fsys-tarfile "$cache"/qemu-user_*.deb | tar -x -O ./usr/bin/qemu-i386 >"$emulator"
    chmod 755 "$emulator"
    rm -rf "$cache/apt" "$cache"/qemu-user_*.deb
    emulator_is_new || fail "the qemu-i386 from $suite is not version 10 or later"
fi

# F: the kernel opens the emulator now, so it serves every mount namespace
# and chroot, and goes on serving when the cache is removed.
if [ -e "$zem_binfmt/qemu-i386" ]; then
    echo -1 | as_root tee "$zem_binfmt/qemu-i386" >/dev/null
fi
printf ':qemu-i386:M::%s:%s:%s:F\n' "$zem_i386_magic" "$zem_i386_mask" "$emulator" |
    as_root tee "$zem_binfmt/register" >/dev/null ||
    fail "binfmt_misc refused to register $emulator"
zem_i386_runs || fail "they do not run under $emulator either"
echo "setup: 32-bit programs run $(zem_i386_way)"

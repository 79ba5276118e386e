#!/bin/sh
# Makes 32-bit Wine runnable on this Debian machine, as root, once wine32:i386 is installed. Where
# the kernel runs 32-bit x86 code, Wine needs nothing more. Elsewhere it runs under qemu-i386 from
# qemu-user 10 or newer (older ones cannot map what Wine needs): the release's own package where
# it is that new (Debian 13), else the one from the release's backports suite (Debian 12), taken
# from the mirror that apt already uses for the release.
set -eu

if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "The kernel runs 32-bit x86 code: 32-bit Wine needs no emulator."
    exit 0
fi

# The major version in "qemu-i386 version 10.0.2" or in apt's "Candidate: 1:10.0.2+ds-1".
major() {
    sed -n 's/.*\(version\|Candidate:\) \([0-9]*:\)\{0,1\}\([0-9][0-9]*\)\..*/\3/p' | head -n 1
}
installed=$(qemu-i386 --version 2>/dev/null | major || true)
if [ "${installed:-0}" -ge 10 ]; then
    echo "The kernel runs no 32-bit x86 code; qemu-i386 $installed runs 32-bit Wine."
    exit 0
fi

. /etc/os-release
candidate=$(apt-cache policy qemu-user | major)
if [ "${candidate:-0}" -ge 10 ]; then
    echo "The kernel runs no 32-bit x86 code: installing qemu-user $candidate from $VERSION_CODENAME."
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends qemu-user
    exit 0
fi

# The first source that serves the release itself, from deb822 files (comment lines skipped) or
# one-line ones: its first URI and, in deb822, its Signed-By.
source=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v release="$VERSION_CODENAME" '
    function stanza() {
        if (!found && types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " release " ") && uris != "") {
            split(uris, uri, " ")
            print uri[1], keys
            found = 1
            exit
        }
        types = suites = uris = keys = ""
    }
    /^#/ { next }
    /^[ \t]*$/ { stanza(); next }
    {
        field = tolower($1)
        $1 = ""
        sub(/^ +/, "")
        if (field == "types:") types = $0
        else if (field == "suites:") suites = $0
        else if (field == "uris:") uris = $0
        else if (field == "signed-by:") keys = $0
    }
    END { stanza() }')
if [ -z "$source" ]; then
    source=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | awk -v release="$VERSION_CODENAME" '
        $1 == "deb" {
            i = 2
            if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
            if ($(i + 1) == release) { print $i; exit }
        }')
fi
if [ -z "$source" ]; then
    echo "No apt source serves $VERSION_CODENAME: install qemu-user 10 or newer by hand." >&2
    exit 1
fi
mirror=${source%% *}
keys=${source#"$mirror"}
keys=${keys# }

echo "The kernel runs no 32-bit x86 code: installing qemu-user from $VERSION_CODENAME-backports on $mirror."
{
    printf 'Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\n' "$mirror" "$VERSION_CODENAME"
    [ -z "$keys" ] || printf 'Signed-By: %s\n' "$keys"
} >/etc/apt/sources.list.d/backports.sources
apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    -t "$VERSION_CODENAME-backports" qemu-user

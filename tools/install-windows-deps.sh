#!/usr/bin/env bash
# Installs what the Windows build and its Wine run need, and only what is missing: Debian's
# mingw-w64 cross compilers for both targets, Wine for 64 and 32 bits (the latter needs the
# i386 architecture), and Debian's source lists, so `apt-get source` can fetch the libraries
# that Debian does not ship built for mingw.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

packages=(
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine wine64 wine32:i386
    googletest cmake dpkg-dev
)
need_update=no

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "Adding the i386 architecture (for wine32)"
    $sudo dpkg --add-architecture i386
    need_update=yes
fi

if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list 2>/dev/null; then
    echo "Adding Debian's source lists"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
        $sudo tee /etc/apt/sources.list.d/zalvo-deb-src.sources >/dev/null
    need_update=yes
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] || [ "$need_update" = yes ]; then
    $sudo apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing Debian packages: ${missing[*]}"
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Wine runs 32-bit programs with a 32-bit Linux loader. A kernel without 32-bit support
# (IA-32 emulation switched off, as on some virtual machines) runs that loader under
# qemu-user, registered with binfmt_misc.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    exit 0
fi
if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q "install ok installed"; then
    echo "Installing qemu-user-static: this kernel runs no 32-bit programs"
    $sudo apt-get install -y -qq --no-install-recommends qemu-user-static
fi
binfmt=/proc/sys/fs/binfmt_misc
if [ ! -e "$binfmt/register" ]; then
    $sudo mount -t binfmt_misc binfmt_misc "$binfmt"
fi
if ! grep -qs qemu-i386 "$binfmt"/*; then
    echo "Registering qemu-i386 for 32-bit programs"
    # Debian registers no qemu for i386 on amd64, where the kernel normally runs it itself.
    # The fields: name, magic type, offset, the ELF header of an i386 program and its mask,
    # the interpreter, and F (opened now, so it serves any mount namespace).
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":zalvo-qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | $sudo tee "$binfmt/register" >/dev/null
fi
/usr/lib/wine/wine --version >/dev/null

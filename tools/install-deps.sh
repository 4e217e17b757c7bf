#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those that are missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg-dev
    googletest libgtest-dev libgmock-dev
    libxml2-dev libxml2-utils
    libktoblzcheck1-dev
    qt6-translations-l10n
    clang libclang-rt-dev
    fonts-dejavu-core
    # Liberation Sans: the window face where Windows' own sans serif faces are missing.
    fonts-liberation2
)
if [ "${1:-}" = "--gui" ]; then
    packages+=(xvfb xauth qt6-qpa-plugins)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Installs what building and running the editor needs and, with --tests, what the tests need too;
# nothing when all of it is there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev libgl-dev
    fonts-liberation2 fonts-urw-base35 fonts-dejavu-core
)
if [[ ${1:-} == --tests ]]; then
    packages+=(
        python3 libbenchmark-dev
        xvfb xdotool imagemagick procps
        wamerican wngerman wfrench wspanish witalian wdutch
        wdanish wnorwegian wswedish wpolish wportuguese
    )
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root, or install them with apt-get." >&2
    exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"

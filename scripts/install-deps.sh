#!/usr/bin/env bash
# Installs what building, running and testing Vintora needs on Debian 12.
# Runs as root without prompts and skips packages that are already there.
set -euo pipefail

packages=(
    build-essential cmake
    qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-httpserver-dev qt6-websockets-dev libgl-dev
    # Qt SQL's SQLite driver, which keeps the past draws
    libqt6sql6-sqlite
    # Boost.Math's binomial distribution sets a back-test beside chance (headers only)
    libboost-math-dev
    # Qt Charts' CMake files need Qt OpenGL's, which its package does not pull in.
    libqt6opengl6-dev
    # workbooks whose cells are text, so spreadsheets keep 0267's zero
    libxlsxwriter-dev
    fonts-noto-cjk qt6-translations-l10n
    xvfb xdotool imagemagick
    # the screenshot of the record of bets writes its store with it
    sqlite3
    # the install test's validators; dpkg-shlibdeps for `cpack -G DEB`
    desktop-file-utils appstream dpkg-dev file
    # the history window's test reads its workbook back
    unzip
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

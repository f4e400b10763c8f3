#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the package (scripts/package.sh, whose
# run-time dependencies dpkg-shlibdeps from dpkg-dev works out, with file) need, where they are
# missing.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev
  shared-mime-info desktop-file-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  libnlopt-cxx-dev
  libboost-dev
  libwebp-dev webp poppler-utils
  fonts-liberation
  clang libclang-rt-dev
  dpkg-dev file
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "==> The packages the build needs are installed" >&2
  exit 0
fi

echo "==> Installing the packages the build needs: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"

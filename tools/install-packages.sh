#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# and only those that are missing, so a warm machine skips apt entirely.
# Extra packages for one target (the fuzzer's clang) come as arguments.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev libsqlite3-dev sqlite3
  libpoppler-qt6-dev libzip-dev libxlsxwriter-dev
  libpq-dev postgresql
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth fonts-liberation2
  dpkg-dev file lintian desktop-file-utils appstream man-db
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  apt_get=(apt-get)
elif command -v sudo >/dev/null 2>&1; then
  apt_get=(sudo apt-get)
else
  echo "error: these packages are missing and neither root nor sudo is available to install them:" >&2
  echo "  ${missing[*]}" >&2
  echo "Install them as root with: apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${apt_get[@]}" update -qq
"${apt_get[@]}" install -y -qq --no-install-recommends "${missing[@]}"

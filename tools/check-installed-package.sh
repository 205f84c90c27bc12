#!/usr/bin/env bash
# Run by hand, as root, on a Debian 12 machine without velmora installed:
# installs build/velmora_*_amd64.deb (make deb), starts velmora under Xvfb as
# a throw-away ordinary user, who gets the reference database in their own
# data folder and decodes the window's number, checks velmora-decode on that
# database, then removes the package and checks that none of its files is
# left while the user's database stays. The user is deleted at the end.
# Screenshots of the main window and the About box go to SHOT_FOLDER
# (default: a new temporary folder, printed at the end).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
user=velmora-check
shots=${1:-$(mktemp -d)}

[[ $(id -u) -eq 0 ]] || { echo "error: run as root (sudo $0)" >&2; exit 1; }
debs=("$root"/build/velmora_*_amd64.deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || { echo "error: make deb first (one build/velmora_*_amd64.deb)" >&2; exit 1; }
deb=${debs[0]}
if dpkg-query -W -f='${Status}' velmora 2>/dev/null | grep -q 'ok installed'; then
  echo "error: velmora is installed already; this check removes it at the end, so remove it first" >&2
  exit 1
fi
if id "$user" >/dev/null 2>&1; then echo "error: user $user exists already" >&2; exit 1; fi
bash "$root/tools/install-packages.sh" imagemagick xdotool openbox

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cleanup() {
  if dpkg-query -W -f='${Status}' velmora 2>/dev/null | grep -q 'ok installed'; then dpkg -r velmora >/dev/null; fi
  if id "$user" >/dev/null 2>&1; then userdel -r "$user" 2>/dev/null || true; fi
}
trap cleanup EXIT

echo "== installing $(basename "$deb")"
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
dpkg-query -W -f='installed ${Package} ${Version}\n' velmora
files=$(dpkg -L velmora | while read -r path; do [[ -d $path ]] || echo "$path"; done)
echo "$files"

useradd --create-home --shell /bin/bash "$user"
home=$(getent passwd "$user" | cut -d: -f6)
database="$home/.local/share/Velmora/CaseNumber.db"

# What the user does: start the program from the menu's command, press
# Enter on the number the window offers, open the About box.
session() {
  set -euo pipefail
  openbox >/dev/null 2>&1 &
  sleep 1
  velmora >"$HOME/velmora.log" 2>&1 &
  local program=$!
  local main about
  main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmora$' | head -1)
  xdotool windowactivate --sync "$main" mousemove --window "$main" 280 37 click 1 # Button2, "Расшифровать"
  sleep 1
  import -frame -window "$main" "$HOME/main-window.png"
  xdotool windowactivate --sync "$main" mousemove --window "$main" 178 291 click 1 # the arrow of Button1
  sleep 1
  xdotool key Down Return
  about=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmora 1.0$' | head -1)
  sleep 1
  import -frame -window "$about" "$HOME/about.png"
  xdotool windowactivate --sync "$about" key Escape
  sleep 1
  kill "$program"
  wait "$program" 2>/dev/null || true
  kill %1 2>/dev/null || true
}

echo "== velmora started by $user under Xvfb"
runuser -u "$user" -- env HOME="$home" \
  xvfb-run -a -s '-screen 0 1024x768x24 -dpi 96' bash -c "$(declare -f session); session" \
  || fail "the window session did not finish"
mkdir -p "$shots"
cp "$home/main-window.png" "$home/about.png" "$shots/" 2>/dev/null || fail "no screenshots were taken"
[[ -s "$home/velmora.log" ]] && { echo "velmora printed:"; cat "$home/velmora.log"; }

if [[ -f "$database" ]]; then
  echo "database made: $(stat -c '%n, owner %U, %s bytes' "$database")"
  [[ $(stat -c %U "$database") == "$user" ]] || fail "the database does not belong to $user"
else
  fail "no database at $database"
fi
[[ ! -e /usr/bin/CaseNumber.db ]] || fail "a database appeared in /usr/bin"

echo "== velmora-decode run by $user"
decoded=$(runuser -u "$user" -- env HOME="$home" velmora-decode "A40-1234/08-101-503") || fail "velmora-decode exit status $?"
echo "$decoded" | head -2
grep -qx 'Название суда: Арбитражный суд города Москвы' <<<"$decoded" || fail "velmora-decode did not name the court"

echo "== removing the package"
dpkg -r velmora >/dev/null
left=$(while read -r path; do [[ -e $path || -L $path ]] && echo "$path"; done <<<"$files" || true)
if [[ -n "$left" ]]; then fail "left behind by dpkg -r: $left"; else echo "no file of the package is left"; fi
dpkg-query -W -f='${Status}\n' velmora 2>/dev/null | grep -q 'ok installed' && fail "velmora is still installed"
[[ -f "$database" ]] && echo "the user's database stays: $database" || fail "dpkg -r took the user's database"

echo "screenshots: $shots"
if [[ $failures -gt 0 ]]; then echo "$failures check(s) failed"; exit 1; fi
echo "install check passed"

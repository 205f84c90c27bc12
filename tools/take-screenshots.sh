#!/usr/bin/env bash
# Takes the README's screenshots from the real program under Xvfb, over the
# database of tools/screenshot-database.sql. The program runs from a copy in
# a temporary folder, so the CaseNumber.db of the build is never touched.
# Installs what it needs beyond the build: imagemagick, xdotool, openbox.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
binary="$root/build/src/velmora"
[[ -x "$binary" ]] || { echo "error: build the program first (make build)" >&2; exit 1; }

if [[ "${1:-}" != "--inside-xvfb" ]]; then
  bash "$root/tools/install-packages.sh" imagemagick xdotool openbox
  exec xvfb-run -a -s '-screen 0 1024x768x24 -dpi 96' "$0" --inside-xvfb
fi

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$binary" "$work/velmora"
sqlite3 "$work/CaseNumber.db" < "$root/tools/screenshot-database.sql"

openbox >/dev/null 2>&1 &
sleep 1
"$work/velmora" >/dev/null 2>&1 &
sleep 2

window_named() { xdotool search --sync --onlyvisible --name "^$1\$" | head -1; }
# Clicks at a point of a window's client area.
click_in() {
  xdotool windowactivate --sync "$1" mousemove --window "$1" "$2" "$3" click 1
  sleep 1
}
shoot() { import -frame -window "$1" "$root/docs/$2"; }

main=$(window_named Velmora)
click_in "$main" 280 37 # Button2, "Расшифровать"
shoot "$main" main-window.png

# The editor after a click on court А40 and on its first composition.
click_in "$main" 90 291 # Button1, "Структура судов"
editor=$(window_named 'Структура данных арбитражных судов')
click_in "$editor" 57 50   # DBGrid1, first court
click_in "$editor" 57 203  # DBGrid2, first composition
click_in "$editor" 460 50  # DBGrid3, first division
shoot "$editor" editor.png

click_in "$editor" 579 322 # Button9, change the division
dialog=$(window_named 'Редактирования отделения')
shoot "$dialog" division-dialog.png
xdotool windowactivate --sync "$dialog" key Escape
sleep 1

click_in "$editor" 675 322 # Button8, delete the division
question=$(window_named 'Удаление записи')
shoot "$question" delete-question.png
xdotool windowactivate --sync "$question" key Escape
sleep 1

click_in "$main" 178 291 # the arrow of Button1
xdotool key Down Return
sleep 1
about=$(window_named 'Velmora 1.0')
shoot "$about" about.png
xdotool windowactivate --sync "$about" key Escape
sleep 1

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
  exec xvfb-run -a -s '-screen 0 1280x800x24 -dpi 96' "$0" --inside-xvfb
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
xdotool key Down Down Return # past «Расшифровать список…» to «О программе»
sleep 1
about=$(window_named 'Velmora 1.0')
shoot "$about" about.png
xdotool windowactivate --sync "$about" key Escape
sleep 1

# The list window over a lawyer's letter, opened through «Открыть…».
cp "$root/tools/screenshot-letter.txt" "$work/Письмо о ходе дел.txt"
xdotool windowactivate --sync "$main" key ctrl+l
sleep 1
list=$(window_named 'Список номеров дел')
xdotool windowsize --sync "$list" 1270 470 # sizeable: wide enough for the status column
click_in "$list" 149 20 # OpenButton, «Открыть…»
chooser=$(window_named 'Открыть документы')
# A busy machine paints the dialog late and drops what is typed before: try again until it closes.
for _ in 1 2 3 4 5; do
  sleep 2
  xdotool windowactivate --sync "$chooser" key ctrl+a type --delay 20 "$work/Письмо о ходе дел.txt"
  sleep 1
  xdotool key Return
  sleep 2
  xdotool search --onlyvisible --name '^Открыть документы$' >/dev/null || break
done
sleep 2 # the reading done and the table drawn
shoot "$list" case-list.png

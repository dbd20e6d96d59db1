#!/usr/bin/env bash
# Checks the house style without changing anything:
#  - every C++ file of the program, its tools, tests and benchmarks is formatted with the
#    repo's .clang-format (fix with: clang-format -i FILE);
#  - the core folders (engine/, questions/, common/, learning/) include no Qt widget, window or
#    painting header, so they stay usable and testable without a display;
#  - every include goes down the folders' layers (--self-test checks the check itself);
#  - every Japanese text of the program goes through Qt's translation and the English
#    translation is complete (scripts/check-translations.py).
# Exits 1 and names the files when something is off.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0

# Every C++ file we write; the code page table is generated (tools/cp932gen) and kept as made.
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.c' ':!:common/Cp932Table.cpp' ':!:resources/*')
if ((${#files[@]})); then
  if ! clang-format --dry-run -Werror "${files[@]}" 2>/tmp/check-style.$$; then
    grep -o '^[^:]*:[0-9]*:[0-9]*: error' /tmp/check-style.$$ | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
    status=1
  fi
  rm -f /tmp/check-style.$$
fi

core=()
for d in engine questions common learning; do
  [ -d "$d" ] && core+=("$d")
done
# Qt Widgets, Charts and anything drawn on a screen belong in the screens, not in the rules.
pattern='^\s*#\s*include\s*[<"](QtWidgets/|QtCharts/|QtOpenGL|QtPrintSupport/)?(Q(Widget|Application|MainWindow|Dialog|Label|PushButton|LineEdit|RadioButton|CheckBox|ComboBox|GroupBox|Frame|MessageBox|Layout|HBoxLayout|VBoxLayout|GridLayout|ScrollArea|Menu|MenuBar|Action|ProgressBar|SpinBox|Slider|TableWidget|TableView|ListWidget|ListView|TreeView|Style|StyleOption|GraphicsView|GraphicsScene|Chart|ChartView|Painter|Pixmap|Image|Icon|Screen|Window|GuiApplication|KeyEvent|MouseEvent|PaintEvent)\b|QtWidgets|QtCharts|QtGui)'
if ((${#core[@]})); then
  if hits=$(git grep -nE "$pattern" -- "${core[@]}"); then
    echo "$hits" | sed 's/^/widget header in the core: /'
    status=1
  fi
fi

# Folders form layers, bottom first: a folder includes its own folder and lower layers only,
# never a folder above it or beside it on its layer (docs/ARCHITECTURE.md). tools/, tests/ and
# bench/ stand outside the order.
layers=(
  "platform/core"
  "engine platform/audio"
  "questions"
  "common"
  "learning net"
  "classroom"
  "platform/widgets"
  "play"
  "training stats"
  "practice timetrial derby classui"
  "netui"
  "shell"
  "app"
)
# check_direction reads "file:line:#include "x/y.h"" lines and names each that goes the wrong way.
check_direction() {
  awk -v order="$(printf '%s\n' "${layers[@]}")" '
    function folder(path, parts) {
      split(path, parts, "/")
      return parts[1] == "platform" && parts[3] != "" ? parts[1] "/" parts[2] : parts[1]
    }
    BEGIN {
      n = split(order, rows, "\n")
      for (i = 1; i <= n; i++) { m = split(rows[i], names, " "); for (j = 1; j <= m; j++) layer[names[j]] = i }
    }
    match($0, /#[ \t]*include[ \t]*"[^"]+"/) {
      file = substr($0, 1, index($0, ":") - 1)
      target = substr($0, RSTART, RLENGTH); sub(/^#[ \t]*include[ \t]*"/, "", target); sub(/"$/, "", target)
      from = folder(file); to = folder(target)
      if (from == to || !(from in layer) || !(to in layer)) next
      if (layer[to] >= layer[from]) {
        printf "include against the layers: %s includes %s (%s may use only folders below it)\n", file, target, from
        bad = 1
      }
    }
    END { exit bad }'
}
if [ "${1:-}" = "--self-test" ]; then
  # An engine file that reached up to the main menu must be caught; a screen using the core not.
  if echo 'engine/TypingJudge.cpp:3:#include "shell/MainMenu.h"' | check_direction >/dev/null &&
     ! echo 'practice/PracticeScreen.cpp:3:#include "common/GameState.h"' | check_direction >/dev/null; then
    echo "direction check: self-test failed"
    exit 1
  fi
  echo "direction check: self-test ok"
  exit 0
fi
mapfile -t program < <(git ls-files -- '*.cpp' '*.h' | grep -vE '^(tools|tests|bench|resources)/')
if ((${#program[@]})); then
  check_direction < <(grep -nE '^\s*#\s*include\s*"' "${program[@]}") || status=1
fi

scripts/check-translations.py || status=1

[ $status -eq 0 ] && echo "style: ok"
exit $status

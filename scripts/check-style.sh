#!/usr/bin/env bash
# Checks the house style without changing anything:
#  - every C++ file of the program, its tools, tests and benchmarks is formatted with the
#    repo's .clang-format (fix with: clang-format -i FILE);
#  - the core folders (engine/, questions/, common/, learning/) include no Qt widget, window or
#    painting header, so they stay usable and testable without a display.
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

[ $status -eq 0 ] && echo "style: ok"
exit $status

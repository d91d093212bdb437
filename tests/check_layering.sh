#!/usr/bin/env bash
# Includes point one way. The per-library include roots already stop a wrong-way
# include of another folder; this also catches what they cannot: widgets in the
# widget-free layers (chromik-ctl among them: it runs without a display) and includes
# that climb out of a folder with "..".
set -euo pipefail
src=$1/src
status=0
report() { echo "$1"; status=1; }
while IFS= read -r hit; do report "relative include: $hit"; done \
  < <(grep -rnE '#include\s*"\.\./' "$src" "$1/sim" || true)
for layer in core link files ctl; do
  while IFS= read -r hit; do report "widgets in $layer: $hit"; done \
    < <(grep -rnE '#include\s*[<"](Qt(Widgets|Gui|PrintSupport)/|ui_|ui/|qcustomplot|Q(Widget|Application|Label|LineEdit|ComboBox|Dialog|Cursor|Color|Painter|PushButton|TableWidget)[>"])' \
          "$src/$layer" || true)
done
exit $status

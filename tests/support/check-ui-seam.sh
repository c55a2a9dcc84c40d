#!/bin/sh
# Fails when code outside the Ui seam shows a message box or a file dialog itself.
src=${1:?source folder}
hits=$(grep -rnE 'QMessageBox::|QFileDialog::get|QInputDialog::' "$src" --include='*.cpp' --include='*.h' \
       | grep -v "^$src/platform/gui/QtUi\.cpp:")
if [ -n "$hits" ]; then
  echo "direct dialogs outside platform/gui/QtUi.cpp:"
  echo "$hits"
  exit 1
fi
exit 0

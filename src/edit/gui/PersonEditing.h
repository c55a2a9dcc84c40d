#pragma once

#include <QSqlDatabase>
#include <QString>
#include <optional>

class QWidget;

namespace kvam {

class TfrmPersonInfoAddon;

// The main window's "编  辑": minimises mainWindow (when given), reads the
// record with the identity number currentZjhm into CurGrxx ("读取个人信息失败!"
// on a database failure), shows the person editor on db with the wizard,
// and restores mainWindow. currentZjhm is the z_zjhm under the grid cursor
// while the record query is open (an empty text for an empty result), none
// while it is closed. True when the editor saved and the record query is
// open: the grid must be refreshed.
bool editCurrentRecord(QWidget *mainWindow, QSqlDatabase db, TfrmPersonInfoAddon &wizard,
                       const std::optional<QString> &currentZjhm);

} // namespace kvam

#pragma once

#include <functional>

class QWidget;

// The main window's 导出 (acExport) and 导入 (acImport). Both hand the
// database to a worker: closeAllDataSet must close every dataset and the main
// connection first (TDataM::CloseAllDataSet), setUpAgain reconnects and sets
// the main window up again afterwards (TDataM reconnect, TfrmMain::FormShow).
namespace kvam {

using DataModuleStep = std::function<void()>;

// Asks, lets the user name the package, exports it behind the wait window and
// tells how it went.
void acExportExecute(const DataModuleStep &closeAllDataSet, const DataModuleStep &setUpAgain);

// Shows the import chooser and imports the chosen packages one after
// another, each behind its own wait window, then tells how it went.
void acImportExecute(QWidget *parent, const DataModuleStep &closeAllDataSet, const DataModuleStep &setUpAgain);

} // namespace kvam

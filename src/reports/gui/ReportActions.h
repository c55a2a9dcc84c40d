#pragma once

class QWidget;

// What the main window's report actions do (acExportToExcelExecute,
// acTransExecute, acAnnounceExecute call these). Each runs on the main thread
// behind the installed progress display and shows its document when done.
namespace kvam {

// 输出到excel: the records of the current condition (querycon.sql) in a new
// workbook, after the notice that a spreadsheet program is needed.
void runExportToExcel();

// 生成情况登记表: asks, then builds the roster of the current condition.
void runTrans();

// 生成任职资格通知: the notice options form, modal, freed when it closes.
void runAnnounce(QWidget *parent);

} // namespace kvam

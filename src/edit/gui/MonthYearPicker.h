#pragma once

#include <QString>

class QDateEdit;
class QFrame;
class QWidget;

namespace kvam {

// A date chosen by month and year only, as the title of a month calendar
// shows it, seen through the small panel panelName. The day the date had
// stays as it was.
QDateEdit *makeMonthYearPicker(QWidget *parent, const QString &name, const QString &panelName, QFrame **panel);

} // namespace kvam

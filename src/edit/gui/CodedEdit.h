#pragma once

#include <QObject>
#include <QPoint>

class QLineEdit;

namespace kvam {

// The key code of Enter as the coded edits see it; a click passes any other.
constexpr int EnterKey = 13;
constexpr int ClickKey = 0;

// Where the code picker opens for a requesting control: just below it.
QPoint pickerPosition(const QWidget *requester);

// The key and click handling of a coded edit: Enter on a filled edit moves
// the focus on; anything else opens the picker for kind with the edit's text
// preset as SelectedName and puts SelectedName back into the edit.
void EditComponentKeyPress(QLineEdit *edit, int key, int kind);

// Makes edit a read-only coded edit of the given pick kind: its typed
// characters and clicks go to EditComponentKeyPress.
void attachCodedEdit(QLineEdit *edit, int kind);

} // namespace kvam

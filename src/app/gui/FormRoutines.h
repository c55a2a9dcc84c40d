#pragma once

#include <QPoint>
#include <QTableView>
#include <utility>

namespace kvam {

// Creates a Form, places its top left corner at screenPos (kept on the
// screen), gives it the tag, shows it modally and destroys it when it closes.
// The form leaves its answer in the globals.
void placeOnScreen(QWidget *form, const QPoint &screenPos);

template <class Form, class... Args>
void ShowModalAt(const QPoint &screenPos, int tag, Args &&...args)
{
    Form form(std::forward<Args>(args)...);
    form.setTag(tag);
    placeOnScreen(&form, screenPos);
    form.exec();
}

// Sizes each column to the larger of its title and its first row's text
// (GBK bytes times 10 pixels).
void AutoFitColumns(QTableView *grid);

} // namespace kvam

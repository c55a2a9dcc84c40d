#pragma once

#include <QString>

// The one way the program talks to the user: message boxes and file choosers.
// The desktop program installs QtUi; tests and kvam-cli install their own.
namespace kvam {

enum class MsgIcon { None, Information, Warning, Error, Question };
enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class Ui {
public:
    virtual ~Ui() = default;

    // Shows a message and returns the button the user chose. Callable from a
    // worker thread: the implementation shows it on the main thread.
    virtual MsgAnswer message(const QString &text, const QString &caption, MsgIcon icon,
                              MsgButtons buttons) = 0;

    // Filters are written as the program states them: "导出文件(*.ps)|*.ps".
    // An empty result means the user cancelled.
    virtual QString openFileName(const QString &filter) = 0;
    virtual QString saveFileName(const QString &filter, const QString &defaultSuffix) = 0;

    // The short warning sound of a refused key.
    virtual void beep() = 0;
};

// The installed implementation; never null once the program or a test started.
Ui &ui();
// Installs ui (not owned) and returns the one it replaces.
Ui *setUi(Ui *ui);

// Plain notices and questions, in the program's captions.
void showMessage(const QString &text, const QString &caption, MsgIcon icon);
bool askYesNo(const QString &text, const QString &caption = QStringLiteral("选择"),
              MsgIcon icon = MsgIcon::Question);

// "名称(*.x)|*.x|…" into the pairs a file dialog wants: ("名称 (*.x)", …).
QStringList qtFiltersOf(const QString &filter);

} // namespace kvam

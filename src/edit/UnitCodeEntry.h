#pragma once

#include <QString>
#include <QStringList>

namespace kvam {

// The forms that take a work unit by its 16-digit code, each with its own
// state for the whole run of the program.
enum class UnitEntryForm { Editor, Report, Report2, Notice };

// Work-unit code entry: the user types a unit code, the form finds its name
// and asks to confirm it. The form shows the messages; this class keeps the
// state and decides.
class UnitCodeEntry {
public:
    explicit UnitCodeEntry(UnitEntryForm form) : m_form(form) {}

    enum class Lookup { AlreadyConfirmed, NotFound, Found };
    struct LookupResult {
        Lookup lookup = Lookup::NotFound;
        QString name; // the unit's name when found
    };

    // Any key other than Enter: the text is no longer a confirmed unit.
    void keyPressed() { UnitConfirmed = false; }
    // Enter or leaving the edit with text in it.
    LookupResult submit(const QString &text);
    // The user answered Yes for code: CurGrxx.z_gzdw takes it, and the
    // report and notice forms take its level (and children).
    void confirm(const QString &code);

    // The four lines shown when a code is not in the table.
    static QString notFoundMessage();
    static QString confirmQuestion(const QString &name);

    bool UnitConfirmed = false;
    // Report and notice forms only.
    QString EnteredUnitCode;
    int EnteredUnitLevel = 0;
    // Notice form only: the confirmed unit's direct children, in table order.
    QStringList ChildUnitCodes;
    QStringList ChildUnitNames;

private:
    UnitEntryForm m_form;
};

// The one state of each form, alive for the program's run.
UnitCodeEntry &unitCodeEntry(UnitEntryForm form);

} // namespace kvam

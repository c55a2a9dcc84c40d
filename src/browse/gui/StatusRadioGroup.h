#pragma once

#include <QGroupBox>
#include <QList>
#include <QPair>

class QButtonGroup;
class QVBoxLayout;

namespace kvam {

// One review flag of the current record as a group of radio buttons, one
// button per row of the flag's status table. Its value is the chosen row's
// code as text, or empty when no button is chosen.
class StatusRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    StatusRadioGroup(const QString &title, QWidget *parent = nullptr);

    // (code, caption) pairs, in the order the buttons are shown.
    void setItems(const QList<QPair<QString, QString>> &items);
    int itemCount() const;

    QString value() const;
    void setValue(const QString &code);
    void setTextColor(const QColor &colour);
    QColor textColor() const;

Q_SIGNALS:
    // The user chose another button.
    void chosen(const QString &code);

private:
    QButtonGroup *m_buttons;
    QVBoxLayout *m_layout;
    QStringList m_codes;
};

} // namespace kvam

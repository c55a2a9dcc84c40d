#include "browse/gui/StatusRadioGroup.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kvam {

StatusRadioGroup::StatusRadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent), m_buttons(new QButtonGroup(this)), m_layout(new QVBoxLayout(this))
{
    m_layout->setContentsMargins(8, 2, 8, 2);
    m_layout->setSpacing(0);
    connect(m_buttons, &QButtonGroup::idClicked, this, [this](int id) { Q_EMIT chosen(m_codes.value(id)); });
}

void StatusRadioGroup::setItems(const QList<QPair<QString, QString>> &items)
{
    for (QAbstractButton *button : m_buttons->buttons()) {
        m_buttons->removeButton(button);
        delete button;
    }
    m_codes.clear();
    for (const auto &[code, caption] : items) {
        auto *button = new QRadioButton(caption, this);
        button->setObjectName(objectName() + QStringLiteral("_") + code);
        m_buttons->addButton(button, static_cast<int>(m_codes.size()));
        m_layout->addWidget(button);
        button->show();
        m_codes << code;
    }
    // Thirty pixels a row for the buttons, and the title line above them.
    setFixedHeight(static_cast<int>(items.size()) * 30 + fontMetrics().height() + 8);
}

int StatusRadioGroup::itemCount() const { return static_cast<int>(m_codes.size()); }

QString StatusRadioGroup::value() const
{
    const int id = m_buttons->checkedId();
    return id < 0 ? QString() : m_codes.value(id);
}

void StatusRadioGroup::setValue(const QString &code)
{
    const qsizetype index = m_codes.indexOf(code);
    if (index >= 0) {
        m_buttons->button(static_cast<int>(index))->setChecked(true);
        return;
    }
    // No button for the value (an unset flag): none is chosen.
    m_buttons->setExclusive(false);
    for (QAbstractButton *button : m_buttons->buttons())
        button->setChecked(false);
    m_buttons->setExclusive(true);
}

void StatusRadioGroup::setTextColor(const QColor &colour)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    p.setColor(QPalette::ButtonText, colour);
    setPalette(p);
}

QColor StatusRadioGroup::textColor() const { return palette().color(QPalette::WindowText); }

} // namespace kvam

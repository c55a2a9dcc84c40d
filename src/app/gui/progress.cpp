#include "app/gui/progress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvam {

TfrmProgress::TfrmProgress(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint),
      m_panel1(new QLabel(this)), m_progressBar1(new QProgressBar(this)),
      m_button1(new QPushButton(QStringLiteral("取消"), this))
{
    setObjectName(QStringLiteral("frmProgress"));
    setModal(false);
    setFixedSize(315, 111);
    setStyleSheet(QStringLiteral("QLabel { color: navy; }"));
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    m_panel1->setAlignment(Qt::AlignCenter);
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setRange(0, 100);
    m_progressBar1->setTextVisible(false);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_panel1);
    layout->addWidget(m_progressBar1);
    layout->addWidget(m_button1, 0, Qt::AlignCenter);
    connect(m_button1, &QPushButton::clicked, this, &TfrmProgress::Button1Click);
}

void TfrmProgress::showEvent(QShowEvent *event)
{
    m_tag = 0;
    QDialog::showEvent(event);
}

bool TfrmProgress::showProgress(int percent, const QString &caption)
{
    if (percent == -1) {
        // A Cancel pressed during the last update of a finished loop must not
        // stop the next one at its first update.
        m_tag = 0;
        hide();
        return false;
    }
    if (m_tag == 1) {
        m_tag = 0;
        return true;
    }
    setWindowTitle(caption);
    m_progressBar1->setValue(percent);
    m_panel1->setText(QString::number(percent) + QLatin1Char('%'));
    show();
    QApplication::processEvents();
    return false;
}

void TfrmProgress::Button1Click()
{
    m_tag = 1;
    hide();
}

int TfrmProgress::position() const { return m_progressBar1->value(); }

QString TfrmProgress::percentText() const { return m_panel1->text(); }

} // namespace kvam

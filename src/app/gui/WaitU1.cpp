#include "app/gui/WaitU1.h"

#include "app/WaitAnimation.h"
#include "app/untGlobal.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace kvam {

namespace {

// The two pictures: a folder of papers being sorted, in two phases.
QPixmap wavePicture(bool odd)
{
    QPixmap pixmap(80, 80);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(odd ? QColor(32, 86, 168) : QColor(214, 158, 46));
    p.drawRoundedRect(QRectF(10, 22, 60, 46), 6, 6);
    p.setBrush(Qt::white);
    const qreal lift = odd ? 0 : 10;
    p.drawRect(QRectF(20, 12 + lift, 40, 30));
    p.setPen(QPen(odd ? QColor(32, 86, 168) : QColor(214, 158, 46), 2));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(25, 20 + lift + i * 7), QPointF(55, 20 + lift + i * 7));
    return pixmap;
}

} // namespace

TWaitForm1::TWaitForm1(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_panel1(new QLabel(QStringLiteral("操作正在执行..."), this)), m_label1(new QLabel(this)),
      m_progressBar1(new QProgressBar(this)), m_timer1(new QTimer(this))
{
    setObjectName(QStringLiteral("WaitForm1"));
    setModal(true);
    // At start-up it is the only window: its closing must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(432, 183);
    setStyleSheet(QStringLiteral("#WaitForm1 { border: 1px solid #6b7f99; background: #f4f6f9; }"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);

    m_panel1->setObjectName(QStringLiteral("panel1"));
    m_panel1->setFixedHeight(49);
    m_panel1->setAlignment(Qt::AlignCenter);
    QFont bold = m_panel1->font();
    bold.setBold(true);
    m_panel1->setFont(bold);
    layout->addWidget(m_panel1);

    auto *middle = new QWidget(this);
    auto *grid = new QGridLayout(middle);
    grid->setContentsMargins(24, 0, 24, 0);
    for (int i = 0; i < 6; ++i) {
        m_images[i] = new QLabel(middle);
        m_images[i]->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        m_images[i]->setFixedSize(80, 80);
        m_images[i]->setPixmap(wavePicture(i % 2 == 0));
        grid->addWidget(m_images[i], 0, i / 2, Qt::AlignCenter);
    }
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setAlignment(Qt::AlignCenter);
    QFont large = m_label1->font();
    large.setBold(true);
    large.setPixelSize(24);
    m_label1->setFont(large);
    m_label1->setStyleSheet(QStringLiteral("color: navy;"));
    m_label1->hide();
    grid->addWidget(m_label1, 0, 0, 1, 3, Qt::AlignCenter);
    layout->addWidget(middle, 1);

    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_progressBar1->setRange(0, 100);
    m_progressBar1->setTextVisible(false);
    m_progressBar1->setFixedHeight(16);
    layout->addWidget(m_progressBar1);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);
    connect(m_timer1, &QTimer::timeout, this, &TWaitForm1::Timer1Timer);
    showPictures(waitPicturesAt(0));
}

void TWaitForm1::showPictures(const WaitPictures &pattern)
{
    const bool odd[3] = {pattern.left, pattern.middle, pattern.right};
    for (int place = 0; place < 3; ++place) {
        m_images[place * 2]->setVisible(odd[place]);
        m_images[place * 2 + 1]->setVisible(!odd[place]);
    }
}

void TWaitForm1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TWaitForm1::FormShow()
{
    m_animStep = 0;
    m_startTime = QDateTime::currentDateTime();
    m_elapsedView = false;
    // ContinueFlag was set to 1 before the worker started: set here, it could
    // undo a stop the worker asked for before the window was up.
    m_pseudoProgress = 0;
    m_progressBar1->setValue(0);
    m_timer1->start();
    if (m_closeRequested)
        QTimer::singleShot(0, this, [this]() { close(); });
}

QString TWaitForm1::elapsedText() const
{
    const qint64 seconds = m_startTime.isValid() ? m_startTime.secsTo(QDateTime::currentDateTime()) : 0;
    return QTime(0, 0).addSecs(static_cast<int>(seconds % 86400)).toString(QStringLiteral("hh:mm:ss"));
}

void TWaitForm1::Timer1Timer()
{
    const bool elapsed = m_elapsedView;
    if (elapsed) {
        QFont font = m_label1->font();
        if (ContinueFlag == 0) {
            font.setPointSize(13);
            m_label1->setText(QStringLiteral("您已经取消操作，正在退出，请等待！"));
        } else {
            font.setPixelSize(24);
            m_label1->setText(elapsedText());
        }
        m_label1->setFont(font);
        m_label1->show();
        for (QLabel *image : m_images)
            image->hide();
    } else {
        m_label1->hide();
        if (m_animStep > 8)
            m_animStep %= 8;
        showPictures(waitPicturesAt(m_animStep % 8));
        ++m_animStep;
    }
    m_progressBar1->setToolTip(QStringLiteral("本次操作已经历时") + elapsedText() + QStringLiteral("(时:分:秒)"));
    m_pseudoProgress = nextPseudoProgress(m_pseudoProgress);
    m_progressBar1->setValue(static_cast<int>(m_pseudoProgress));
}

void TWaitForm1::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_T) {
        m_elapsedView = !m_elapsedView;
    } else if (event->key() == Qt::Key_Escape) {
        m_elapsedView = true;
        ContinueFlag = 0;
    }
}

void TWaitForm1::keyPressEvent(QKeyEvent *event) { FormKeyDown(event); }

// Esc asks the worker to stop; it never closes the window by itself.
void TWaitForm1::reject() {}

void TWaitForm1::setStatus(const QString &text) { m_panel1->setText(text); }

QString TWaitForm1::status() const { return m_panel1->text(); }

int TWaitForm1::progressPosition() const { return m_progressBar1->value(); }

void TWaitForm1::requestClose()
{
    m_closeRequested = true;
    if (isVisible())
        close();
}

void TWaitForm1::FormCloseQuery()
{
    for (int position = m_progressBar1->value(); position <= 100; ++position) {
        m_panel1->setText(QStringLiteral("操作已完成，正在更新系统信息..."));
        m_progressBar1->setValue(position);
        m_panel1->repaint();
        m_progressBar1->repaint();
        QThread::msleep(10);
    }
}

void TWaitForm1::closeEvent(QCloseEvent *event)
{
    if (!m_closeRequested) {
        event->ignore();
        return;
    }
    m_timer1->stop();
    FormCloseQuery();
    event->accept();
    done(QDialog::Accepted);
}

} // namespace kvam

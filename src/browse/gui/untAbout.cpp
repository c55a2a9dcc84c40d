#include "browse/gui/untAbout.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace kvam {

namespace {

// A simple emblem drawn here, so the program carries no picture files.
QPixmap emblem()
{
    QPixmap pixmap(360, 90);
    pixmap.fill(QColor(24, 62, 120));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 170, 60));
    p.drawEllipse(QRectF(18, 15, 60, 60));
    p.setBrush(QColor(24, 62, 120));
    p.drawEllipse(QRectF(30, 27, 36, 36));
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Noto Sans CJK SC"));
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRectF(95, 12, 260, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("职称评审管理系统"));
    QFont sub(title);
    sub.setPixelSize(14);
    sub.setBold(false);
    p.setFont(sub);
    p.drawText(QRectF(95, 50, 260, 28), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Pelandor-评审版"));
    return pixmap;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent), m_version(new QLabel(this))
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(emblem());
    layout->addWidget(picture);

    auto *grid = new QGridLayout;
    auto *versionCaption = new QLabel(QStringLiteral("版本"), this);
    versionCaption->setObjectName(QStringLiteral("Label1"));
    m_version->setObjectName(QStringLiteral("lblVersion"));
    grid->addWidget(versionCaption, 0, 0);
    grid->addWidget(m_version, 0, 1);
    const QStringList lines = {QStringLiteral("版权所有：Norvale省专业技术职务评审办公室"),
                               QStringLiteral("地址：Norvale省北岭市人才大厦八楼"),
                               QStringLiteral("联系电话：0871-6000 0000")};
    for (int i = 0; i < lines.size(); ++i)
        grid->addWidget(new QLabel(lines.at(i), this), i + 1, 0, 1, 2);
    layout->addLayout(grid);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrmAbout::versionText() const { return m_version->text(); }

void TfrmAbout::showEvent(QShowEvent *event)
{
    m_version->setText(QStringLiteral("评审版 V1.0 build081014"));
    QDialog::showEvent(event);
}

} // namespace kvam

#include "edit/gui/PhotoBox.h"

#include <QPainter>

namespace kvam {

PhotoBox::PhotoBox(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
}

void PhotoBox::setPhoto(const QByteArray &jpeg)
{
    m_image = QImage::fromData(jpeg);
    m_bytes = m_image.isNull() ? QByteArray() : jpeg;
    update();
}

void PhotoBox::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, QStringLiteral("双击添加图片"));
    if (!m_image.isNull())
        painter.drawImage(area, m_image);
}

void PhotoBox::mouseDoubleClickEvent(QMouseEvent *) { Q_EMIT doubleClicked(); }

} // namespace kvam

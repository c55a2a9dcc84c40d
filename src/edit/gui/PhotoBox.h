#pragma once

#include <QByteArray>
#include <QFrame>
#include <QImage>

namespace kvam {

// A picture shown stretched over the box, with "双击添加图片" behind it.
// Holds the picture's JPEG bytes; empty bytes are an empty picture.
class PhotoBox : public QFrame {
    Q_OBJECT
public:
    explicit PhotoBox(QWidget *parent = nullptr);

    void setPhoto(const QByteArray &jpeg);
    void clear() { setPhoto({}); }
    QByteArray photo() const { return m_bytes; }
    bool isEmpty() const { return m_image.isNull(); }

Q_SIGNALS:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QByteArray m_bytes;
    QImage m_image;
};

} // namespace kvam

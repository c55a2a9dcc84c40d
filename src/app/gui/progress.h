#pragma once

#include "app/Progress.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kvam {

// The progress dialog of long loops on the main thread: not modal, on top,
// with a Cancel button whose press the loop learns at its next update.
class TfrmProgress : public QDialog, public ProgressDisplay {
    Q_OBJECT
public:
    explicit TfrmProgress(QWidget *parent = nullptr);

    bool showProgress(int percent, const QString &caption) override;
    void Button1Click();

    // 1 after Cancel was pressed, else 0.
    int tag() const { return m_tag; }
    int position() const;
    QString percentText() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_panel1;
    QProgressBar *m_progressBar1;
    QPushButton *m_button1;
    int m_tag = 0;
};

} // namespace kvam

#pragma once

#include <QDialog>

class QLabel;

namespace kvam {

// The about box: the program's emblem, its version and who holds the rights.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);

    QString versionText() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_version;
};

} // namespace kvam

#pragma once

#include <QDateTime>
#include <QDialog>

class QLabel;
class QProgressBar;
class QTimer;

namespace kvam {

struct WaitPictures;

// The window the program shows while a worker runs: a status line, pictures
// that change every second (or the elapsed time, switched with T), and a bar
// that shows activity. Esc asks the worker to stop. Only the worker closes it.
class TWaitForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TWaitForm1(QWidget *parent = nullptr);

    void setStatus(const QString &text);
    // The worker's close: the bar fills visibly, then the window closes. A
    // request made before the window is up closes it right after it shows.
    void requestClose();

    void Timer1Timer();
    void FormKeyDown(QKeyEvent *event);

    QString status() const;
    int progressPosition() const;
    double pseudoProgress() const { return m_pseudoProgress; }
    bool elapsedView() const { return m_elapsedView; }

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void FormShow();
    void FormCloseQuery();
    QString elapsedText() const;
    void showPictures(const WaitPictures &pattern);

    QLabel *m_panel1;
    QLabel *m_images[6];
    QLabel *m_label1;
    QProgressBar *m_progressBar1;
    QTimer *m_timer1;

    int m_animStep = 0;
    QDateTime m_startTime;
    bool m_elapsedView = false;
    double m_pseudoProgress = 0;
    bool m_closeRequested = false;
};

} // namespace kvam

#include "app/WaitAnimation.h"
#include "app/gui/WaitU1.h"
#include "app/gui/WaitWindowRunner.h"
#include "app/gui/progress.h"
#include "app/untGlobal.h"
#include "platform/gui/QtUi.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTest>
#include <QTimer>

using namespace kvam;

class TestWaitWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void aWorkerThatEndsAtOnceStillEndsTheWait();
    void statusesArriveInOrder();
    void escapeOnlyAsksTheWorkerToStop();
    void pictureCycleAndElapsedView();
    void pseudoProgressFigures();
    void aWorkerAsksAQuestionWhileTheWindowIsUp();
    void showProgressSequence();

private:
    // Runs job behind the wait window; while it is up, during() runs on the form.
    void runBehindWaitWindow(const Job &job, const std::function<void(TWaitForm1 *)> &during);

    WaitWindowRunner m_runner;
    TaskRunner *m_previous = nullptr;
};

void TestWaitWindow::init() { m_previous = setTaskRunner(&m_runner); }

void TestWaitWindow::cleanup() { setTaskRunner(m_previous); }

void TestWaitWindow::runBehindWaitWindow(const Job &job, const std::function<void(TWaitForm1 *)> &during)
{
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, [&]() {
        if (auto *form = qobject_cast<TWaitForm1 *>(QApplication::activeModalWidget())) {
            poll.stop();
            during(form);
        }
    });
    poll.start();
    runInBackground(job);
}

void TestWaitWindow::aWorkerThatEndsAtOnceStillEndsTheWait()
{
    for (int i = 0; i < 3; ++i)
        runInBackground([](TaskReporter &) {});
    QVERIFY(!QApplication::activeModalWidget());
}

void TestWaitWindow::statusesArriveInOrder()
{
    QSemaphore release;
    QString seen;
    runBehindWaitWindow(
        [&](TaskReporter &r) {
            for (int i = 1; i <= 500; ++i)
                r.setStatus(QStringLiteral("正在从文件a.ps中导入%1/500条个人信息;").arg(i));
            release.acquire();
        },
        [&](TWaitForm1 *form) {
            // The worker goes on whatever the check found.
            const auto releaseWorker = qScopeGuard([&]() { release.release(); });
            QTRY_COMPARE(form->status(), QStringLiteral("正在从文件a.ps中导入500/500条个人信息;"));
            seen = form->status();
        });
    QCOMPARE(seen, QStringLiteral("正在从文件a.ps中导入500/500条个人信息;"));
}

void TestWaitWindow::escapeOnlyAsksTheWorkerToStop()
{
    QSemaphore release;
    int flagSeenByWorker = -1;
    bool stillUp = false;
    QString label;
    runBehindWaitWindow(
        [&](TaskReporter &) {
            release.acquire();
            flagSeenByWorker = ContinueFlag;
        },
        [&](TWaitForm1 *form) {
            const auto releaseWorker = qScopeGuard([&]() { release.release(); });
            QTest::keyClick(form, Qt::Key_Escape);
            stillUp = form->isVisible();
            form->Timer1Timer();
            label = form->findChild<QLabel *>(QStringLiteral("Label1"))->text();
        });
    QVERIFY(stillUp);
    QCOMPARE(flagSeenByWorker, 0);
    QCOMPARE(label, QStringLiteral("您已经取消操作，正在退出，请等待！"));
}

void TestWaitWindow::pictureCycleAndElapsedView()
{
    // Step: left, middle, right (true = the odd picture of the place).
    const bool table[8][3] = {{0, 0, 0}, {1, 1, 1}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}};
    for (int step = 0; step < 16; ++step) {
        const WaitPictures p = waitPicturesAt(step);
        QCOMPARE(QList<bool>({p.left, p.middle, p.right}),
                 QList<bool>({table[step % 8][0], table[step % 8][1], table[step % 8][2]}));
    }

    ContinueFlag = 1; // as a runner sets it before the window shows
    TWaitForm1 form;
    form.show();
    auto image = [&](int n) { return form.findChild<QLabel *>(QStringLiteral("Image%1").arg(n)); };
    auto *label = form.findChild<QLabel *>(QStringLiteral("Label1"));
    form.Timer1Timer(); // step 0: the even picture everywhere
    QVERIFY(!image(1)->isVisible() && image(2)->isVisible());
    form.Timer1Timer(); // step 1: the odd picture everywhere
    QVERIFY(image(1)->isVisible() && !image(2)->isVisible() && image(5)->isVisible());

    QTest::keyClick(&form, Qt::Key_T);
    form.Timer1Timer();
    QVERIFY(label->isVisible());
    QVERIFY(label->text().contains(QLatin1Char(':')));
    for (int n = 1; n <= 6; ++n)
        QVERIFY(!image(n)->isVisible());
    QTest::keyClick(&form, Qt::Key_T);
    form.Timer1Timer(); // step 2: even, odd, odd
    QVERIFY(!label->isVisible());
    QVERIFY(image(2)->isVisible() && image(3)->isVisible() && image(5)->isVisible());
    form.requestClose();
}

void TestWaitWindow::pseudoProgressFigures()
{
    double p = 0;
    for (int tick = 1; tick <= 101; ++tick) {
        p = nextPseudoProgress(p);
        if (tick == 100)
            QCOMPARE(static_cast<int>(p), 19);
    }
    QCOMPARE(static_cast<int>(p), 20);
    for (int tick = 0; tick < 20000; ++tick)
        p = nextPseudoProgress(p);
    QCOMPARE(static_cast<int>(p), 95);

    TWaitForm1 form;
    form.show();
    for (int tick = 0; tick < 101; ++tick)
        form.Timer1Timer();
    QCOMPARE(form.progressPosition(), 20);
    form.requestClose();
    QCOMPARE(form.progressPosition(), 100);
    QVERIFY(!form.isVisible());
}

void TestWaitWindow::aWorkerAsksAQuestionWhileTheWindowIsUp()
{
    QtUi qtUi;
    Ui *previous = setUi(&qtUi);
    bool answer = false;
    QTimer clicker;
    clicker.setInterval(20);
    connect(&clicker, &QTimer::timeout, [&]() {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible()) {
                clicker.stop();
                box->button(QMessageBox::Yes)->click();
            }
        }
    });
    clicker.start();
    runInBackground([&](TaskReporter &) { answer = askYesNo(QStringLiteral("是否确认要退出程序")); });
    setUi(previous);
    QVERIFY(answer);
}

void TestWaitWindow::showProgressSequence()
{
    TfrmProgress dialog;
    ProgressDisplay *previous = setProgressDisplay(&dialog);
    QVERIFY(!ShowProgress(-1, QString())); // hidden: nothing happens
    QVERIFY(!dialog.isVisible());
    QVERIFY(!ShowProgress(10, QStringLiteral("正在导出全部剩余数据,请等待")));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.percentText(), QStringLiteral("10%"));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("正在导出全部剩余数据,请等待"));
    dialog.Button1Click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(ShowProgress(40, QString()));
    QVERIFY(!dialog.isVisible());
    QVERIFY(!ShowProgress(50, QString()));
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.position(), 50);
    QVERIFY(!ShowProgress(-1, QString()));
    QVERIFY(!dialog.isVisible());
    // A Cancel during the last update of a finished loop is not carried into the next loop.
    dialog.Button1Click();
    QVERIFY(!ShowProgress(-1, QString()));
    QVERIFY(!ShowProgress(10, QString()));
    QVERIFY(dialog.isVisible());
    setProgressDisplay(previous);
}

QTEST_MAIN(TestWaitWindow)
#include "tst_waitwindow.moc"

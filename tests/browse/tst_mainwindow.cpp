#include "browse/gui/untMain.h"
#include "support/TestAppDir.h"
#include "support/TestUi.h"

#include <QApplication>
#include <QTest>

using namespace kvam;

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void closingAsksFirst();
};

void TestMainWindow::closingAsksFirst()
{
    test::TestUi ui;
    TfrmMain window;
    window.show();
    ui.queueAnswer(MsgAnswer::No);
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(ui.last().text, QStringLiteral("是否确认要退出程序"));
    QCOMPARE(ui.last().caption, QStringLiteral("选择"));
    QCOMPARE(ui.last().buttons, MsgButtons::YesNo);
    ui.queueAnswer(MsgAnswer::Yes);
    QVERIFY(window.close());
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

#include "app/gui/WaitWindowRunner.h"
#include "app/gui/progress.h"
#include "app/untGlobal.h"
#include "browse/gui/comquery.h"
#include "browse/gui/untMain.h"
#include "data/untDataM.h"
#include "edit/gui/untPersonInfoAddon.h"
#include "platform/SingleInstance.h"
#include "platform/gui/DesktopDocumentOpener.h"
#include "platform/gui/QtUi.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace kvam;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    // One instance per program directory; a second start shows nothing.
    SingleInstance instance(QStringLiteral("kvamIns"), AppDirOf(QCoreApplication::applicationFilePath()));
    if (!instance.tryAcquire())
        return 0;

    QApplication::setApplicationName(QStringLiteral("kvam"));
    QApplication::setApplicationDisplayName(QStringLiteral("Pelandor-评审版"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);
    // Without a Chinese font first, Qt's fallback draws Japanese glyph forms.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(14);
    QApplication::setFont(font);

    QtUi ui;
    setUi(&ui);
    DesktopDocumentOpener opener;
    setDocumentOpener(&opener);
    WaitWindowRunner waitRunner;
    setTaskRunner(&waitRunner);

    TfrmMain frmMain;
    TfrmProgress frmProgress;
    setProgressDisplay(&frmProgress);
    TDataM dataM;
    DataM = &dataM;
    dataM.DataModuleCreate();
    if (dataM.terminationRequested())
        return 1;
    TfrmQueryTj frmQueryTj(&frmMain);
    TfrmPersonInfoAddon frmPersonInfoAddon(&frmMain);
    frmMain.useForms(&frmQueryTj, &frmPersonInfoAddon);
    frmMain.show();
    return app.exec();
}

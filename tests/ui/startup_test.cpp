#include "app/Zorbon.h"
#include "mainwindow/THlavniOkno.h"
#include "records/record.h"
#include "uitest.h"

#include <QFile>

using namespace zorbon;
using namespace zorbon::ui;

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void createsTheWorkingLayoutAndShowsTheMainWindow()
    {
        UiTestEnv env;
        Zorbon app;
        QCOMPARE(QFile(QString::fromUtf8(kRecordPath)).size(), 16);
        QVERIFY(QFile::exists(QString::fromUtf8(kRosterPath)));
        QVERIFY(QDir("vysledky").exists());
        QVERIFY(QDir("export").exists());
        QVERIFY(!app.HlavniOkno->isVisible());
        app.start();
        QVERIFY(app.HlavniOkno->isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"

#include "common/HelpViewer.h"
#include "lobbytest.h"
#include "mainwindow/THlavniOkno.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>

using namespace zorbon;
using namespace zorbon::ui;

namespace {

QString shippedHelp()
{
    return QStringLiteral(ZORBON_SOURCE_DIR "/HELP/HELP.HLP");
}

} // namespace

class HelpTest : public QObject {
    Q_OBJECT
private slots:
    void aMissingHelpFileIsReported()
    {
        UiTestEnv env;
        Zorbon app;
        app.start();
        click(app.HlavniOkno, "Help1");
        QCOMPARE(Dialogs::messages(), QStringList{"Soubor nápovědy „HELP/HELP.HLP“ nebyl nalezen."});
        QVERIFY(!app.HlavniOkno->findChild<HelpViewer*>());
    }

    void helpOpensAtItsContentsWithBackAndForward()
    {
        UiTestEnv env;
        QDir().mkpath("HELP");
        QVERIFY(QFile::copy(shippedHelp(), "HELP/HELP.HLP"));
        Zorbon app;
        app.start();
        click(app.HlavniOkno, "Help1");
        auto* viewer = app.HlavniOkno->findChild<HelpViewer*>();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QTextBrowser* browser = viewer->browser();
        QCOMPARE(browser->source().fragment(), QStringLiteral("obsah"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Registrace hráčů")));
        auto* back = child<QAction>(viewer, "Zpet");
        QVERIFY(!back->isEnabled());
        browser->setSource(QUrl(QStringLiteral("#registrace")));
        QVERIFY(back->isEnabled());
        back->trigger();
        QVERIFY(child<QAction>(viewer, "Vpred")->isEnabled());
        // A second Help reuses the one viewer.
        click(app.HlavniOkno, "Help1");
        QCOMPARE(app.HlavniOkno->findChildren<HelpViewer*>().size(), 1);
        QCOMPARE(Dialogs::messages(), QStringList());
    }

    // The help shows a picture of every window: each one it names is shipped beside it, and the
    // viewer finds them relative to the help file.
    void everyPictureOfTheHelpIsShipped()
    {
        QFile file(shippedHelp());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QStringList pictures;
        for (const auto& m : QRegularExpression(QStringLiteral("<img src=\"([^\"]+)\"")).globalMatch(html))
            pictures << m.captured(1);
        QVERIFY(pictures.size() >= 20);
        const QDir shipped = QFileInfo(shippedHelp()).dir();
        for (const QString& picture : pictures)
            QVERIFY2(!QImage(shipped.filePath(picture)).isNull(), qPrintable(picture));

        UiTestEnv env;
        QDir().mkpath("HELP");
        for (const QString& picture : pictures)
            QVERIFY(QFile::copy(shipped.filePath(picture), "HELP/" + picture));
        QVERIFY(QFile::copy(shippedHelp(), "HELP/HELP.HLP"));
        Zorbon app;
        app.start();
        click(app.HlavniOkno, "Help1");
        QTextBrowser* browser = app.HlavniOkno->findChild<HelpViewer*>()->browser();
        const QVariant image = browser->loadResource(QTextDocument::ImageResource, QUrl(pictures.front()));
        QVERIFY(image.isValid());
        QVERIFY(!QImage::fromData(image.toByteArray()).isNull());
    }

    // Every contents link of the shipped help leads somewhere.
    void everyLinkOfTheHelpHasItsAnchor()
    {
        QFile file(shippedHelp());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QSet<QString> anchors;
        for (const auto& m : QRegularExpression(R"re(name="([^"]+)")re").globalMatch(html))
            anchors << m.captured(1);
        int links = 0;
        for (const auto& m : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(html)) {
            QVERIFY2(anchors.contains(m.captured(1)), qPrintable(m.captured(1)));
            ++links;
        }
        QVERIFY(links > 10);
        QVERIFY(anchors.contains("obsah"));
    }

    // The About box shows the version the build's project declares, the one place it is written.
    void aboutBoxNamesTheProgramAndItsVersion()
    {
        QFile cmake(QStringLiteral(ZORBON_SOURCE_DIR "/CMakeLists.txt"));
        QVERIFY(cmake.open(QIODevice::ReadOnly));
        const QRegularExpressionMatch declared =
            QRegularExpression(R"(project\(zorbon VERSION ([0-9.]+))").match(QString::fromUtf8(cmake.readAll()));
        QVERIFY(declared.hasMatch());
        const QString version = QStringLiteral("Verze : ") + declared.captured(1);
        UiTestEnv env;
        Zorbon app;
        app.start();
        Dialogs::script([&](QDialog* d) {
            QCOMPARE(labelText(d, "Label1"), QStringLiteral("Zorbon"));
            QCOMPARE(labelText(d, "Label2"), QStringLiteral("Popis : program na řízení turnajů"));
            QCOMPARE(labelText(d, "Label3"), version);
            QVERIFY(d->findChildren<QAbstractButton*>().isEmpty());
        });
        click(app.HlavniOkno, "Oprogramu1");
        QCOMPARE(Dialogs::unanswered(), 0);
    }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"

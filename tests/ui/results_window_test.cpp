// The results window: its controls, the list refreshed while it stays open beside a bracket,
// and the failures of print, save and export.

#include "bracketui.h"

#include "resultswindow/TVysledkovaListina.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>

using namespace bracketui;

namespace {

QStringList memo(QWidget* w, const char* name)
{
    const QString text = child<QPlainTextEdit>(w, name)->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

} // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void controls();
    void openWindowShowsNewStandings();
    void printCancelledWritesNothing();
    void failuresShowTheErrorAndNoConfirmation();
};

void ResultsWindowTest::controls()
{
    UiTestEnv env;
    Zorbon app;
    TVysledkovaListina* r = app.VysledkovaListina;
    r->ensureBuilt(); // the controls are made on first need
    QCOMPARE(r->windowTitle(), QStringLiteral("Zorbon - Výsledková listina"));
    QCOMPARE(child<QLabel>(r, "Label1")->text(), QStringLiteral("Výsledková listina :"));
    const QStringList captions = {"Tisk", "Ulož", "Export"};
    const QStringList hints = {"Tisknout listinu", "Uložení listiny", "Export listiny do html"};
    for (int i = 0; i < 3; ++i) {
        auto* b = r->findChild<QToolButton*>(QStringLiteral("SpeedButton%1").arg(i + 1));
        QCOMPARE(b->text(), captions[i]);
        QCOMPARE(b->toolTip(), hints[i]);
    }
    auto text = [r](const char* name) {
        return r->findChild<QAction*>(QString::fromLatin1(name))->text().remove(QLatin1Char('&'));
    };
    QCOMPARE(text("Tisk1"), QStringLiteral("Tisk"));
    QCOMPARE(text("Ulo1"), QStringLiteral("Ulož"));
    QCOMPARE(text("Export1"), QStringLiteral("Export"));
    QCOMPARE(text("Zavt1"), QStringLiteral("Zavřít"));
    QCOMPARE(text("Help2"), QStringLiteral("Help"));
    QCOMPARE(text("Oprogramu1"), QStringLiteral("O programu"));
    QPlainTextEdit* memo1 = child<QPlainTextEdit>(r, "Memo1");
    QVERIFY(memo1->isReadOnly());
    QCOMPARE(memo1->focusPolicy(), Qt::NoFocus);
    QVERIFY(!child<QWidget>(r, "Memo2")->isVisibleTo(r));
    QVERIFY(!child<QWidget>(r, "Memo3")->isVisibleTo(r));
}

// Sound behaviour: "Výsledková listina" while the window is open beside the 16 shows the new list.
void ResultsWindowTest::openWindowShowsNewStandings()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 16);
    TBracketWindow* w = draw(app, 4);
    clickButton(w, "SpeedButton3");
    TVysledkovaListina* r = app.VysledkovaListina;
    QVERIFY(r->isVisible());
    QVERIFY(w->isVisible());
    QCOMPARE(memo(r, "Memo1"), QStringList()); // nothing decided right after the draw
    playToFinal(w);
    w->findChild<QAction*>(QStringLiteral("Vsledkovlistina1"))->trigger();
    const QStringList before = memo(r, "Memo1");
    QCOMPARE(before.size(), 14); // everyone but the two finalists
    QVERIFY(before.front().startsWith(QStringLiteral("3. místo ")));
    QCOMPARE(memo(r, "Memo2").size(), 14);
    QCOMPARE(memo(r, "Memo2").front(), before.back()); // worst first in the hidden list

    enterResult(w, boardOf(w->bracket(), w->bracket().table().finalNumber()), "0", "2");
    clickButton(w, "SpeedButton3");
    const QStringList after = memo(r, "Memo1");
    QCOMPARE(after.size(), 16);
    QCOMPARE(after[0], QStringLiteral("1. místo ") + label(w, QStringLiteral("LabF2"))->text());
    QCOMPARE(after[1], QStringLiteral("2. místo ") + label(w, QStringLiteral("LabF1"))->text());

    // "Zavřít" hides the window; the lists stay.
    r->findChild<QAction*>(QStringLiteral("Zavt1"))->trigger();
    QVERIFY(!r->isVisible());
    QCOMPARE(memo(r, "Memo1"), after);
}

void ResultsWindowTest::printCancelledWritesNothing()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    draw(app, 2);
    TVysledkovaListina* r = app.VysledkovaListina;
    const QString pdf = env.path() + QStringLiteral("/nic.pdf");
    Dialogs::script([&](QDialog* d) {
        auto* print = qobject_cast<QPrintDialog*>(d);
        QVERIFY(print);
        QCOMPARE(print->objectName(), QStringLiteral("PrintDialog1"));
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(pdf);
        print->done(QDialog::Rejected);
    });
    Dialogs::clearShown();
    r->SpeedButton1Click();
    QCOMPARE(Dialogs::unanswered(), 0);
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(Dialogs::messages().isEmpty());
}

void ResultsWindowTest::failuresShowTheErrorAndNoConfirmation()
{
    UiTestEnv env;
    Zorbon app;
    registerTournament(app, 8);
    draw(app, 2);
    TVysledkovaListina* r = app.VysledkovaListina;

    // Without the two folders the save and the export fail with the error alone.
    app.core().editableSession().lobby.header.name = "../ven";
    QVERIFY(QDir(QStringLiteral("vysledky")).removeRecursively() && QDir(QStringLiteral("export")).removeRecursively());
    Dialogs::clearShown();
    r->SpeedButton2Click();
    r->SpeedButton3Click();
    QCOMPARE(Dialogs::messages(), (QStringList{QStringLiteral("Cannot create file vysledky/-ven.txt"),
                                               QStringLiteral("Cannot create file export/-ven.htm")}));
    QCOMPARE(Dialogs::shown()[0].kind, Dialogs::Kind::Error);
    QCOMPARE(Dialogs::shown()[1].kind, Dialogs::Kind::Error);
    QVERIFY(!QFile::exists(QStringLiteral("ven.txt")) && !QFile::exists(QStringLiteral("ven.htm")));
    QVERIFY(QDir().mkdir(QStringLiteral("export")));

    // Without the record file, print stops before its dialog and export before writing.
    app.core().editableSession().lobby.header.name = "Turnaj";
    QVERIFY(QFile::remove(QString::fromUtf8(kRecordPath)));
    Dialogs::clearShown();
    r->SpeedButton1Click(); // no print dialog scripted: it must not open
    r->SpeedButton3Click();
    QCOMPARE(Dialogs::messages(), (QStringList{QStringLiteral("File not found"), QStringLiteral("File not found")}));
    QVERIFY(!QFile::exists(QStringLiteral("export/Turnaj.htm")));
}

QTEST_MAIN(ResultsWindowTest)
#include "results_window_test.moc"

// Text a person typed is shown as typed in every kind of place: the header labels, the bracket's
// cells, boards and winner line, the result dialog, the messages and questions, tooltips and the
// results list. A QLabel guesses rich text from a leading "<" unless told otherwise.

#include "bracketui.h"
#include "lobbytest.h"

#include "bracketwindow/TZadejVysledek.h"
#include "common/Guard.h"
#include "resultswindow/TVysledkovaListina.h"

#include "tournament/tournament.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>

using namespace bracketui;

namespace {

const QString kMarkupName = QStringLiteral("<b>Tučný</b> & <i>pohár</i>");
const QString kMarkupPlayer = QStringLiteral("<b>Eva</b>");

// A label shows its text literally.
void checkLiteral(QLabel* l, const QString& text)
{
    QVERIFY2(l->textFormat() == Qt::PlainText, qPrintable(l->objectName()));
    QCOMPARE(l->text(), text);
}

// What a tooltip shows of a text: it reads it as markup when its first line looks like markup.
QString asToolTipShowsIt(const QString& tip)
{
    QTextDocument doc;
    if (Qt::mightBeRichText(tip))
        doc.setHtml(tip);
    else
        doc.setPlainText(tip);
    return doc.toPlainText().replace(QChar::LineSeparator, QLatin1Char('\n'));
}

// Four players, two of them named like markup, drawn into the 8 window with two boards.
TBracketWindow* drawWithMarkupPlayers(Zorbon& app, const std::string& tournament)
{
    if (!app.core().acceptNewTournament({tournament, "", ""}).ok())
        return nullptr;
    for (const QString& n :
         {kMarkupPlayer, QStringLiteral("<i>Jan</i>"), QStringLiteral("Ota"), QStringLiteral("Petr")})
        if (!app.core().addPlayer(n.toStdString()).ok())
            return nullptr;
    return draw(app, 2);
}

// Runs `show` outside the scripted facade and looks at the modal box it opens.
template <class Show, class Look> void withRealBox(Show&& show, Look&& look)
{
    Dialogs::endScripted();
    bool looked = false;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        look(box);
        looked = true;
        if (auto* mb = qobject_cast<QMessageBox*>(box))
            (mb->escapeButton() ? mb->escapeButton() : mb->buttons().front())->click();
        else if (auto* d = qobject_cast<QDialog*>(box))
            d->reject();
    });
    show();
    Dialogs::beginScripted();
    QVERIFY(looked);
}

} // namespace

class PlainTextTest : public QObject {
    Q_OBJECT
private slots:
    void headerLabels();
    void bracketCellsBoardsAndWinner();
    void resultDialog();
    void messagesAndQuestions();
    void tooltips();
    void resultsList();
};

void PlainTextTest::headerLabels()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    createTournament(app, kMarkupName, QStringLiteral("<u>Hospoda</u>"), QStringLiteral("<br>1. 5."));
    checkLiteral(child<QLabel>(app.HlavniOkno, "Label2"), kMarkupName);
    checkLiteral(child<QLabel>(app.HlavniOkno, "Label7"), QStringLiteral("<u>Hospoda</u>"));
    checkLiteral(child<QLabel>(app.HlavniOkno, "Label8"), QStringLiteral("<br>1. 5."));
    // The tournament-exists question names it as typed.
    Dialogs::script([](QDialog* d) {
        checkLiteral(child<QLabel>(d, "Label1"), QStringLiteral("Je založen turnaj ") + kMarkupName +
                                                     QStringLiteral(". Chcete jej smazat a začít nový ???"));
        clickButton(d, "Button2");
    });
    click(app.HlavniOkno, "SpeedButton1");
}

void PlainTextTest::bracketCellsBoardsAndWinner()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    TBracketWindow* w = drawWithMarkupPlayers(app, kMarkupName.toStdString());
    QVERIFY(w);
    for (int k = 1; k <= 8; ++k) {
        QLabel* cell = label(w, QStringLiteral("Lab%1").arg(k));
        QCOMPARE(cell->textFormat(), Qt::PlainText);
    }
    clickButton(w, "SpeedButton2");
    // The boards hold the names as their lines.
    bool seen = false;
    for (int n = 1; n <= 2; ++n) {
        QLabel* board = label(w, QStringLiteral("Terc%1").arg(n));
        QCOMPARE(board->textFormat(), Qt::PlainText);
        seen = seen || board->text().contains(kMarkupPlayer);
    }
    QVERIFY(seen);
    playToFinal(w);
    const Bracket& b = w->bracket();
    const int fin = b.table().finalNumber();
    enterResult(w, boardOf(b, fin), QStringLiteral("2"), QStringLiteral("0"));
    QLabel* vitez = label(w, QStringLiteral("LabVitez"));
    QCOMPARE(vitez->textFormat(), Qt::PlainText);
    QCOMPARE(vitez->text(), s(b.winnerLine));
}

void PlainTextTest::resultDialog()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    TBracketWindow* w = drawWithMarkupPlayers(app, "Turnaj");
    QVERIFY(w);
    clickButton(w, "SpeedButton2");
    const Board& board = w->bracket().board(1);
    Dialogs::script([&](QDialog* d) {
        checkLiteral(child<QLabel>(d, "Label1"), s(board.player1));
        checkLiteral(child<QLabel>(d, "Label2"), s(board.player2));
    });
    click(label(w, QStringLiteral("Terc1")));
}

void PlainTextTest::messagesAndQuestions()
{
    UiTestEnv env;
    const QString announcement =
        QStringLiteral("Na terč č.1 nastoupí hráči ") + kMarkupPlayer + QStringLiteral(" a Jan");
    withRealBox([&] { Dialogs::message(nullptr, announcement); },
                [&](QWidget* box) {
                    auto* mb = qobject_cast<QMessageBox*>(box);
                    QVERIFY(mb);
                    QCOMPARE(mb->textFormat(), Qt::PlainText);
                    QCOMPARE(mb->text(), announcement);
                });
    withRealBox([&] { Dialogs::error(nullptr, QStringLiteral("Cannot create file export/") + kMarkupName); },
                [&](QWidget* box) { QCOMPARE(qobject_cast<QMessageBox*>(box)->textFormat(), Qt::PlainText); });
    withRealBox([&] { Dialogs::question(nullptr, kMarkupName); },
                [&](QWidget* box) { QCOMPARE(qobject_cast<QMessageBox*>(box)->textFormat(), Qt::PlainText); });
    const QString undo =
        QStringLiteral("Opravdu vrátit zpět: výsledek zápasu 1 (") + kMarkupPlayer + QStringLiteral(" 3 : 1 Jan) ???");
    withRealBox([&] { Dialogs::ask(nullptr, QStringLiteral("TVratitZpet"), undo); },
                [&](QWidget* box) {
                    QCOMPARE(box->objectName(), QStringLiteral("TVratitZpet"));
                    checkLiteral(box->findChild<QLabel*>(QStringLiteral("Label1")), undo);
                });
}

void PlainTextTest::tooltips()
{
    // A tooltip shows markup unless the typed text is escaped inside markup of its own.
    for (const QString& text : {kMarkupPlayer, QStringLiteral("Petr Novák"), QStringLiteral("5\n<b>Eva</b>\nJan"),
                                QStringLiteral("<i>Ota</i>\n5\nJan & <b>Eva</b>")})
        QCOMPARE(asToolTipShowsIt(plainToolTip(text)), text);
    QCOMPARE(plainToolTip(QStringLiteral("Petr Novák")), QStringLiteral("Petr Novák"));
}

void PlainTextTest::resultsList()
{
    UiTestEnv env;
    Zorbon app;
    app.start();
    TBracketWindow* w = drawWithMarkupPlayers(app, kMarkupName.toStdString());
    QVERIFY(w);
    playToFinal(w);
    enterResult(w, boardOf(w->bracket(), w->bracket().table().finalNumber()), QStringLiteral("2"), QStringLiteral("0"));
    Dialogs::script([](QDialog* d) {
        const QString list = child<QPlainTextEdit>(d, "Memo1")->toPlainText();
        QVERIFY2(list.contains(QStringLiteral("<b>Eva</b>")) || list.contains(QStringLiteral("<i>Jan</i>")),
                 qPrintable(list));
    });
    clickButton(w, "SpeedButton3");
}

QTEST_MAIN(PlainTextTest)
#include "plain_text_test.moc"

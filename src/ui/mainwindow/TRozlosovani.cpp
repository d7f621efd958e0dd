#include "mainwindow/TRozlosovani.h"

#include "bracketwindow/BracketWidgets.h"
#include "bracketwindow/BracketWindow.h"
#include "common/Guard.h"
#include "mainwindow/THlavniOkno.h"
#include "bracketwindow/TPocetTercu8.h"
#include "app/Zorbon.h"

#include "draw/draw.h"

#include <QLabel>

namespace zorbon::ui {

TRozlosovani::TRozlosovani(Zorbon& app)
    : AnoNeDialog(QStringLiteral("Zorbon - Rozlosovani"),
                  QStringLiteral("Opravdu chcete provést rozlosování (nebude již možná další registrace hráčů) ???"))
    , seedSource(&clockSeed)
    , m_app(app)
{
    setObjectName(QStringLiteral("TRozlosovani"));
    paintBackground(this, TColor::clSkyBlue);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setWordWrap(true);
    m_widest = 440;
}

void TRozlosovani::Button1Click()
{
    Session& session = m_app.session;
    DrawOutcome outcome;
    const bool done = guard(this, [&] {
        Lcg rng(seedSource());
        outcome = Draw(session.brackets, session.lobby.registered, rng);
    });
    // Whatever the draw got to (all three brackets reset, names taken from the list) is shown.
    m_app.refreshBracketWindows();
    m_app.HlavniOkno->refresh();
    if (!done) {
        reject();
        return;
    }
    if (outcome.size == 0) {
        // Too few or too many players: the main window stays usable for registration.
        Dialogs::message(this, qs(outcome.refusal));
        reject();
        return;
    }
    TBracketWindow* window = m_app.bracketWindow(outcome.size);
    window->showTournament();
    m_app.HlavniOkno->hide();
    accept();
    Dialogs::exec(m_app.PocetTercu8);
    window->refresh();
}

} // namespace zorbon::ui

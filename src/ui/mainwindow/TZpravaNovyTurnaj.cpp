#include "mainwindow/TZpravaNovyTurnaj.h"

#include "common/Guard.h"
#include "mainwindow/TNovyTurnaj.h"
#include "app/Zorbon.h"

#include "lobby/lobby.h"

#include <QLabel>
#include <QShowEvent>

namespace zorbon::ui {

TZpravaNovyTurnaj::TZpravaNovyTurnaj(Zorbon& app)
    : AnoNeDialog(QStringLiteral("Zorbon"), QString())
    , m_app(app)
{
    setObjectName("TZpravaNovyTurnaj");
}

void TZpravaNovyTurnaj::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Label1->setText(qs(TournamentExistsText(m_app.session.lobby)));
    AnoNeDialog::showEvent(event);
}

void TZpravaNovyTurnaj::Button1Click()
{
    StartOver(m_app.session.lobby);
    // Not modal: the old header stays until the new dialog's OK replaces it.
    m_app.NovyTurnaj->showModeless();
    accept();
}

} // namespace zorbon::ui

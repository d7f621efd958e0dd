#include "mainwindow/TSmazRegistraci.h"

#include "common/Guard.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TRegistrace.h"
#include "app/Zorbon.h"

#include "lobby/lobby.h"

namespace zorbon::ui {

TSmazRegistraci::TSmazRegistraci(Zorbon& app)
    : AnoNeDialog(QStringLiteral("Zorbon - Smaž registraci"),
                  QStringLiteral("Opravdu chcete smazat všechny registrované hráče ???"))
    , m_app(app)
{
    setObjectName("TSmazRegistraci");
}

void TSmazRegistraci::Button1Click()
{
    const bool done = guard(this, [this] { DeleteAllPlayers(m_app.session.lobby); });
    m_app.HlavniOkno->refresh();
    if (!done)
        return;
    m_app.Registrace->clearName();
    accept();
}

} // namespace zorbon::ui

#include "mainwindow/TOpravduOdebrat.h"

#include "common/Guard.h"
#include "mainwindow/TOdeber.h"
#include "app/Zorbon.h"

#include "lobby/lobby.h"

#include <QLabel>

namespace zorbon::ui {

TOpravduOdebrat::TOpravduOdebrat(Zorbon& app)
    : AnoNeDialog(QStringLiteral("Zorbon - Odebrání hráče"), QString())
    , m_app(app)
{
    setObjectName("TOpravduOdebrat");
}

void TOpravduOdebrat::ask(const std::string& chosen)
{
    Label1->setText(qs(RemovalQuestion(chosen)));
}

void TOpravduOdebrat::Button1Click()
{
    // The remove dialog closes too once this one ends with "Ano" (see TOdeber::button1Click).
    if (m_app.Odeber->removeChosen())
        accept();
}

} // namespace zorbon::ui

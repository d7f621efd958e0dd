#include "mainwindow/TOpravduOdebrat.h"

#include "common/Guard.h"

#include "lobby/lobby.h"

#include <QLabel>

namespace zorbon::ui {

TOpravduOdebrat::TOpravduOdebrat()
    : AnoNeDialog(QStringLiteral("Zorbon - Odebrání hráče"), QString())
{
    setObjectName("TOpravduOdebrat");
}

void TOpravduOdebrat::ask(const std::string& chosen)
{
    ensureBuilt();
    Label1->setText(qs(removalQuestion(chosen)));
}

void TOpravduOdebrat::Button1Click()
{
    // The remove dialog closes too once this one ends with "Ano" (see TOdeber::button1Click).
    if (remove && remove())
        accept();
}

} // namespace zorbon::ui

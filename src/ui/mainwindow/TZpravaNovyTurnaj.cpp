#include "mainwindow/TZpravaNovyTurnaj.h"

#include "app/Model.h"
#include "common/Guard.h"

#include <QLabel>
#include <QShowEvent>

namespace zorbon::ui {

TZpravaNovyTurnaj::TZpravaNovyTurnaj(Model& model)
    : AnoNeDialog(QStringLiteral("Zorbon"), QString())
    , m_model(model)
{
    setObjectName("TZpravaNovyTurnaj");
}

void TZpravaNovyTurnaj::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Label1->setText(qs(tournamentExistsText(m_model.session().lobby)));
    AnoNeDialog::showEvent(event);
}

void TZpravaNovyTurnaj::Button1Click()
{
    m_model.act(this, [](Tournament& t) { return t.startOver(); });
    // Not modal: the old header stays until the new dialog's OK replaces it.
    emit newTournamentRequested();
    accept();
}

} // namespace zorbon::ui

#include "TRozlosovani.h"

#include "BracketWidgets.h"
#include "BracketWindow.h"
#include "Guard.h"
#include "THlavniOkno.h"
#include "TPocetTercu8.h"
#include "Zorbon.h"

#include "draw/draw.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorbon::ui {

TRozlosovani::TRozlosovani(Zorbon& app)
    : seedSource(&clockSeed)
    , m_app(app)
{
    setObjectName(QStringLiteral("TRozlosovani"));
    setWindowTitle(QStringLiteral("Zorbon - Rozlosovani"));
    paintBackground(this, 0xFFA6CAF0); // clSkyBlue

    auto* text = new QLabel(
        QStringLiteral("Opravdu chcete provést rozlosování (nebude již možná další registrace hráčů) ???"), this);
    text->setObjectName(QStringLiteral("Label1"));
    QFont bold = text->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    text->setFont(bold);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignCenter);
    text->setMinimumWidth(380);
    auto* ano = new QPushButton(QStringLiteral("Ano"), this);
    ano->setObjectName(QStringLiteral("Button1"));
    auto* ne = new QPushButton(QStringLiteral("Ne"), this);
    ne->setObjectName(QStringLiteral("Button2"));
    ne->setDefault(true);
    connect(ano, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(ne, &QPushButton::clicked, this, [this] { Button2Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ano);
    buttons->addWidget(ne);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

void TRozlosovani::Button1Click()
{
    Session& session = m_app.session;
    DrawOutcome outcome;
    const bool done = guarded(this, [&] {
        Lcg rng(seedSource());
        outcome = Draw(session.brackets, session.lobby.registered, rng);
    });
    // Whatever the draw got to (all three brackets reset, names taken from the list) is shown.
    for (int size : {8, 16, 32})
        m_app.bracketWindow(size)->refresh();
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

void TRozlosovani::Button2Click()
{
    reject();
}

} // namespace zorbon::ui

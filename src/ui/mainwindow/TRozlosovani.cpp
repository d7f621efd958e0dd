#include "mainwindow/TRozlosovani.h"

#include "app/Model.h"
#include "look/Look.h"

#include "draw/draw.h"

#include <QLabel>

namespace zorbon::ui {

TRozlosovani::TRozlosovani(Model& model)
    : AnoNeDialog(QStringLiteral("Zorbon - Rozlosovani"),
                  QStringLiteral("Opravdu chcete provést rozlosování (nebude již možná další registrace hráčů) ???"))
    , seedSource(&clockSeed)
    , m_model(model)
{
    setObjectName(QStringLiteral("TRozlosovani"));
    m_widest = 440;
}

void TRozlosovani::build()
{
    AnoNeDialog::build();
    paintBackground(this, TColor::clSkyBlue);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setWordWrap(true);
}

void TRozlosovani::Button1Click()
{
    const std::uint32_t seed = seedSource();
    const Outcome outcome = m_model.perform(this, [seed](Tournament& t) { return t.draw(seed); });
    if (!outcome.ok()) {
        // Too few or too many players, or a file failed: the main window stays usable.
        Model::show(this, outcome);
        reject();
        return;
    }
    emit drawn(m_model.session().activeSize);
}

} // namespace zorbon::ui

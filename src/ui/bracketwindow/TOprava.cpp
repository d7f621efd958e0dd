#include "bracketwindow/TOprava.h"

#include "bracketwindow/BracketWidgets.h"

#include <QLabel>

namespace zorbon::ui {

TOprava::TOprava(int size)
    : AnoNeDialog(QStringLiteral("Zorbon - Oprava výsledku"), QStringLiteral("Opravdu chcete opravit  výsledek ???"))
    , m_size(size)
{
    setObjectName(QStringLiteral("TOprava%1").arg(size));
}

void TOprava::build()
{
    AnoNeDialog::build();
    paintBackground(this, TColor::clSkyBlue);
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
}

} // namespace zorbon::ui

#include "mainwindow/TSmazRegistraci.h"

#include "app/Model.h"

namespace zorbon::ui {

TSmazRegistraci::TSmazRegistraci(Model& model)
    : AnoNeDialog(QStringLiteral("Zorbon - Smaž registraci"),
                  QStringLiteral("Opravdu chcete smazat všechny registrované hráče ???"))
    , m_model(model)
{
    setObjectName("TSmazRegistraci");
}

void TSmazRegistraci::Button1Click()
{
    if (m_model.run(this, [](Tournament& t) { return t.deleteAllPlayers(); }).ok())
        accept();
}

} // namespace zorbon::ui

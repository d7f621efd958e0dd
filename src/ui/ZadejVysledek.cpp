#include "ZadejVysledek.h"

namespace zorbon::ui {

TZadejVysledek::TZadejVysledek(Zorbon& app, int size) : m_app(app), m_size(size)
{
    setObjectName(QString("TZadejVysledek") + QString::number(size));
}

} // namespace zorbon::ui

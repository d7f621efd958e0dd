#include "Oprava.h"

namespace zorbon::ui {

TOprava::TOprava(Zorbon& app, int size) : m_app(app), m_size(size)
{
    setObjectName(QString("TOprava") + QString::number(size));
}

} // namespace zorbon::ui

#include "TOpravduOdebrat.h"

namespace zorbon::ui {

TOpravduOdebrat::TOpravduOdebrat(Zorbon& app) : m_app(app)
{
    setObjectName("TOpravduOdebrat");
}

} // namespace zorbon::ui

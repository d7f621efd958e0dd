#include "TPocetTercu8.h"

namespace zorbon::ui {

TPocetTercu8::TPocetTercu8(Zorbon& app) : m_app(app)
{
    setObjectName("TPocetTercu8");
}

} // namespace zorbon::ui

#include "TNovyTurnaj.h"

namespace zorbon::ui {

TNovyTurnaj::TNovyTurnaj(Zorbon& app) : m_app(app)
{
    setObjectName("TNovyTurnaj");
}

} // namespace zorbon::ui

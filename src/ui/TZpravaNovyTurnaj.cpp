#include "TZpravaNovyTurnaj.h"

namespace zorbon::ui {

TZpravaNovyTurnaj::TZpravaNovyTurnaj(Zorbon& app) : m_app(app)
{
    setObjectName("TZpravaNovyTurnaj");
}

} // namespace zorbon::ui

#include "THlavniOkno.h"

namespace zorbon::ui {

THlavniOkno::THlavniOkno(Zorbon& app) : m_app(app)
{
    setObjectName("THlavniOkno");
}

} // namespace zorbon::ui

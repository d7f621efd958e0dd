#include "TSmazRegistraci.h"

namespace zorbon::ui {

TSmazRegistraci::TSmazRegistraci(Zorbon& app) : m_app(app)
{
    setObjectName("TSmazRegistraci");
}

} // namespace zorbon::ui

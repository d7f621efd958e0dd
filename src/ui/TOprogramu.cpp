#include "TOprogramu.h"

namespace zorbon::ui {

TOprogramu::TOprogramu(Zorbon& app) : m_app(app)
{
    setObjectName("TOprogramu");
}

} // namespace zorbon::ui

#include "TRegistrace.h"

namespace zorbon::ui {

TRegistrace::TRegistrace(Zorbon& app) : m_app(app)
{
    setObjectName("TRegistrace");
}

} // namespace zorbon::ui

#include "TOdeber.h"

namespace zorbon::ui {

TOdeber::TOdeber(Zorbon& app) : m_app(app)
{
    setObjectName("TOdeber");
}

} // namespace zorbon::ui

#include "TVysledkovaListina.h"

namespace zorbon::ui {

TVysledkovaListina::TVysledkovaListina(Zorbon& app) : m_app(app)
{
    setObjectName("TVysledkovaListina");
}

} // namespace zorbon::ui

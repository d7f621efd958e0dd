#include "TRozlosovani.h"

namespace zorbon::ui {

TRozlosovani::TRozlosovani(Zorbon& app) : m_app(app)
{
    setObjectName("TRozlosovani");
}

} // namespace zorbon::ui

#include "BracketWindow.h"

namespace zorbon::ui {

TBracketWindow::TBracketWindow(Zorbon& app, int size) : m_app(app), m_size(size)
{
    setObjectName(QString("TBracketWindow") + QString::number(size));
}

} // namespace zorbon::ui

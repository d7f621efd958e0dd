#pragma once
// What the benchmarks that time real windows share: how their QApplication paints, and letting it
// deliver what a handler asked for.

#include <QCoreApplication>
#include <QtGlobal>

namespace bench {

// Called before the QApplication is made: offscreen unless QT_QPA_PLATFORM names a platform, and an
// update painted as soon as it is asked for (Qt waits 5 ms by default), so that each handler's
// paints land inside its own timing.
inline void paintAtOnce()
{
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Lets the event loop deliver what the handler asked for: the update request and the paint.
inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace bench

// Linked with Zorbon's own main.cpp into zorbon_probe: the program starts exactly as it does for the
// operator and leaves as soon as its main window is first painted. Exists only in the benchmark build.

#include "firstpaint.h"

#include <QCoreApplication>

namespace {

void installProbe()
{
    QCoreApplication::instance()->installEventFilter(new bench::QuitOnFirstPaint(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)

#pragma once
// Ends the program once its main window has been painted for the first time: the moment an operator
// would see it. The bare Qt window and Zorbon's start-up probe use this same test, so both stop at
// the same point.

#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QObject>

namespace bench {

class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_done && event->type() == QEvent::Paint) {
            auto* window = qobject_cast<QMainWindow*>(watched);
            if (window && window->isWindow()) {
                m_done = true;
                // Queued, so the rest of this paint pass (the window's children) still happens. exit()
                // rather than quit(): quit() would first try to close the windows, and Zorbon asks
                // before it closes.
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};

} // namespace bench

// Linked with Zorbon's own main.cpp into zorbon_probe: the program starts exactly as it does for the
// operator and leaves as soon as its first window is painted: the main window, or after a resume
// question (answered "Ano" as soon as it shows) the bracket window. Exists only in the benchmark build.

#include "firstpaint.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>

namespace {

// Answers the resume question the moment it is shown, as an operator's Enter would.
class AnswerResume : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("TPokracovat"))
            if (auto* yes = watched->findChild<QAbstractButton*>(QStringLiteral("Button1")))
                QMetaObject::invokeMethod(yes, &QAbstractButton::click, Qt::QueuedConnection);
        return QObject::eventFilter(watched, event);
    }
};

void installProbe()
{
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new AnswerResume(app));
    app->installEventFilter(new bench::QuitOnFirstPaint(app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)

#pragma once
// Helpers shared by the window tests: a private working directory and scripted dialogs.

#include "common/Dialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// Runs one step of a test (a helper, or an action whose dialogs run scripts) and ends the test
// function there when a check inside it failed: a failed QCOMPARE inside a helper or a dialog's
// script is recorded, but returns only from that function, and the test would go on against windows
// the step left half-way.
#define STEP(...)                                                                                                      \
    do {                                                                                                               \
        __VA_ARGS__;                                                                                                   \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)

// Enters a fresh temporary working directory and scripts the dialogs for the life of the object.
// An answer or script still queued at the end fails the test: the question or dialog it was meant
// for never came, so the checks inside it never ran.
class UiTestEnv {
public:
    UiTestEnv()
    {
        m_old = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        zorbon::ui::Dialogs::beginScripted();
    }
    ~UiTestEnv()
    {
        if (const int left = zorbon::ui::Dialogs::unanswered(); left > 0 && !QTest::currentTestFailed())
            QTest::qFail(qPrintable(QStringLiteral("%1 prepared answer(s) or dialog script(s) never used").arg(left)),
                         __FILE__, __LINE__);
        zorbon::ui::Dialogs::endScripted();
        QDir::setCurrent(m_old);
    }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_old;
};

// The child widget with this objectName; fails the test when there is none.
template <class T> T* child(QWidget* parent, const char* name)
{
    T* w = parent->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no %s named %s in %s", T::staticMetaObject.className(), name, qPrintable(parent->objectName()));
    return w;
}

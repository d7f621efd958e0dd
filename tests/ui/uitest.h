#pragma once
// Helpers shared by the window tests: a private working directory and scripted dialogs.

#include "common/Dialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

// Enters a fresh temporary working directory and scripts the dialogs for the life of the object.
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

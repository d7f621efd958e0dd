#include "common/ScreenFit.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>

#include <algorithm>

namespace zorbon::ui {
namespace {

QMargins frameOf(const QWidget* window)
{
    if (const QWindow* handle = window->windowHandle()) {
        const QMargins m = handle->frameMargins();
        if (!m.isNull())
            return m;
    }
    return {4, 30, 4, 4};
}

QRect availableArea(const QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Moves the window so that its frame lies on the screen, as far as the window's size allows.
void keepOnScreen(QWidget* window)
{
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    const QMargins frame = frameOf(window);
    const QSize outer = window->size().grownBy(frame);
    QPoint pos = window->pos();
    pos.setX(std::clamp(pos.x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())));
    pos.setY(std::clamp(pos.y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
    window->move(pos);
}

// The window's contents move into a scroll area that becomes its central widget; they grow with
// the window above their least size.
QScrollArea* scrollInstead(QMainWindow* window, QWidget* contents)
{
    window->takeCentralWidget();
    auto* area = new QScrollArea;
    area->setObjectName(QStringLiteral("ScreenFit"));
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    area->setWidgetResizable(true);
    area->setWidget(contents);
    window->setCentralWidget(area);
    return area;
}

} // namespace

QSize roomOnScreen(const QWidget* window)
{
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    return area.size().shrunkBy(frameOf(window));
}

QScrollArea* fitGrowingWindow(QMainWindow* window)
{
    if (window->isMaximized() || window->isFullScreen())
        return qobject_cast<QScrollArea*>(window->centralWidget());
    const QSize room = roomOnScreen(window);
    auto* area = qobject_cast<QScrollArea*>(window->centralWidget());
    QWidget* contents = area ? area->widget() : window->centralWidget();
    const int menu = window->menuWidget() ? window->menuWidget()->sizeHint().height() : 0;
    const QSize least = contents->minimumSize() + QSize(0, menu);
    if (!area && (least.width() > room.width() || least.height() > room.height())) {
        // The contents grow with the window but never below their least size: below it they scroll.
        area = scrollInstead(window, contents);
    }
    window->setMinimumSize(area ? QSize(240, 160) : least);
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize()));
    keepOnScreen(window);
    return area;
}

void fitResizableWindow(QWidget* window)
{
    const QSize room = roomOnScreen(window);
    if (window->width() > room.width() || window->height() > room.height())
        window->resize(window->size().boundedTo(room).expandedTo(window->minimumSize()));
    keepOnScreen(window);
}

} // namespace zorbon::ui

#pragma once
// Keeps the windows usable on a screen smaller than they are (a notebook screen at 200 % scaling):
// what does not fit scrolls instead of lying off the screen. On a screen that holds a window
// nothing about it changes.

#include <QSize>

class QMainWindow;
class QScrollArea;
class QWidget;

namespace zorbon::ui {

// The room for a window on its screen: the available area less the window's frame (a usual
// title bar and border until the window system has told the real one).
QSize roomOnScreen(const QWidget* window);

// A resizable main window (the main window, a bracket window) larger than the room on its screen is made smaller and
// moved onto it; when even its contents' least size does not fit, the contents scroll.
QScrollArea* fitGrowingWindow(QMainWindow* window);

// A resizable window larger than the room on its screen is made smaller and moved onto the screen.
void fitResizableWindow(QWidget* window);

} // namespace zorbon::ui

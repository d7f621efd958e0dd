// The floor for start-up: the least a Qt Widgets program with a window like Zorbon's main window
// costs. A menu bar, a four-button toolbar, ten labels and a read-only list; it leaves as soon as the
// window is first painted.

#include "firstpaint.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    app.installEventFilter(new bench::QuitOnFirstPaint(&app));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    for (const char* menu : {"&File", "&Commands", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
    QToolBar* bar = window.addToolBar(QStringLiteral("Tools"));
    for (const char* button : {"One", "Two", "Three", "Four"})
        bar->addAction(QString::fromLatin1(button));

    auto* client = new QWidget(&window);
    auto* layout = new QVBoxLayout(client);
    for (int i = 1; i <= 10; ++i)
        layout->addWidget(new QLabel(QStringLiteral("Label %1").arg(i), client));
    auto* list = new QPlainTextEdit(client);
    list->setReadOnly(true);
    layout->addWidget(list, 1);
    window.setCentralWidget(client);
    window.resize(660, 540);
    window.show();
    return QApplication::exec();
}

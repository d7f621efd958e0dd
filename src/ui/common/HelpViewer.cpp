#include "common/HelpViewer.h"

#include "common/Dialogs.h"
#include "common/ScreenFit.h"
#include "mainwindow/THlavniOkno.h"

#include <QAction>
#include <QFileInfo>
#include <QShowEvent>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace zorbon::ui {

HelpViewer::HelpViewer(QWidget* owner)
    : QMainWindow(owner, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName("HelpViewer");
    setWindowTitle(QStringLiteral("Zorbon - Nápověda"));
    m_browser->setObjectName("Browser");
    m_browser->setOpenExternalLinks(false);
    setCentralWidget(m_browser);

    auto* bar = addToolBar(QStringLiteral("Nápověda"));
    bar->setObjectName("HelpToolBar");
    bar->setMovable(false);
    // Keys as in a web browser: Alt+Home, Alt+Left, Alt+Right; Tab walks the links, Enter follows one.
    auto* contents = bar->addAction(QStringLiteral("Obsah"), this, [this] { openContents(); });
    contents->setObjectName("Obsah");
    contents->setShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key_Home)));
    m_back = bar->addAction(QStringLiteral("◀ Zpět"), m_browser, &QTextBrowser::backward);
    m_back->setObjectName("Zpet");
    m_back->setShortcut(QKeySequence::Back);
    m_forward = bar->addAction(QStringLiteral("Vpřed ▶"), m_browser, &QTextBrowser::forward);
    m_forward->setObjectName("Vpred");
    m_forward->setShortcut(QKeySequence::Forward);
    for (QAction* a : {contents, m_back, m_forward})
        a->setToolTip(QStringLiteral("%1 (%2)").arg(a->text(), a->shortcut().toString(QKeySequence::NativeText)));
    auto* close = new QAction(this);
    close->setObjectName("Zavrit");
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    resize(760, 600);
}

void HelpViewer::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        fitResizableWindow(this);
}

bool HelpViewer::openContents()
{
    const QFileInfo file(QString::fromUtf8(kHelpFile));
    if (!file.isFile())
        return false;
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    url.setFragment(QStringLiteral("obsah"));
    // The file's suffix says nothing about its type, so say it: the help is HTML.
    m_browser->setSource(url, QTextDocument::HtmlResource);
    return true;
}

void showHelp(QWidget* owner, QWidget* from)
{
    // The viewer belongs to the main window, which lives as long as the program, so it closes with it.
    if (!QFileInfo(QString::fromUtf8(kHelpFile)).isFile()) {
        Dialogs::message(from, QStringLiteral("Soubor nápovědy „%1“ nebyl nalezen.").arg(QString::fromUtf8(kHelpFile)));
        return;
    }
    auto* viewer = owner->findChild<HelpViewer*>(QString(), Qt::FindDirectChildrenOnly);
    if (!viewer)
        viewer = new HelpViewer(owner);
    viewer->openContents();
    viewer->show();
    viewer->browser()->setFocus();
    viewer->raise();
    viewer->activateWindow();
}

} // namespace zorbon::ui

// The application's style defers the overflow buttons' arrows: a start must load no image-format
// plugin, and the arrows, once shown, must be the ones the style Qt chose would have drawn.

#include "app/Zorbon.h"
#include "look/Style.h"
#include "mainwindow/THlavniOkno.h"
#include "uitest.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>

using namespace zorbon::ui;

namespace {

// Whether this process has opened an image-format plugin (the JPEG, GIF, icon or SVG reader).
bool imagePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains("/imageformats/");
}

QImage pixels(const QIcon& icon, int size)
{
    return icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class StyleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    // First: every later test reads the arrows, which loads the plugins.
    void aStartLoadsNoImagePlugin();
    void deferredArrowsAreTheBaseStylesArrows_data();
    void deferredArrowsAreTheBaseStylesArrows();
    void anOverflowingMenuBarLooksAsUnderTheBaseStyle();
};

void StyleTest::initTestCase()
{
    installStyle();
    QVERIFY(qobject_cast<Style*>(QApplication::style()));
}

void StyleTest::aStartLoadsNoImagePlugin()
{
    UiTestEnv env;
    QVERIFY(!imagePluginLoaded());
    Zorbon app;
    QVERIFY(app.start());
    QVERIFY(QTest::qWaitForWindowExposed(app.HlavniOkno));
    app.HlavniOkno->grab();
    QVERIFY2(!imagePluginLoaded(), "the windows read an image as the program started");
    app.finish();
}

void StyleTest::deferredArrowsAreTheBaseStylesArrows_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("withOption");
    for (const auto& [name, which] : {std::pair{"horizontal", QStyle::SP_ToolBarHorizontalExtensionButton},
                                      std::pair{"vertical", QStyle::SP_ToolBarVerticalExtensionButton}}) {
        QTest::addRow("%s, left to right", name) << int(which) << int(Qt::LeftToRight) << true;
        QTest::addRow("%s, right to left", name) << int(which) << int(Qt::RightToLeft) << true;
        QTest::addRow("%s, no option", name) << int(which) << int(Qt::LeftToRight) << false;
    }
}

void StyleTest::deferredArrowsAreTheBaseStylesArrows()
{
    QFETCH(int, which);
    QFETCH(int, direction);
    QFETCH(bool, withOption);
    auto* style = qobject_cast<Style*>(QApplication::style());
    QVERIFY(style);
    const auto sp = QStyle::StandardPixmap(which);
    QStyleOption option;
    option.direction = Qt::LayoutDirection(direction);
    const QStyleOption* given = withOption ? &option : nullptr;
    const QIcon deferred = style->standardIcon(sp, given);
    const QIcon base = style->baseStyle()->standardIcon(sp, given);
    QVERIFY(!base.isNull());
    QVERIFY(!deferred.isNull());
    QCOMPARE(deferred.availableSizes(), base.availableSizes());
    for (const int size : {8, 16, 24, 32})
        QCOMPARE(pixels(deferred, size), pixels(base, size));
    // A copy made before the first paint draws the same arrow.
    const QIcon copy = style->standardIcon(sp, given);
    QIcon copied = copy;
    QCOMPARE(pixels(copied, 16), pixels(base, 16));
}

void StyleTest::anOverflowingMenuBarLooksAsUnderTheBaseStyle()
{
    // Too narrow for its menus and its tools: both bars show their overflow buttons with the arrows.
    auto grabBars = [] {
        QMainWindow window;
        for (int i = 0; i < 8; ++i)
            window.menuBar()->addMenu(QStringLiteral("Nabídka %1").arg(i))->addAction(QStringLiteral("Položka"));
        QToolBar* tools = window.addToolBar(QStringLiteral("Nástroje"));
        for (int i = 0; i < 8; ++i)
            tools->addAction(QStringLiteral("Akce %1").arg(i));
        window.resize(160, 120);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return QImage();
        return window.grab().toImage();
    };
    const QImage proxied = grabBars();
    const auto* style = qobject_cast<QProxyStyle*>(QApplication::style());
    QVERIFY(style);
    QApplication::setStyle(QStyleFactory::create(style->baseStyle()->name()));
    const QImage direct = grabBars();
    installStyle();
    QVERIFY(!proxied.isNull());
    QCOMPARE(proxied, direct);
}

QTEST_MAIN(StyleTest)
#include "style_test.moc"

#include "app/Zorbon.h"
#include "app/version.h"
#include "bracket/tables.h"
#include "look/Style.h"
#include "tournament/tournament.h"

#include <QApplication>
#include <QClipboard>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <future>

namespace {

// Text copied from the program lives in it until Qt hands it over to the desktop as it shuts down.
bool holdsCopiedText()
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    return clipboard->ownsClipboard() || (clipboard->supportsSelection() && clipboard->ownsSelection());
}

} // namespace

int main(int argc, char* argv[])
{
    // The bracket tables, the font configuration and the journal need no Qt. One more thread builds
    // the tables (the command layer's four brackets need them as soon as Qt has started), reads the
    // system's font configuration (files of XML and font caches, which Qt asks for when the main
    // window is first laid out), then takes the working folder and opens the journal while the
    // windows are made; they take the journal once they are built. On two cores the two threads
    // overlap without a third competing. The locale is the environment's from here on, as Qt would
    // set it: setting it later, while that thread reads it, would race.
    std::setlocale(LC_ALL, "");
    std::future<zorbon::ui::Zorbon::Prepared> prepared = std::async(std::launch::async, [] {
        for (const int size : zorbon::kBracketSizes)
            zorbon::tableFor(size);
        FcInit();
        return zorbon::ui::Zorbon::prepare();
    });
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorbon"));
    QApplication::setApplicationVersion(QString::fromLatin1(zorbon::kVersion));
    zorbon::ui::installStyle();

    // Qt's own buttons and dialogs (Yes/No, the print dialog) speak Czech like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    zorbon::ui::Zorbon zorbon([&prepared] { return prepared.get(); });
    if (!zorbon.start())
        return 1;
    const int code = QApplication::exec();
    if (holdsCopiedText())
        return code;
    // What the next start needs is on disk once the journal is closed. Tearing down 29 windows and
    // Qt would only free memory that the system frees at once, and keep the operator waiting.
    zorbon.finish();
    std::fflush(nullptr);
    std::_Exit(code);
}

#include "app/Zorbon.h"
#include "app/version.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorbon"));
    QApplication::setApplicationVersion(QString::fromLatin1(zorbon::kVersion));

    // Qt's own buttons and dialogs (Yes/No, the print dialog) speak Czech like the rest of the program.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    zorbon::ui::Zorbon zorbon;
    if (!zorbon.start())
        return 1;
    return QApplication::exec();
}

#include "common/Printing.h"

#include "common/Dialogs.h"
#include "common/Modules.h"

#include <QDialog>

namespace zorbon::ui {

QDialog* printDialog(QWidget* window, const QString& objectName, const std::function<void(Printer&)>& setUp)
{
    if (auto* made = window->findChild<QDialog*>(objectName, Qt::FindDirectChildrenOnly))
        return made;
    QString problem;
    const auto make = reinterpret_cast<MakePrintDialog>(
        moduleSymbol(QString::fromLatin1(kPrintModuleFile), kMakePrintDialog, &problem));
    if (!make) {
        Dialogs::message(window, QStringLiteral("Tisk není k dispozici: %1.").arg(problem));
        return nullptr;
    }
    QDialog* dialog = make(window);
    dialog->setObjectName(objectName);
    if (setUp)
        setUp(printerOf(dialog));
    return dialog;
}

Printer& printerOf(QDialog* dialog)
{
    return *qobject_cast<Printer*>(dialog);
}

} // namespace zorbon::ui

#pragma once
// The print dialogs, made through the printing module (common/PrintModule.h) on first use.

#include "common/PrintModule.h"

#include <QString>

#include <functional>

namespace zorbon::ui {

// The window's print dialog named `objectName` (a direct child), made on its first use, when
// `setUp` prepares its printer. When the printing module cannot be opened, the operator is told why
// and there is no dialog (nullptr).
QDialog* printDialog(QWidget* window, const QString& objectName, const std::function<void(Printer&)>& setUp = {});

// The printer a dialog from printDialog prints on.
Printer& printerOf(QDialog* dialog);

} // namespace zorbon::ui

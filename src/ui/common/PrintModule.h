#pragma once
// What the printing module hands out. Printing needs the toolkit's print support, which costs every
// start a good deal to load, so it lives in a module of its own (libzorbon_print.so) that is opened
// on the first print. The module knows nothing of the program but this header.

#include <QObject>

class QDialog;
class QPagedPaintDevice;
class QWidget;

namespace zorbon::ui {

// A printer as its print dialog sets it up. The dialog itself is one: qobject_cast<Printer*>(dialog).
class Printer {
public:
    virtual ~Printer() = default;
    // The page within its margins to paint on; newPage() and the page layout through it.
    virtual QPagedPaintDevice* device() = 0;
    virtual void setCopyCount(int copies) = 0;
};

// The module's one entry point: the system print dialog over a high-resolution printer of its own
// that lives as long as the dialog, a child of `parent`.
using MakePrintDialog = QDialog* (*)(QWidget* parent);
inline constexpr const char* kPrintModuleFile = "libzorbon_print.so";
inline constexpr const char* kMakePrintDialog = "zorbon_make_print_dialog";

} // namespace zorbon::ui

#define ZORBON_PRINTER_IID "zorbon.ui.Printer/1"
Q_DECLARE_INTERFACE(zorbon::ui::Printer, ZORBON_PRINTER_IID)

#pragma once
// The printing module's dialog: the system print dialog over a printer of its own.

#include "common/PrintModule.h"

#include <QPrintDialog>
#include <QPrinter>

namespace zorbon::print {

// The printer, made before the dialog and deleted only after it, as the dialog's last child.
class PrinterHolder : public QObject {
public:
    QPrinter printer{QPrinter::HighResolution};
};

class PrintDialog : public QPrintDialog, public zorbon::ui::Printer {
    Q_OBJECT
    Q_INTERFACES(zorbon::ui::Printer)
public:
    PrintDialog(PrinterHolder* holder, QWidget* parent)
        : QPrintDialog(&holder->printer, parent)
        , m_holder(holder)
    {
        holder->setParent(this);
    }
    QPagedPaintDevice* device() override { return &m_holder->printer; }
    void setCopyCount(int copies) override { m_holder->printer.setCopyCount(copies); }

private:
    PrinterHolder* m_holder;
};

} // namespace zorbon::print

// The printing module: the system print dialog with a printer of its own (common/PrintModule.h).

#include "common/PrintModule.h"

#include <QPrintDialog>
#include <QPrinter>

#include <type_traits>

namespace {

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

} // namespace

extern "C" Q_DECL_EXPORT QDialog* zorbon_make_print_dialog(QWidget* parent)
{
    return new PrintDialog(new PrinterHolder, parent);
}

// The entry point is what the program calls.
static_assert(std::is_same_v<decltype(&zorbon_make_print_dialog), zorbon::ui::MakePrintDialog>);

#include "PrintModule.moc"

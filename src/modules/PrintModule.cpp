// The printing module: the system print dialog with a printer of its own (common/PrintModule.h).

#include "PrintDialog.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT QDialog* zorbon_make_print_dialog(QWidget* parent)
{
    using zorbon::print::PrintDialog;
    using zorbon::print::PrinterHolder;
    return new PrintDialog(new PrinterHolder, parent);
}

// The entry point is what the program calls.
static_assert(std::is_same_v<decltype(&zorbon_make_print_dialog), zorbon::ui::MakePrintDialog>);

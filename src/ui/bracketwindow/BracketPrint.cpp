#include "bracketwindow/BracketPrint.h"

#include "common/Guard.h"
#include "look/BracketPainter.h"

#include "results/exports.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace zorbon::ui {
namespace {

const QString kDialogName = QStringLiteral("PrintDialogPavouk");

struct OwnPrinter {
    QPrinter ownPrinter{QPrinter::HighResolution};
};

// The print dialog with a printer of its own, made before the dialog and gone only after it.
class BracketPrintDialog : private OwnPrinter, public QPrintDialog {
public:
    explicit BracketPrintDialog(QWidget* parent)
        : OwnPrinter()
        , QPrintDialog(&ownPrinter, parent)
    {
        setObjectName(kDialogName);
        // One by one: a printer whose least margins are wider still takes the paper and the orientation.
        const QPageLayout page = bracketPageLayout();
        ownPrinter.setPageSize(page.pageSize());
        ownPrinter.setPageOrientation(page.orientation());
        ownPrinter.setPageMargins(page.margins(), page.units());
    }
};

// One page, or two where one cannot hold the bracket legibly; `next` starts a new page.
template <class NewPage>
bool paintPages(QPainter& painter, const QPaintDevice& device, const Bracket& bracket, const TournamentHeader& header,
                NewPage next)
{
    // The device is the page within its margins.
    const QRectF page(0, 0, device.width(), device.height());
    bool first = true;
    for (const BracketPart part : pagesFor(&device, page, bracket)) {
        if (!first && !next())
            return false;
        first = false;
        paintBracket(painter, page, bracket, header, BracketStyle::Paper, part);
    }
    return true;
}

} // namespace

QPageLayout bracketPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(6, 6, 6, 6),
                       QPageLayout::Millimeter);
}

bool printBracket(QPrinter& printer, const Bracket& bracket, const TournamentHeader& header)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const bool printed = paintPages(painter, printer, bracket, header, [&printer] { return printer.newPage(); });
    return painter.end() && printed;
}

QByteArray bracketPdf(const Bracket& bracket, const TournamentHeader& header)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(bracketPageLayout());
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("Zorbon"));
        writer.setTitle(qs(header.name) + QStringLiteral(" - pavouk"));
        QPainter painter(&writer);
        paintPages(painter, writer, bracket, header, [&writer] { return writer.newPage(); });
        painter.end();
    }
    buffer.close();
    return bytes;
}

void tiskPavouka(QWidget* window, const Bracket& bracket, const TournamentHeader& header)
{
    auto* dialog = window->findChild<QPrintDialog*>(kDialogName, Qt::FindDirectChildrenOnly);
    if (!dialog)
        dialog = new BracketPrintDialog(window);
    dialog->printer()->setCopyCount(1);
    if (Dialogs::exec(dialog) != QDialog::Accepted)
        return;
    if (!printBracket(*dialog->printer(), bracket, header))
        Dialogs::error(window, QStringLiteral("Tisk se nezdařil"));
}

} // namespace zorbon::ui

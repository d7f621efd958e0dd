#include "bracketwindow/BracketPrint.h"

#include "common/Guard.h"
#include "common/Printing.h"
#include "look/BracketPainter.h"

#include "results/exports.h"

#include <QBuffer>
#include <QDialog>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace zorbon::ui {
namespace {

const QString kDialogName = QStringLiteral("PrintDialogPavouk");

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

bool printBracket(QPagedPaintDevice& printer, const Bracket& bracket, const TournamentHeader& header)
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
    QDialog* dialog = printDialog(window, kDialogName, [](Printer& printer) {
        // One by one: a printer whose least margins are wider still takes the paper and the orientation.
        const QPageLayout page = bracketPageLayout();
        printer.device()->setPageSize(page.pageSize());
        printer.device()->setPageOrientation(page.orientation());
        printer.device()->setPageMargins(page.margins(), page.units());
    });
    if (!dialog)
        return;
    Printer& printer = printerOf(dialog);
    printer.setCopyCount(1);
    if (Dialogs::exec(dialog) != QDialog::Accepted)
        return;
    if (!printBracket(*printer.device(), bracket, header))
        Dialogs::error(window, QStringLiteral("Tisk se nezdařil"));
}

} // namespace zorbon::ui

#pragma once
// The bracket on one landscape page: printed through the print dialog, or written into "export/"
// as a PDF document.

#include <QByteArray>
#include <QPageLayout>

class QPrinter;
class QWidget;

namespace zorbon {
class Bracket;
struct TournamentHeader;
} // namespace zorbon

namespace zorbon::ui {

// A4 landscape with narrow margins: the PDF's page and the printer's until the operator picks another.
QPageLayout bracketPageLayout();

// Draws the bracket on one page of the printer as it is set up (any paper size); false when the
// printer cannot start.
bool printBracket(QPrinter& printer, const Bracket& bracket, const TournamentHeader& header);

// The same page as a PDF document in memory, on A4 landscape.
QByteArray bracketPdf(const Bracket& bracket, const TournamentHeader& header);

// "Tisk pavouka": the window's print dialog (made on first use, objectName "PrintDialogPavouk"), then
// the page on the printer chosen there. Storno prints nothing.
void tiskPavouka(QWidget* window, const Bracket& bracket, const TournamentHeader& header);

} // namespace zorbon::ui

#pragma once
// The bracket on landscape paper: printed through the print dialog, or written into "export/" as a
// PDF document. One page where it fits legibly, else the winners' side with the final on the first
// page and the losers' side on the second.

#include <QByteArray>
#include <QPageLayout>

class QPagedPaintDevice;
class QWidget;

namespace zorbon {
class Bracket;
struct TournamentHeader;
} // namespace zorbon

namespace zorbon::ui {

// A4 landscape with narrow margins: the PDF's page and the printer's until the operator picks another.
QPageLayout bracketPageLayout();

// Draws the bracket on the printer as it is set up (any paper size), on one page or two; false when
// the printer cannot start.
bool printBracket(QPagedPaintDevice& printer, const Bracket& bracket, const TournamentHeader& header);

// The same pages as a PDF document in memory, on A4 landscape.
QByteArray bracketPdf(const Bracket& bracket, const TournamentHeader& header);

// "Tisk pavouka": the window's print dialog (made on first use, objectName "PrintDialogPavouk"), then
// the page on the printer chosen there. Storno prints nothing; without the printing module the
// operator is told why printing is not available.
void tiskPavouka(QWidget* window, const Bracket& bracket, const TournamentHeader& header);

} // namespace zorbon::ui

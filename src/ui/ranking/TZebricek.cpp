#include "ranking/TZebricek.h"

#include "app/Model.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/Printing.h"
#include "common/ScreenFit.h"
#include "common/WindowFrame.h"
#include "look/Look.h"

#include "ranking/ranking_export.h"

#include <QBuffer>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPdfWriter>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextDocument>

namespace zorbon::ui {
namespace {

const QString kIsoDate = QStringLiteral("yyyy-MM-dd");

QString iso(const QDateEdit* edit)
{
    return edit->date().toString(kIsoDate);
}

// The ranking's page as Qt's rich text lays it out, for the printer and the PDF alike.
void printSheet(const RankingSheet& sheet, QPagedPaintDevice* device)
{
    QTextDocument doc;
    doc.setHtml(qs(rankingHtml(sheet)));
    doc.print(device);
}

} // namespace

TZebricek::TZebricek(Model& model)
    : m_model(model)
{
    setObjectName(QStringLiteral("TZebricek"));
    setWindowTitle(QStringLiteral("Zorbon - Žebříček"));
    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        // A tournament that ends joins the archive the ranking counts.
        if ((what & kTournamentChanged) && isVisible())
            fill();
    });
}

TZebricek::~TZebricek() = default;

void TZebricek::build()
{
    paintBackground(this, TColor::clYellow);
    auto dateEdit = [this](const char* name) {
        auto* d = new QDateEdit(this);
        d->setObjectName(QString::fromLatin1(name));
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("d. M. yyyy"));
        d->setMinimumWidth(130);
        connect(d, &QDateEdit::dateChanged, this, [this] { fill(); });
        return d;
    };
    const auto [from, to] = m_model.core().thisSeason();
    m_from = dateEdit("DatumOd");
    m_to = dateEdit("DatumDo");
    m_from->setDate(QDate::fromString(qs(from), kIsoDate));
    m_to->setDate(QDate::fromString(qs(to), kIsoDate));
    auto* period = new QHBoxLayout;
    auto* fromLabel = new QLabel(QStringLiteral("Období od :"), this);
    fromLabel->setBuddy(m_from);
    auto* toLabel = new QLabel(QStringLiteral("do :"), this);
    toLabel->setBuddy(m_to);
    period->addWidget(fromLabel);
    period->addWidget(m_from);
    period->addWidget(toLabel);
    period->addWidget(m_to);
    period->addStretch(1);

    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(QStringLiteral("Tabulka"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Pořadí"), QStringLiteral("Hráč"), QStringLiteral("Body"),
                                        QStringLiteral("Turnaje"), QStringLiteral("Vítězství"),
                                        QStringLiteral("Nejlepší umístění")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_table->setMinimumSize(560, 360);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Label1"));
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);

    auto* pointsBox = new QGroupBox(QStringLiteral("Body za umístění"), this);
    pointsBox->setObjectName(QStringLiteral("BodyZaUmisteni"));
    auto* grid = new QGridLayout(pointsBox);
    grid->setVerticalSpacing(3);
    int row = 0;
    for (const PointsBand& band : defaultPoints()) {
        auto* spin = new QSpinBox(pointsBox);
        spin->setObjectName(QStringLiteral("Body%1").arg(row + 1));
        spin->setRange(0, kMaxBandPoints);
        spin->setKeyboardTracking(false);
        connect(spin, &QSpinBox::valueChanged, this, [this] { pointsChanged(); });
        auto* label = new QLabel(qs(bandText(band.from, band.to) + " místo"), pointsBox);
        label->setBuddy(spin);
        grid->addWidget(label, row, 0);
        grid->addWidget(spin, row, 1);
        m_points.push_back(spin);
        ++row;
    }
    grid->setRowStretch(row, 1);

    auto button = [this](const char* name, const QString& text, const QString& hint, void (TZebricek::*handler)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    auto* print = button("Tisk", QStringLiteral("Tisk"), QStringLiteral("Vytisknout žebříček"), &TZebricek::TiskClick);
    auto* pdf = button("ExportPdf", QStringLiteral("Uložit PDF"),
                       QStringLiteral("Uložit žebříček do adresáře export jako PDF"), &TZebricek::ExportPdfClick);
    auto* csv =
        button("ExportCsv", QStringLiteral("Export do CSV"),
               QStringLiteral("Uložit žebříček do adresáře export pro tabulkový procesor"), &TZebricek::ExportCsvClick);
    auto* html =
        button("ExportHtml", QStringLiteral("Export do HTML"),
               QStringLiteral("Uložit žebříček do adresáře export jako webovou stránku"), &TZebricek::ExportHtmlClick);
    auto* close = closeButton(this, QStringLiteral("Zavrit"));

    auto* middle = new QHBoxLayout;
    middle->addWidget(m_table, 1);
    middle->addWidget(pointsBox);
    auto* layout = windowColumn(this);
    layout->addLayout(period);
    layout->addLayout(middle, 1);
    layout->addWidget(m_status);
    layout->addLayout(buttonRow({print, pdf, csv, html}, close));
    resize(860, 560);
}

void TZebricek::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    fitResizableWindow(this);
    fill();
    m_table->setFocus();
}

void TZebricek::fill()
{
    if (!m_table || m_filling)
        return;
    m_filling = true;
    const std::string from = iso(m_from).toStdString();
    const std::string to = iso(m_to).toStdString();
    Result<RankingSheet> o = m_model.perform(this, [&](Tournament& t) { return t.ranking(from, to); });
    // What the outcome says is kept before its sheet is taken out of it.
    const bool read = o.ok();
    const std::string problem = o.message();
    m_sheet = std::move(o).value();
    for (std::size_t i = 0; i < m_points.size() && i < m_sheet.bands.size(); ++i)
        m_points[i]->setValue(m_sheet.bands[i].points);
    // New items into an empty table: replacing items one by one would fit the columns to their
    // contents again after every cell.
    m_table->setUpdatesEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(0);
    m_table->setRowCount(static_cast<int>(m_sheet.rows.size()));
    for (int r = 0; r < static_cast<int>(m_sheet.rows.size()); ++r) {
        const std::vector<std::string> cells = rankingCells(m_sheet.rows[static_cast<std::size_t>(r)]);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c) {
            auto* item = new QTableWidgetItem(qs(cells[static_cast<std::size_t>(c)]));
            if (c != 1 && c != 5)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    }
    m_table->setUpdatesEnabled(true);
    if (!read)
        m_status->setText(QStringLiteral("Žebříček nelze sestavit: ") + qs(problem));
    else if (m_sheet.from > m_sheet.to)
        m_status->setText(QStringLiteral("Začátek období je až po jeho konci."));
    else if (m_sheet.rows.empty())
        m_status->setText(QStringLiteral("V tomto období neskončil žádný dohraný turnaj."));
    else
        m_status->setText(QStringLiteral("Hráčů v žebříčku: %1. Počítají se ukončené turnaje s odehraným finále.")
                              .arg(m_sheet.rows.size()));
    m_filling = false;
}

void TZebricek::pointsChanged()
{
    if (m_filling)
        return;
    std::vector<PointsBand> bands = defaultPoints();
    for (std::size_t i = 0; i < bands.size() && i < m_points.size(); ++i)
        bands[i].points = m_points[i]->value();
    m_model.act(this, [&](Tournament& t) { return t.setRankingPoints(bands); });
    fill();
}

void TZebricek::TiskClick()
{
    QDialog* dialog = printDialog(this, QStringLiteral("PrintDialog1"));
    if (!dialog)
        return;
    Printer& printer = printerOf(dialog);
    printer.setCopyCount(1);
    if (Dialogs::exec(dialog) != QDialog::Accepted)
        return;
    printSheet(m_sheet, printer.device());
}

QByteArray TZebricek::pdf() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(qs(rankingTitle(m_sheet)));
        writer.setCreator(QStringLiteral("Zorbon"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setResolution(300);
        printSheet(m_sheet, &writer);
    }
    return bytes;
}

void TZebricek::ExportPdfClick()
{
    const Result<std::string> confirmation = m_model.run(
        this, [this](Tournament& t) { return t.exportRankingPdf(m_sheet, [this] { return pdf().toStdString(); }); });
    if (confirmation.ok())
        Dialogs::message(this, qs(*confirmation));
}

void TZebricek::ExportCsvClick()
{
    const Result<std::string> confirmation =
        m_model.run(this, [this](Tournament& t) { return t.exportRankingCsv(m_sheet); });
    if (confirmation.ok())
        Dialogs::message(this, qs(*confirmation));
}

void TZebricek::ExportHtmlClick()
{
    const Result<std::string> confirmation =
        m_model.run(this, [this](Tournament& t) { return t.exportRankingHtml(m_sheet); });
    if (confirmation.ok())
        Dialogs::message(this, qs(*confirmation));
}

} // namespace zorbon::ui

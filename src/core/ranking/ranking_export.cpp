#include "ranking/ranking_export.h"

#include "results/exports.h"
#include "results/standings.h"

namespace zorbon {

std::string rankingFileName(const RankingSheet& sheet)
{
    return "Žebříček " + sheet.from + " až " + sheet.to;
}

std::vector<std::string> rankingCells(const RankingRow& row)
{
    return {std::to_string(row.rank) + ".", row.player,
            std::to_string(row.points),     std::to_string(row.tournaments),
            std::to_string(row.wins),       bandText(row.bestFrom, row.bestTo) + " místo"};
}

namespace {

const char* const kColumns[] = {"Pořadí", "Hráč", "Body", "Turnaje", "Vítězství", "Nejlepší umístění"};

void csvLine(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i)
            out += ';';
        appendCsvField(out, fields[i]);
    }
    out += "\r\n";
}

} // namespace

std::string rankingCsv(const RankingSheet& sheet)
{
    std::string out = "\xEF\xBB\xBF";
    csvLine(out, {rankingTitle(sheet)});
    csvLine(out, {"Body za umístění", pointsLine(sheet.bands)});
    out += "\r\n";
    csvLine(out, {std::begin(kColumns), std::end(kColumns)});
    for (const RankingRow& row : sheet.rows)
        csvLine(out, rankingCells(row));
    return out;
}

std::string rankingHtml(const RankingSheet& sheet)
{
    const std::string title = htmlEscape(rankingTitle(sheet));
    std::string out = "<!DOCTYPE html>\n<html lang=\"cs\">\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
                      "</title>\n<style>\nbody { font-family: sans-serif; margin: 2em; }\n"
                      "table { border-collapse: collapse; }\n"
                      "th, td { border: 1px solid #888; padding: 0.25em 0.6em; }\n"
                      "td.n { text-align: right; }\n</style>\n</head>\n<body>\n<h1>" +
                      title + "</h1>\n<p>Body za umístění: " + htmlEscape(pointsLine(sheet.bands)) + "</p>\n";
    // Table attributes as well as the style: the print and the PDF lay it out with Qt's rich text,
    // which reads only those.
    out += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n<tr>";
    for (const char* c : kColumns)
        out += std::string("<th>") + c + "</th>";
    out += "</tr>\n";
    for (const RankingRow& row : sheet.rows) {
        const std::vector<std::string> cells = rankingCells(row);
        out += "<tr>";
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i == 1 || i == 5 ? "<td>" : "<td class=\"n\" align=\"right\">") + htmlEscape(cells[i]) + "</td>";
        out += "</tr>\n";
    }
    out += "</table>\n<p>Vytvořeno programem Zorbon</p>\n</body>\n</html>\n";
    return out;
}

std::string exportRankingFile(const RankingSheet& sheet, std::string_view ext, std::string_view bytes)
{
    const std::string path = exportPath("export", rankingFileName(sheet), ext);
    writeExportFile(path, bytes);
    return "Žebříček byl uložen do adresáře export jako soubor: " + path.substr(std::string_view("export/").size());
}

} // namespace zorbon

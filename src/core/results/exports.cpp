#include "results/exports.h"

#include "records/errors.h"
#include "records/files.h"

namespace zorbon {
namespace {

std::string cannotCreate(const std::string& path)
{
    return "Cannot create file " + path;
}

// A spreadsheet reads ';' as the next field and a line break as the next row: such a field is quoted.
void appendField(std::string& out, std::string_view field)
{
    if (field.find_first_of(";\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

} // namespace

std::string exportPath(std::string_view folder, const std::string& name, std::string_view ext)
{
    std::string path(folder);
    path += '/';
    path += name;
    path += ext;
    if (name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos || name.find("..") != std::string::npos)
        throw IoError(cannotCreate(path));
    return path;
}

void writeExportFile(const std::string& path, std::string_view bytes)
{
    try {
        replaceFile(path, bytes);
    } catch (const IoError&) {
        throw IoError(cannotCreate(path));
    }
}

std::string resultsCsv(const std::vector<std::string>& displayed)
{
    static constexpr std::string_view kMark = "místo ";
    std::string out = "\xEF\xBB\xBF";
    out += "Umístění;Hráč\r\n";
    for (const std::string& line : displayed) {
        const std::size_t at = line.find(kMark);
        // Every displayed line carries a placing; a line without one keeps its whole text as the name.
        const std::size_t nameAt = at == std::string::npos ? 0 : at + kMark.size();
        const std::string_view placing(line.data(), nameAt == 0 ? 0 : nameAt - 1);
        appendField(out, placing);
        out += ';';
        appendField(out, std::string_view(line).substr(nameAt));
        out += "\r\n";
    }
    return out;
}

std::string exportResultsCsv(const std::string& tournamentName, const std::vector<std::string>& displayed)
{
    writeExportFile(exportPath("export", tournamentName, ".csv"), resultsCsv(displayed));
    return "Výsledková listina byla uložena do adresáře export jako soubor: " + tournamentName + ".csv";
}

std::string exportBracketPdf(const std::string& tournamentName, std::string_view pdf)
{
    writeExportFile(exportPath("export", tournamentName, kBracketPdfSuffix), pdf);
    return "Pavouk byl uložen do adresáře export jako soubor: " + tournamentName + std::string(kBracketPdfSuffix);
}

} // namespace zorbon

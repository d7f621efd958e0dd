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

// Length of the well-formed UTF-8 character at `at`, or 0 for a byte that does not start one.
std::size_t utf8Length(std::string_view s, std::size_t at)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[at + k]); };
    const unsigned char c = byte(0);
    if (c < 0x80)
        return 1;
    const std::size_t len = c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c < 0xF5 ? 4 : 0;
    if (len == 0 || at + len > s.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((byte(k) & 0xC0) != 0x80)
            return 0;
    // Overlong forms, UTF-16 surrogates and code points above U+10FFFF are not characters.
    if ((c == 0xE0 && byte(1) < 0xA0) || (c == 0xED && byte(1) >= 0xA0) || (c == 0xF0 && byte(1) < 0x90) ||
        (c == 0xF4 && byte(1) >= 0x90))
        return 0;
    return len;
}

} // namespace

std::string safeFileName(std::string_view name)
{
    // Room for the longest ending (" - pavouk.pdf") within the 255 bytes a file name may have.
    constexpr std::size_t kMostBytes = 240;
    std::string out;
    out.reserve(name.size());
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t len = utf8Length(name, i);
        if (len == 0) {
            out += '-';
            ++i;
            continue;
        }
        const auto c = static_cast<unsigned char>(name[i]);
        // C0 controls, DEL and the C1 controls (U+0080..U+009F, "\xC2\x80".."\xC2\x9F").
        const bool control = c < 0x20 || c == 0x7F || (c == 0xC2 && static_cast<unsigned char>(name[i + 1]) < 0xA0);
        if (control || (len == 1 && std::string_view("/\\:*?\"<>|").find(name[i]) != std::string_view::npos))
            out += '-';
        else
            out.append(name.substr(i, len));
        i += len;
    }
    auto trim = [&out] {
        const std::size_t first = out.find_first_not_of(". ");
        if (first == std::string::npos) {
            out.clear();
            return;
        }
        out.erase(out.find_last_not_of(". ") + 1);
        out.erase(0, first);
    };
    trim();
    if (out.size() > kMostBytes) {
        std::size_t cut = kMostBytes;
        while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80)
            --cut; // never half a character
        out.resize(cut);
        trim();
    }
    return out.empty() ? std::string(kUnnamedFile) : out;
}

std::string exportPath(std::string_view folder, std::string_view name, std::string_view ext)
{
    std::string path(folder);
    path += '/';
    path += safeFileName(name);
    path += ext;
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

void appendCsvField(std::string& out, std::string_view field)
{
    appendField(out, field);
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
    const std::string file = safeFileName(tournamentName);
    writeExportFile(exportPath("export", file, ".csv"), resultsCsv(displayed));
    return "Výsledková listina byla uložena do adresáře export jako soubor: " + file + ".csv";
}

std::string exportBracketPdf(const std::string& tournamentName, std::string_view pdf)
{
    const std::string file = safeFileName(tournamentName);
    writeExportFile(exportPath("export", file, kBracketPdfSuffix), pdf);
    return "Pavouk byl uložen do adresáře export jako soubor: " + file + std::string(kBracketPdfSuffix);
}

} // namespace zorbon

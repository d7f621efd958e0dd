#include "records/textcodec.h"

#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <stdexcept>

namespace zorbon {
namespace {

bool undefinedInCp1250(unsigned char b)
{
    return b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
}

class Converter {
public:
    Converter(const char* to, const char* from)
        : m_cd(iconv_open(to, from))
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as it can; returns the number of input bytes left at an unconvertible point.
    std::size_t run(std::string_view& in, std::string& out)
    {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char buf[1024];
        while (!in.empty()) {
            char* src = const_cast<char*>(in.data());
            std::size_t srcLeft = in.size();
            char* dst = buf;
            std::size_t dstLeft = sizeof buf;
            const std::size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
            out.append(buf, static_cast<std::size_t>(dst - buf));
            in.remove_prefix(in.size() - srcLeft);
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG)
                return in.size();
        }
        return 0;
    }

private:
    iconv_t m_cd;
};

} // namespace

std::optional<std::string> toCp1250(std::string_view utf8)
{
    thread_local Converter conv("CP1250", "UTF-8");
    std::string out;
    out.reserve(utf8.size());
    while (conv.run(utf8, out) != 0) {
        const auto b0 = static_cast<unsigned char>(utf8[0]);
        const auto b1 = static_cast<unsigned char>(utf8.size() > 1 ? utf8[1] : '\0');
        if (b0 == 0xC2 && undefinedInCp1250(b1)) {
            out.push_back(static_cast<char>(b1));
            utf8.remove_prefix(2);
            continue;
        }
        return std::nullopt;
    }
    return out;
}

std::string fromCp1250(std::string_view bytes)
{
    thread_local Converter conv("UTF-8", "CP1250");
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    while (conv.run(bytes, out) != 0) {
        // Every defined byte converts, so what stops the converter is one of the undefined ones.
        const auto b = static_cast<unsigned char>(bytes[0]);
        out.push_back(static_cast<char>(0xC0 | (b >> 6)));
        out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
        bytes.remove_prefix(1);
    }
    return out;
}

bool fitsCp1250(std::string_view utf8)
{
    return toCp1250(utf8).has_value();
}

bool hasControlCharacter(std::string_view utf8, std::string_view allowed)
{
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c < 0x20 || c == 0x7F) && allowed.find(static_cast<char>(c)) == std::string_view::npos)
            return true;
        if (c == 0xC2 && i + 1 < utf8.size()) {
            const auto next = static_cast<unsigned char>(utf8[i + 1]);
            if (next >= 0x80 && next <= 0x9F)
                return true;
        }
    }
    return false;
}

bool isValidUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        std::uint32_t cp = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
            cp = b & 0x1Fu;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            cp = b & 0x0Fu;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            cp = b & 0x07u;
        } else {
            return false;
        }
        if (i + len > s.size())
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        const std::uint32_t least = len == 3 ? 0x800 : len == 4 ? 0x10000 : 0x80;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

std::string textFromFile(std::string_view bytes)
{
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (bytes.substr(0, kBom.size()) == kBom)
        bytes.remove_prefix(kBom.size());
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return fromCp1250(bytes);
}

} // namespace zorbon

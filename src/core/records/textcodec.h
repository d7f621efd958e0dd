#pragma once
// Conversion between the program's UTF-8 text and the Windows-1250 bytes of its files.

#include <optional>
#include <string>
#include <string_view>

namespace zorbon {

// UTF-8 to Windows-1250; nullopt when the text holds a character the code page cannot hold.
std::optional<std::string> toCp1250(std::string_view utf8);

// Windows-1250 to UTF-8. The five byte values the code page leaves undefined come back as the
// C1 control characters of the same number, so a damaged file survives a read and a rewrite unchanged.
std::string fromCp1250(std::string_view bytes);

bool fitsCp1250(std::string_view utf8);

// Whether the text holds a C0 control, DEL or a C1 control (U+0080..U+009F, which is also what the
// bytes Windows-1250 leaves undefined read as); the characters in `allowed` do not count.
bool hasControlCharacter(std::string_view utf8, std::string_view allowed = {});

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// A text file from elsewhere as UTF-8: read as UTF-8 (a byte-order mark dropped) when it is valid
// UTF-8, otherwise as Windows-1250, which every byte string is.
std::string textFromFile(std::string_view bytes);

} // namespace zorbon

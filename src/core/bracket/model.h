#pragma once
// Match boxes: their states, the colours that show them, and the texts their cells hold.

#include <cstdint>
#include <string>
#include <string_view>

namespace zorbon {

inline constexpr std::string_view kUnknown = " ?";    // player not yet decided
inline constexpr std::string_view kBye = "Volný los"; // bye: no player
inline constexpr std::string_view kNoScore = " 0";    // no score entered yet

// " " + decimal score, as a score cell shows an entered result.
std::string scoreText(int score);

enum class BoxState : std::uint8_t { Pending, OnBoard, Finished };

// Colours as the window system's BGR values; rgbOf() turns one into 0xRRGGBB for painting.
enum class TColor : std::uint32_t {
    clSkyBlue = 0xF0CAA6,
    clLime = 0x00FF00,
    clAqua = 0xFFFF00,
    clSilver = 0xC0C0C0,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clOlive = 0x008080,
    clRed = 0x0000FF,
};

constexpr std::uint32_t rgbOf(TColor c)
{
    const auto v = static_cast<std::uint32_t>(c);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

constexpr TColor colourOf(BoxState s)
{
    switch (s) {
    case BoxState::Pending:
        return TColor::clSkyBlue;
    case BoxState::OnBoard:
        return TColor::clLime;
    case BoxState::Finished:
        return TColor::clAqua;
    }
    return TColor::clSkyBlue;
}

enum class Side : std::uint8_t { Winners, Losers, Final };

// W1..W5, L1..L8 or F (number 0).
struct Round {
    Side side = Side::Winners;
    int number = 0;
    bool operator==(const Round&) const = default;
};

} // namespace zorbon

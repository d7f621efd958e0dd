#pragma once
// What the bracket windows differ in on screen: captions, hints, control names, scrolling and
// the geometry of the drawing. The boxes themselves come from the core's advancement tables.

#include "bracket/tables.h"

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

namespace zorbon::ui {

// One scroll bar: range 0..max, page step, position on every showing. max 0 means no bar.
struct ScrollSetting {
    int max = 0;
    int page = 0;
    int home = 0;
};

enum class FinalPlace {
    LowerLeft,           // 8: beside the caption "Finále :", at a fixed place lower left
    BelowWinnersFinal,   // 16: under the last winners' box, same column
    RightOfWinnersFinal, // 32, 64: one column right of the last winners' box, under "Finále :"
};

struct BracketLook {
    int size = 0;
    QString windowName; // the window's class name, also its objectName
    QString caption;
    QSize client;  // window area under the menu bar
    QSize drawing; // the yellow area that scrolls
    ScrollSetting horizontal;
    ScrollSetting vertical;
    int correctionH = 0; // where the view scrolls while a correction is open
    int correctionV = 0;
    QString hScrollLabel; // hidden labels that keep the view position while a correction is open
    QString vScrollLabel;
    std::array<QString, 3> hints; // SpeedButton1..3; empty: no hint
    QString aboutItem;            // "O Programu" / "O programu", with its accelerator
    QString boardLabelPrefix;     // numeral label of board n: prefix + (first + n - 1)
    int boardLabelFirst = 1;
    // Correction controls: caption, name 1, name 2, the ":" between the scores.
    std::array<QString, 4> correctionLabels;

    // Geometry of the tree: columns of boxes, first round in the middle.
    int marginX = 0;
    int pitchX = 0;
    int topY = 0;
    int pitchY = 0;
    FinalPlace finalPlace = FinalPlace::LowerLeft;
    QPoint finalPos; // LowerLeft only
    bool finalCaption = false;
    QPoint vitezPos; // LabVitez
    int vitezWidth = 0;
    QPoint correctionPos; // top-left corner of the correction controls
    QPoint picturePos;

    QString boardLabelName(int n) const { return boardLabelPrefix + QString::number(boardLabelFirst + n - 1); }
};

const BracketLook& lookFor(int size);

inline constexpr int kFrameW = 100;
inline constexpr int kFrameH = 29;
inline constexpr int kNameW = 78;
inline constexpr int kScoreW = 20;
inline constexpr int kCellH = 13;
inline constexpr int kRowStep = 14;
inline constexpr int kCorrectionW = 380;
inline constexpr int kCorrectionH = 92;

// Where every box and connecting line lies in the drawing.
struct BracketGeometry {
    std::vector<QRect> frames; // frames[n - 1]: frame of MatchNumber n
    std::vector<QLine> lines;  // connecting lines between rounds
    QRect finalCaption;        // empty when the size has no caption
};

BracketGeometry geometryFor(const BracketLook& look, const AdvancementTable& table);

} // namespace zorbon::ui

#pragma once
// A label for text read across a room: a name that is too long shrinks before it is cut short, and
// is never cut while it fits at half the label's usual size.

#include "look/Look.h"

#include <QLabel>
#include <QList>
#include <QStringList>

namespace zorbon::ui {

// How a label shows its lines: the size the rows are spaced for, and each line at its own size.
struct FittedLines {
    int rowSize = 0;   // pixel size of the rows: the nominal one, less if the height is short
    QList<int> sizes;  // pixel size of each line
    QStringList lines; // as shown: a line cut short ends in an ellipsis
    bool cut = false;
    bool operator==(const FittedLines&) const = default;
};

// The rows at `nominal`, or smaller (down to half) until they fit `room` down; then every line at
// the largest size up to that which fits across, down to half the nominal size, where a line
// still too wide is cut short. `sameSize`: all lines at the size of the smallest, as a list reads best.
FittedLines fitLines(const QStringList& lines, QFont font, int nominal, QSize room, bool sameSize = false,
                     bool shrinks = true);

// A plain-text label that fits its text into itself (fitLines) whenever the text or its size
// changes. text() is what it shows; fullText() what it was given.
class FitLabel : public QLabel {
public:
    FitLabel(const QString& name, int nominalPx, Weight weight, QWidget* parent);

    void setFullText(const QString& text);
    const QString& fullText() const { return m_full; }
    void setNominalSize(int px);
    // The lines of a list share one size (else each line has the largest that fits it).
    void setSameSize(bool same);
    // False: the lines keep the nominal size and only what is too wide is cut short (a size chosen
    // for several labels together).
    void setShrinks(bool shrinks);
    // Moves the label and fits its text there at once, shown or not.
    void place(const QRect& geometry, int nominalPx);
    // The same, the lines kept at nominalPx (or shrinking, should `shrinks` be true).
    void place(const QRect& geometry, int nominalPx, bool shrinks);
    // The size of the first line were the label at geometry's size with nominalPx, shrinking; 0
    // without text. Nothing about the label changes.
    int shrunkSize(const QSize& geometry, int nominalPx) const;
    int nominalSize() const { return m_nominal; }
    // The pixel size of each line shown; the label's font has the largest of them.
    const QList<int>& lineSizes() const { return m_fitted.sizes; }
    bool isCut() const { return m_fitted.cut; }
    // Lines of the nominal size that the label's height holds (at least one).
    int linesThatFit() const;

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void fit();
    // fitLines for the text, remembered: the display fits the same lines into the same room after
    // every result, and measuring them is most of its work.
    const FittedLines& fitted(QSize room, int nominal, bool shrinks) const;

    QString m_full;
    int m_nominal;
    bool m_sameSize = false;
    bool m_shrinks = true;
    FittedLines m_fitted;
    bool m_valid = false; // m_fitted belongs to the text, room and size below
    QString m_fittedFor;
    QSize m_fittedRoom;
    int m_fittedNominal = 0;
    bool m_fittedShrinks = true;
    bool m_fittedSameSize = false;

    struct Fit {
        QString text;
        QSize room;
        int nominal = 0;
        bool shrinks = true;
        bool sameSize = false;
        FittedLines lines;
    };
    mutable QList<Fit> m_memo; // the latest first
};

} // namespace zorbon::ui

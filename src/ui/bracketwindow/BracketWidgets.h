#pragma once
// The small widgets a bracket window is built from: the cells and frames of the match boxes, the
// boards, the digits-only score fields and the yellow drawing that holds the boxes and their lines.

#include "bracketwindow/BracketLook.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <vector>

namespace zorbon::ui {

// A named colour of the program as an opaque Qt colour value.
QRgb qrgb(TColor c);

// The default font at a size in pixels: the bracket's geometry is in pixels too.
QFont pixelFont(int px, bool bold = false);

// Background colour through the palette: one call per change, no style sheets.
void paintBackground(QWidget* w, QRgb rgb);
inline void paintBackground(QWidget* w, TColor c)
{
    paintBackground(w, qrgb(c));
}

// A label with a background colour that shows what does not fit elided, with the full text as its
// tooltip, and that reports clicks.
class Cell : public QLabel {
    Q_OBJECT
public:
    Cell(const QString& name, Qt::Alignment align, QWidget* parent);
    void setColour(QRgb rgb);
    QRgb colour() const { return m_colour; }
    void setCellText(const QString& text);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void updateTip();
    int textAdvance();
    QRgb m_colour = 0;
    bool m_coloured = false;
    QString m_measuredText; // the text whose width m_measuredAdvance holds
    int m_measuredAdvance = -1;
};

// The frame of a match box: its fill shows the box's state. It takes the keyboard focus with Tab
// (never with a click), so that the operator can reach every box without the mouse.
class Shape : public QWidget {
    Q_OBJECT
public:
    Shape(const QString& name, QWidget* parent);
    void setColour(QRgb rgb);
    QRgb colour() const { return m_colour; }

signals:
    void activated();           // Enter or Space: the same as a click on the box
    void focused();             // it has just received the keyboard focus
    void arrowPressed(int key); // an arrow key, to move the focus to the neighbouring box

protected:
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    QRgb m_colour = 0;
};

// A board of the panel: its text lines on silver (free) or lime (occupied).
class BoardView : public QLabel {
    Q_OBJECT
public:
    BoardView(const QString& name, QWidget* parent);
    void setLines(const QStringList& lines, QRgb rgb);
    QRgb colour() const { return m_colour; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QRgb m_colour = 0;
};

// Score field: only the digits and Backspace may be typed; anything else beeps and is dropped.
class ScoreEdit : public QLineEdit {
public:
    ScoreEdit(const QString& name, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* e) override;
};

// The yellow area with every box; it paints the connecting lines between rounds itself.
class BracketDrawing : public QWidget {
public:
    BracketDrawing(const BracketLook& look, const AdvancementTable& table, QWidget* parent);

    Shape* frame(int number) const { return m_frames[static_cast<std::size_t>(number - 1)]; }
    // The box an arrow key leads to from `from`: the nearest one in that direction, or none.
    Shape* neighbour(const Shape* from, int key) const;
    Cell* nameCell(SlotId id) const { return m_names[static_cast<std::size_t>(id)]; }
    Cell* scoreCell(SlotId id) const { return m_scores[static_cast<std::size_t>(id)]; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::vector<QLine> m_lines;
    std::vector<Shape*> m_frames;
    std::vector<Cell*> m_names;
    std::vector<Cell*> m_scores;
};

} // namespace zorbon::ui

#pragma once
// The small widgets a bracket window is built from: the cells and frames of the match boxes, the
// boards, the digits-only score fields and the yellow drawing that holds the boxes and their lines.

#include "look/BracketLook.h"
#include "look/Ink.h"
#include "look/Look.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <vector>

namespace zorbon::ui {

// A label with a background colour that reports clicks. A text that does not fit at the cell's font
// is drawn at the smaller font the drawing shares among all such cells, and cut short with an
// ellipsis only if it does not fit even there. A name cell always has its whole text as its tooltip.
class Cell : public QLabel {
    Q_OBJECT
public:
    Cell(const QString& name, Qt::Alignment align, QWidget* parent);
    void setColour(QRgb rgb);
    QRgb colour() const { return m_colour; }
    void setCellText(const QString& text);
    // A name cell's tooltip always holds the whole name; another cell's only when it is cut short.
    void setAlwaysTip(bool always);
    // The font for a text too wide for the cell's own font; a font no smaller than the cell's: none.
    void setSmallFont(const QFont& font);
    // The room across for the text, and whether the text fits it at the cell's own font.
    int textRoom() const;
    bool fitsAtOwnFont();
    // What the cell shows: its own font, the small one, or cut short at the small one.
    enum class Fit { Own, Small, Cut };
    Fit fit();

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
    bool m_alwaysTip = false;
    bool m_hasSmall = false;
    QFont m_small;
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
    // The row of the line between the two slots (it moves with the zoom).
    void setRowLine(int y);

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
    int m_rowLine = kRowStep;
};

// A board of the panel: its text lines on silver (free) or lime (occupied). The three lines of an
// occupied board share its 30 pixels by the ink of the font, so that the accents of capitals and the
// descenders are drawn whole.
class BoardView : public QLabel {
    Q_OBJECT
public:
    BoardView(const QString& name, QWidget* parent);
    void setLines(const QStringList& lines, QRgb rgb);
    QRgb colour() const { return m_colour; }

    struct Line {
        QFont font;
        QString text; // as drawn: cut short with an ellipsis when too wide
        QPoint baseline;
    };
    // How the lines are drawn in the board's present size.
    QList<Line> layout() const;

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

// The yellow area with every box; it paints the connecting lines between rounds itself. It can be
// drawn at any zoom: every widget in it, whoever made it, keeps its place and font at zoom 1 and is
// scaled from there.
class BracketDrawing : public QWidget {
public:
    BracketDrawing(const BracketLook& look, const AdvancementTable& table, QWidget* parent);

    Shape* frame(int number) const { return m_frames[static_cast<std::size_t>(number - 1)]; }
    // The box an arrow key leads to from `from`: the nearest one in that direction, or none.
    Shape* neighbour(const Shape* from, int key) const;
    Cell* nameCell(SlotId id) const { return m_names[static_cast<std::size_t>(id)]; }
    Cell* scoreCell(SlotId id) const { return m_scores[static_cast<std::size_t>(id)]; }

    // The size at zoom 1, and the zoom it is drawn at.
    QSize baseSize() const { return m_baseSize; }
    double zoom() const { return m_zoom; }
    void setZoom(double zoom);
    // After the names changed: the one smaller font for every name too wide for its cell.
    void fitNames();
    // The pixel size of that font (the names' own size when every name fits).
    int smallNameSize() const { return m_smallPx; }
    // The focus mark shows while the operator works from the keyboard, not after a mouse click.
    bool keyboardInUse() const { return m_keyboard; }

protected:
    void paintEvent(QPaintEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Base {
        QWidget* widget;
        QRect geometry;
        QFont font;
        bool pixelSized;
    };
    void rememberBase();
    QFont scaledFont(const QFont& f, bool pixelSized, int heightAtOne) const;

    std::vector<QLine> m_lines;
    std::vector<Shape*> m_frames;
    std::vector<Cell*> m_names;
    std::vector<Cell*> m_scores;
    std::vector<Base> m_base;
    std::vector<QLine> m_baseLines;
    QSize m_baseSize;
    double m_zoom = 1.0;
    int m_namePx = 11;
    int m_smallPx = 11;
    bool m_keyboard = false;
};

} // namespace zorbon::ui

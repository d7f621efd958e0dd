#include "display/FitLabel.h"

#include "look/Ink.h"

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

namespace zorbon::ui {
namespace {

int widthAt(const QString& line, QFont& font, int px)
{
    font.setPixelSize(px);
    return QFontMetrics(font).horizontalAdvance(line);
}

// A row is a line's spacing, or the ink of accented capitals and descenders where that is taller.
int rowHeight(const QFont& font)
{
    return std::max(QFontMetrics(font).lineSpacing(), nameInk(font).height);
}

int rowsHeightAt(int rows, QFont& font, int px)
{
    font.setPixelSize(px);
    return rowHeight(font) * rows;
}

} // namespace

FittedLines fitLines(const QStringList& lines, QFont font, int nominal, QSize room, bool sameSize, bool shrinks)
{
    const int least = shrinks ? std::max(1, (nominal + 1) / 2) : nominal;
    // One pixel to spare across: the painter rounds where the metrics do not.
    const int across = std::max(0, room.width() - 1);
    FittedLines out;
    out.rowSize = nominal;
    const int rows = static_cast<int>(lines.size());
    while (out.rowSize > least && rowsHeightAt(rows, font, out.rowSize) > room.height())
        --out.rowSize;

    for (const QString& line : lines) {
        int px = out.rowSize;
        const int natural = widthAt(line, font, px);
        if (natural > across) {
            // Widths grow about in proportion to the size: start there and correct by single pixels.
            px = std::clamp(static_cast<int>(px * double(across) / natural), least, px);
            while (px > least && widthAt(line, font, px) > across)
                --px;
            while (px < out.rowSize && widthAt(line, font, px + 1) <= across)
                ++px;
        }
        QString shown = line;
        if (widthAt(line, font, px) > across) {
            font.setPixelSize(px);
            shown = QFontMetrics(font).elidedText(line, Qt::ElideRight, across);
            out.cut = true;
        }
        out.sizes << px;
        out.lines << shown;
    }
    if (sameSize && !out.sizes.isEmpty()) {
        // Each line fits at its own size, so at any smaller one too.
        const int smallest = *std::min_element(out.sizes.begin(), out.sizes.end());
        out.sizes.fill(smallest);
    }
    return out;
}

FitLabel::FitLabel(const QString& name, int nominalPx, Weight weight, QWidget* parent)
    : QLabel(parent)
    , m_nominal(nominalPx)
{
    setObjectName(name);
    // A player's name is shown as typed, never read as markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setFocusPolicy(Qt::NoFocus);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont f = font();
    f.setBold(weight == Weight::Bold);
    f.setPixelSize(nominalPx);
    setFont(f);
}

void FitLabel::setFullText(const QString& text)
{
    m_full = text;
    fit();
}

void FitLabel::setNominalSize(int px)
{
    m_nominal = std::max(2, px);
    fit();
}

void FitLabel::setSameSize(bool same)
{
    m_sameSize = same;
    fit();
}

void FitLabel::setShrinks(bool shrinks)
{
    m_shrinks = shrinks;
    fit();
}

void FitLabel::place(const QRect& geometry, int nominalPx)
{
    place(geometry, nominalPx, m_shrinks);
}

void FitLabel::place(const QRect& geometry, int nominalPx, bool shrinks)
{
    // Size, lines and shrinking set together, so that the text is fitted once, for what it shows.
    m_nominal = std::max(2, nominalPx);
    m_shrinks = shrinks;
    setGeometry(geometry);
    fit();
}

int FitLabel::shrunkSize(const QSize& geometry, int nominalPx) const
{
    const QSize room = QRect(QPoint(0, 0), geometry).marginsRemoved(contentsMargins()).size();
    const FittedLines& f = fitted(room, std::max(2, nominalPx), true);
    return f.sizes.isEmpty() ? 0 : f.sizes.front();
}

const FittedLines& FitLabel::fitted(QSize room, int nominal, bool shrinks) const
{
    for (qsizetype i = 0; i < m_memo.size(); ++i) {
        const Fit& f = m_memo[i];
        if (f.room == room && f.nominal == nominal && f.shrinks == shrinks && f.sameSize == m_sameSize &&
            f.text == m_full) {
            if (i)
                m_memo.move(i, 0);
            return m_memo.front().lines;
        }
    }
    // A board's line changes with each match: a few fits are kept, the oldest go.
    constexpr qsizetype kKept = 8;
    if (m_memo.size() >= kKept)
        m_memo.removeLast();
    const QStringList lines = m_full.isEmpty() ? QStringList() : m_full.split(QLatin1Char('\n'));
    m_memo.prepend(
        {m_full, room, nominal, shrinks, m_sameSize, fitLines(lines, font(), nominal, room, m_sameSize, shrinks)});
    return m_memo.front().lines;
}

int FitLabel::linesThatFit() const
{
    QFont f = font();
    f.setPixelSize(m_nominal);
    return std::max(1, contentsRect().height() / rowHeight(f));
}

void FitLabel::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    fit();
}

void FitLabel::fit()
{
    const QSize room = contentsRect().size();
    // The same text in the same room looks the same: nothing to measure.
    if (m_valid && m_full == m_fittedFor && room == m_fittedRoom && m_nominal == m_fittedNominal &&
        m_shrinks == m_fittedShrinks && m_sameSize == m_fittedSameSize)
        return;
    m_valid = true;
    m_fittedFor = m_full;
    m_fittedRoom = room;
    m_fittedNominal = m_nominal;
    m_fittedShrinks = m_shrinks;
    m_fittedSameSize = m_sameSize;
    const FittedLines& now = fitted(room, m_nominal, m_shrinks);
    // Lines as they were need no new paint.
    if (now == m_fitted)
        return;
    m_fitted = now;
    const int largest =
        m_fitted.sizes.isEmpty() ? m_fitted.rowSize : *std::max_element(m_fitted.sizes.begin(), m_fitted.sizes.end());
    if (font().pixelSize() != largest) {
        QFont f = font();
        f.setPixelSize(largest);
        setFont(f);
    }
    setText(m_fitted.lines.join(QLatin1Char('\n')));
    update();
}

void FitLabel::paintEvent(QPaintEvent*)
{
    if (m_fitted.lines.isEmpty())
        return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect r = contentsRect();
    QFont f = font();
    f.setPixelSize(m_fitted.rowSize);
    const int row = rowHeight(f);
    const int block = row * static_cast<int>(m_fitted.lines.size());
    const Qt::Alignment a = alignment();
    int top = a & Qt::AlignBottom ? r.bottom() + 1 - block
              : a & Qt::AlignTop  ? r.top()
                                  : r.top() + (r.height() - block) / 2;
    for (qsizetype i = 0; i < m_fitted.lines.size(); ++i, top += row) {
        f.setPixelSize(m_fitted.sizes[i]);
        p.setFont(f);
        const QFontMetrics fm(f);
        const QString& line = m_fitted.lines[i];
        const int w = fm.horizontalAdvance(line);
        const int x = a & Qt::AlignRight     ? r.right() + 1 - w
                      : a & Qt::AlignHCenter ? r.left() + (r.width() - w) / 2
                                             : r.left();
        // Each line's ink, accents and descenders, sits in the middle of its row, whatever its size.
        const Ink ink = nameInk(f);
        const int baseline = top + (row - ink.height) / 2 - ink.top;
        p.drawText(QPoint(x, baseline), line);
    }
}

} // namespace zorbon::ui

#include "bracketwindow/BracketWidgets.h"

#include "common/Dialogs.h"
#include "common/Guard.h"
#include "look/Ink.h"

#include <QApplication>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zorbon::ui {
namespace {

constexpr QRgb kOutline = 0xFF404040;
constexpr QRgb kLine = 0xFF000000;
constexpr QRgb kFocusMark = 0xFF000080;
constexpr int kFocusMargin = 6;

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Text widths by font: a bracket window shows " ?", " 0" and the same few names in hundreds of
// cells, and measuring a text costs about as much as painting it.
int measuredWidth(const QFont& font, const QString& text)
{
    struct Widths {
        QFont font;
        QHash<QString, int> byText;
    };
    static std::vector<Widths> fonts; // a handful: the name and score fonts
    auto it = std::find_if(fonts.begin(), fonts.end(), [&](const Widths& w) { return w.font == font; });
    if (it == fonts.end())
        it = fonts.insert(fonts.end(), Widths{font, {}});
    if (const auto known = it->byText.constFind(text); known != it->byText.constEnd())
        return *known;
    if (it->byText.size() > 4096)
        it->byText.clear(); // names of earlier tournaments
    const int width = QFontMetrics(font).horizontalAdvance(text);
    it->byText.insert(text, width);
    return width;
}

} // namespace

// --- Cell --------------------------------------------------------------------------------------

Cell::Cell(const QString& name, Qt::Alignment align, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setAlignment(align | Qt::AlignVCenter);
    setAutoFillBackground(true);
    // Names are shown as typed, never as markup.
    setTextFormat(Qt::PlainText);
    // The black text comes with the first colour (setColour): one palette change per cell instead of
    // two, which matters when a window makes some 250 cells.
}

void Cell::setColour(QRgb rgb)
{
    if (m_coloured && m_colour == rgb)
        return;
    m_coloured = true;
    m_colour = rgb;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Window, QColor::fromRgb(rgb));
    setPalette(p);
}

void Cell::setCellText(const QString& text)
{
    if (text == this->text())
        return;
    setText(text);
    updateTip();
}

void Cell::setAlwaysTip(bool always)
{
    m_alwaysTip = always;
    updateTip();
}

void Cell::setSmallFont(const QFont& font)
{
    const bool has = font.pixelSize() < this->font().pixelSize();
    if (has == m_hasSmall && (!has || font == m_small))
        return;
    m_hasSmall = has;
    m_small = font;
    updateTip();
    update();
}

int Cell::textAdvance()
{
    // Kept until the text or the font changes: the tooltip and every paint need it.
    if (m_measuredAdvance < 0 || m_measuredText != text()) {
        m_measuredText = text();
        m_measuredAdvance = measuredWidth(font(), m_measuredText);
    }
    return m_measuredAdvance;
}

int Cell::textRoom() const
{
    return contentsRect().width() - 3;
}

bool Cell::fitsAtOwnFont()
{
    return textAdvance() <= textRoom();
}

Cell::Fit Cell::fit()
{
    if (fitsAtOwnFont())
        return Fit::Own;
    if (m_hasSmall && measuredWidth(m_small, text()) <= textRoom())
        return Fit::Small;
    return Fit::Cut;
}

void Cell::updateTip()
{
    // A name's cell tells the whole name; " ?" is no name yet.
    const QString trimmed = text().trimmed();
    const bool tip = m_alwaysTip ? !trimmed.isEmpty() && trimmed != QStringLiteral("?") : fit() == Fit::Cut;
    setToolTip(tip ? plainToolTip(text()) : QString());
}

void Cell::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = contentsRect().adjusted(2, 0, -1, 0);
    p.setPen(palette().color(QPalette::WindowText));
    // A name too wide for the cell takes the smaller font all such cells share, and only if it does
    // not fit even there loses its end (the tooltip holds it whole).
    const Fit how = fit();
    const QFont f = how == Fit::Own || !m_hasSmall ? font() : m_small;
    p.setFont(f);
    QString shown = text();
    if (how == Fit::Cut)
        shown = QFontMetrics(f).elidedText(shown, Qt::ElideRight, r.width());
    // The baseline comes from the ink of accented capitals and descenders, so that neither is cut.
    const Ink ink = inkOf(f, nameProbe());
    const int width = how == Fit::Cut ? QFontMetrics(f).horizontalAdvance(shown) : measuredWidth(f, shown);
    const int x = alignment() & Qt::AlignRight ? r.right() + 1 - width : r.left();
    p.drawText(QPoint(x, baselineIn(r.top(), r.height(), ink)), shown);
}

void Cell::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

void Cell::changeEvent(QEvent* e)
{
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange) {
        m_measuredAdvance = -1;
        m_hasSmall = m_hasSmall && m_small.pixelSize() < font().pixelSize();
        if (!text().isEmpty())
            updateTip();
    }
}

void Cell::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    updateTip();
}

// --- Shape -------------------------------------------------------------------------------------

Shape::Shape(const QString& name, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(name);
    setFocusPolicy(Qt::TabFocus);
}

void Shape::setColour(QRgb rgb)
{
    if (m_colour == rgb && autoFillBackground())
        return;
    m_colour = rgb;
    paintBackground(this, rgb);
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    // The outline and the line between the two slots as one-pixel fills: the same pixels as a
    // drawn rectangle and line, at a fraction of the cost (a draw repaints about 60 frames).
    QPainter p(this);
    const QColor outline = QColor::fromRgb(kOutline);
    const int w = width();
    const int h = height();
    p.fillRect(0, 0, w, 1, outline);
    p.fillRect(0, h - 1, w, 1, outline);
    p.fillRect(0, 0, 1, h, outline);
    p.fillRect(w - 1, 0, 1, h, outline);
    p.fillRect(1, m_rowLine, w - 2, 1, outline);
}

void Shape::setRowLine(int y)
{
    m_rowLine = y;
}

void Shape::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (e->modifiers() & ~Qt::KeypadModifier)
            break;
        emit activated();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        emit arrowPressed(e->key());
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(e);
}

// The drawing paints the focus mark around the frame, where the cells do not cover it.
void Shape::focusInEvent(QFocusEvent* e)
{
    QWidget::focusInEvent(e);
    parentWidget()->update(geometry().adjusted(-kFocusMargin, -kFocusMargin, kFocusMargin, kFocusMargin));
    emit focused();
}

void Shape::focusOutEvent(QFocusEvent* e)
{
    QWidget::focusOutEvent(e);
    parentWidget()->update(geometry().adjusted(-kFocusMargin, -kFocusMargin, kFocusMargin, kFocusMargin));
}

// --- BoardView ---------------------------------------------------------------------------------

BoardView::BoardView(const QString& name, QWidget* parent)
    : QLabel(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setFont(pixelFont(10));
    setTextFormat(Qt::PlainText);
}

void BoardView::setLines(const QStringList& lines, QRgb rgb)
{
    const QString text = lines.join(QLatin1Char('\n'));
    if (text != this->text())
        setText(text);
    setToolTip(lines.size() > 1 ? plainToolTip(text) : QString());
    if (rgb != m_colour || !autoFillBackground()) {
        m_colour = rgb;
        paintBackground(this, rgb);
    }
}

QList<BoardView::Line> BoardView::layout() const
{
    QList<Line> out;
    const QStringList lines = text().split(QLatin1Char('\n'));
    const QRect r = contentsRect().adjusted(3, 0, -2, 0);
    if (lines.size() == 1) {
        QFont f = pixelFont(12, Weight::Bold);
        f.setPixelSize(pixelSizeForHeight(f, 12, r.height()));
        out.append({f, lines.front(), QPoint(r.left(), baselineIn(r.top(), r.height(), inkOf(f, nameProbe())))});
        return out;
    }
    // The match number (digits, bold) on top, then the two players: the largest size at which the
    // ink of all three fits the board's height, the room left over shared out between the lines.
    QFont number = font();
    number.setBold(true);
    QFont names = font();
    names.setBold(false);
    int px = std::max(font().pixelSize(), 11);
    Ink numberInk;
    Ink namesInk;
    for (;; --px) {
        number.setPixelSize(px);
        names.setPixelSize(px);
        numberInk = inkOf(number, digitProbe());
        namesInk = inkOf(names, nameProbe());
        if (px <= 2 || numberInk.height + 2 * namesInk.height <= r.height())
            break;
    }
    const int spare = std::max(0, r.height() - numberInk.height - 2 * namesInk.height);
    // The space goes first between the lines, then above and below.
    const int between = std::min(spare / 2, 2);
    int y = r.top() + (spare - 2 * between) / 2;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool isNumber = i == 0;
        const QFont& f = isNumber ? number : names;
        const Ink& ink = isNumber ? numberInk : namesInk;
        const QString shown = QFontMetrics(f).elidedText(lines[i], Qt::ElideRight, r.width());
        out.append({f, shown, QPoint(r.left(), y - ink.top)});
        y += ink.height + between;
    }
    return out;
}

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(isEnabled() ? Qt::black : Qt::darkGray);
    for (const Line& line : layout()) {
        p.setFont(line.font);
        p.drawText(line.baseline, line.text);
    }
}

void BoardView::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit clicked();
}

// --- ScoreEdit ---------------------------------------------------------------------------------

ScoreEdit::ScoreEdit(const QString& name, QWidget* parent)
    : QLineEdit(parent)
{
    setObjectName(name);
    // Pasted text obeys the same rule as typed text (a prefilled score keeps its leading space).
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral(" *[0-9]*")), this));
}

void ScoreEdit::keyPressEvent(QKeyEvent* e)
{
    // Only characters are filtered: Backspace, arrows, Tab, Enter and shortcuts work as usual.
    const QString t = e->text();
    if (e->key() != Qt::Key_Backspace && t.size() == 1 && t.front().isPrint() &&
        !QStringLiteral("0123456789").contains(t.front())) {
        Dialogs::beep();
        e->accept();
        return;
    }
    QLineEdit::keyPressEvent(e);
}

// --- BracketDrawing ----------------------------------------------------------------------------

BracketDrawing::BracketDrawing(const BracketLook& look, const AdvancementTable& table, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Drawing"));
    setFixedSize(look.drawing);
    paintBackground(this, TColor::clYellow);

    const BracketGeometry g = geometryFor(look, table);
    m_lines = g.lines;
    m_frames.resize(table.boxes.size());
    m_names.resize(table.slotSpecs.size());
    m_scores.resize(table.slotSpecs.size());
    // 11 pixels, or less where the screen's font would not keep its accents inside a cell.
    QFont nameFont = pixelFont(11);
    nameFont.setPixelSize(pixelSizeForHeight(nameFont, 11, kCellH));
    QFont scoreFont = pixelFont(11, Weight::Bold);
    scoreFont.setPixelSize(pixelSizeForHeight(scoreFont, 11, kCellH));
    for (const auto& b : table.boxes) {
        auto* frame = new Shape(qs(b.frame), this);
        frame->setGeometry(g.frames[static_cast<std::size_t>(b.number - 1)]);
        m_frames[static_cast<std::size_t>(b.number - 1)] = frame;
        for (const SlotId id : {b.upper, b.lower}) {
            const auto& s = table.slot(id);
            const int y = 1 + (s.upper ? 0 : kRowStep);
            auto* name = new Cell(QString::fromStdString(s.name), Qt::AlignLeft, frame);
            name->setGeometry(1, y, kNameW, kCellH);
            name->setFont(nameFont);
            auto* score = new Cell(QString::fromStdString(s.score), Qt::AlignRight, frame);
            score->setGeometry(1 + kNameW, y, kScoreW, kCellH);
            score->setFont(scoreFont);
            m_names[static_cast<std::size_t>(id)] = name;
            m_scores[static_cast<std::size_t>(id)] = score;
        }
    }
    for (Cell* name : m_names)
        name->setAlwaysTip(true);
    if (!g.finalCaption.isEmpty()) {
        auto* caption = new QLabel(QStringLiteral("Finále :"), this);
        caption->setObjectName(QStringLiteral("LabFinale"));
        caption->setFont(pixelFont(14, Weight::Bold));
        caption->setGeometry(g.finalCaption);
    }
    m_baseSize = look.drawing;
    m_namePx = nameFont.pixelSize();
    m_smallPx = m_namePx;
    // Whether the operator works from the keyboard is seen in every key and click of the program.
    qApp->installEventFilter(this);
}

bool BracketDrawing::eventFilter(QObject*, QEvent* e)
{
    const QEvent::Type t = e->type();
    if (t != QEvent::KeyPress && t != QEvent::MouseButtonPress)
        return false;
    const bool keyboard = t == QEvent::KeyPress;
    if (keyboard != m_keyboard) {
        m_keyboard = keyboard;
        for (const Shape* f : m_frames)
            if (f->hasFocus())
                update(f->geometry().adjusted(-kFocusMargin, -kFocusMargin, kFocusMargin, kFocusMargin));
    }
    return false;
}

void BracketDrawing::fitNames()
{
    // One smaller size for every name that does not fit, the largest at which they all do, but not
    // below a size that still reads well; what does not fit even there is cut short.
    const QFont own = m_names.empty() ? QFont() : m_names.front()->font();
    const int ownPx = own.pixelSize();
    const int floorPx = std::max(1, (ownPx * 3 + 2) / 4);
    int px = ownPx;
    QFont probe = own;
    for (Cell* c : m_names) {
        if (c->text().isEmpty() || c->fitsAtOwnFont())
            continue;
        const QString text = c->text();
        const int room = c->textRoom();
        px = std::min(px, ownPx - 1);
        while (px > floorPx) {
            probe.setPixelSize(px);
            if (measuredWidth(probe, text) <= room)
                break;
            --px;
        }
    }
    px = std::max(px, floorPx);
    m_smallPx = px;
    QFont small = own;
    small.setPixelSize(px);
    for (Cell* c : m_names)
        c->setSmallFont(small);
}

void BracketDrawing::rememberBase()
{
    m_base.clear();
    const QList<QWidget*> all = findChildren<QWidget*>();
    m_base.reserve(static_cast<std::size_t>(all.size()));
    for (QWidget* w : all) {
        const QFont f = w->font();
        m_base.push_back({w, w->geometry(), f, f.pixelSize() > 0});
    }
    m_baseLines = m_lines;
}

QFont BracketDrawing::scaledFont(const QFont& f, bool pixelSized, int heightAtOne) const
{
    QFont out = f;
    if (!pixelSized) {
        out.setPointSizeF(std::max(1.0, f.pointSizeF() * m_zoom));
        return out;
    }
    const int px = std::max(1, static_cast<int>(std::lround(f.pixelSize() * m_zoom)));
    // A label whose text fitted its height at zoom 1 keeps it whole at every zoom.
    const bool fitted = inkOf(f, nameProbe()).height <= heightAtOne;
    const int height = static_cast<int>(std::lround(heightAtOne * m_zoom));
    out.setPixelSize(fitted ? pixelSizeForHeight(f, px, height) : px);
    return out;
}

void BracketDrawing::setZoom(double zoom)
{
    if (m_base.empty())
        rememberBase();
    if (zoom == m_zoom)
        return;
    m_zoom = zoom;
    auto sc = [zoom](int v) { return static_cast<int>(std::lround(v * zoom)); };
    // Edges, not sizes, are scaled: neighbouring cells keep meeting exactly.
    auto scaled = [&sc](const QRect& r) {
        return QRect(QPoint(sc(r.left()), sc(r.top())), QPoint(sc(r.right() + 1) - 1, sc(r.bottom() + 1) - 1));
    };
    setUpdatesEnabled(false);
    setFixedSize(QSize(sc(m_baseSize.width()), sc(m_baseSize.height())));
    // The hundreds of cells share a few fonts: each is worked out once.
    QHash<QString, QFont> fonts;
    for (const Base& b : m_base) {
        const QRect g = scaled(b.geometry);
        b.widget->setGeometry(g);
        const QString key = b.font.key() + QLatin1Char('|') + QString::number(b.geometry.height());
        auto it = fonts.constFind(key);
        if (it == fonts.constEnd())
            it = fonts.insert(key, scaledFont(b.font, b.pixelSized, b.geometry.height()));
        if (b.widget->font() != *it)
            b.widget->setFont(*it);
    }
    for (Shape* f : m_frames)
        f->setRowLine(sc(kRowStep));
    m_lines.clear();
    for (const QLine& l : m_baseLines)
        m_lines.emplace_back(sc(l.x1()), sc(l.y1()), sc(l.x2()), sc(l.y2()));
    fitNames();
    setUpdatesEnabled(true);
    update();
}

void BracketDrawing::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor::fromRgb(kLine));
    for (const QLine& l : m_lines)
        p.drawLine(l);
    for (const Shape* f : m_frames) {
        if (!f->hasFocus() || !m_keyboard)
            continue;
        p.setPen(QPen(QColor::fromRgb(kFocusMark), 3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(f->geometry().adjusted(-3, -3, 2, 2));
    }
}

Shape* BracketDrawing::neighbour(const Shape* from, int key) const
{
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    if (!horizontal && key != Qt::Key_Up && key != Qt::Key_Down)
        return nullptr;
    const int sign = key == Qt::Key_Right || key == Qt::Key_Down ? 1 : -1;
    const QPoint c = from->geometry().center();
    Shape* best = nullptr;
    long bestScore = 0;
    for (Shape* s : m_frames) {
        if (s == from || !s->isVisibleTo(this))
            continue;
        const QPoint d = s->geometry().center() - c;
        const int along = sign * (horizontal ? d.x() : d.y());
        const int across = horizontal ? d.y() : d.x();
        if (along <= 0)
            continue;
        // Straight ahead wins over a nearer box off to the side.
        const long score = along + 3L * std::abs(across);
        if (!best || score < bestScore) {
            best = s;
            bestScore = score;
        }
    }
    return best;
}

} // namespace zorbon::ui

#include "bracketwindow/BracketWidgets.h"

#include "common/Dialogs.h"
#include "common/Guard.h"

#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include <algorithm>
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

QFont pixelFont(int px, bool bold)
{
    QFont f;
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QRgb qrgb(TColor c)
{
    return 0xFF000000u | rgbOf(c);
}

void paintBackground(QWidget* w, QRgb rgb)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, QColor::fromRgb(rgb));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

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

int Cell::textAdvance()
{
    // Kept until the text or the font changes: the tooltip and every paint need it.
    if (m_measuredAdvance < 0 || m_measuredText != text()) {
        m_measuredText = text();
        m_measuredAdvance = measuredWidth(font(), m_measuredText);
    }
    return m_measuredAdvance;
}

void Cell::updateTip()
{
    const int room = contentsRect().width() - 3;
    setToolTip(textAdvance() > room ? plainToolTip(text()) : QString());
}

void Cell::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = contentsRect().adjusted(2, 0, -1, 0);
    p.setPen(palette().color(QPalette::WindowText));
    const int advance = textAdvance();
    // What fits is drawn as it is, with no eliding to work out.
    if (advance <= r.width()) {
        p.drawText(r, static_cast<int>(alignment()), m_measuredText);
        return;
    }
    // A long name is first narrowed (down to four fifths of its width, glyphs keep their height)
    // and only then loses its end; the tooltip holds the full text.
    const QFontMetrics fm = fontMetrics();
    const double squeeze = advance > r.width() ? std::max(0.8, double(r.width()) / advance) : 1.0;
    p.translate(r.left(), 0);
    p.scale(squeeze, 1.0);
    const QRect room(0, r.top(), static_cast<int>(r.width() / squeeze), r.height());
    p.drawText(room, static_cast<int>(alignment()), fm.elidedText(text(), Qt::ElideRight, room.width()));
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
    p.fillRect(1, kRowStep, w - 2, 1, outline);
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

void BoardView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(isEnabled() ? Qt::black : Qt::darkGray);
    const QStringList lines = text().split(QLatin1Char('\n'));
    const QRect r = rect().adjusted(3, 0, -2, 0);
    if (lines.size() == 1) {
        p.setFont(pixelFont(12, true));
        p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, lines.front());
        return;
    }
    // Three lines in 30 pixels: the match number on top, then the two players.
    const int h = height() / static_cast<int>(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        QFont f = font();
        f.setBold(i == 0);
        p.setFont(f);
        const QRect row(r.left(), i * h, r.width(), h);
        p.drawText(row, Qt::AlignVCenter | Qt::AlignLeft,
                   QFontMetrics(f).elidedText(lines[i], Qt::ElideRight, row.width()));
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
    const QFont nameFont = pixelFont(11);
    const QFont scoreFont = pixelFont(11, true);
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
    if (!g.finalCaption.isEmpty()) {
        auto* caption = new QLabel(QStringLiteral("Finále :"), this);
        caption->setObjectName(QStringLiteral("LabFinale"));
        caption->setFont(pixelFont(14, true));
        caption->setGeometry(g.finalCaption);
    }
}

void BracketDrawing::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor::fromRgb(kLine));
    for (const QLine& l : m_lines)
        p.drawLine(l);
    for (const Shape* f : m_frames) {
        if (!f->hasFocus())
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

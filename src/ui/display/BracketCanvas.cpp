#include "display/BracketCanvas.h"

#include "app/Model.h"
#include "look/BracketPainter.h"

#include <QPainter>

#include <cmath>

namespace zorbon::ui {
namespace {

constexpr QRgb kBackground = 0xFF141E2B; // the painter's screen background

} // namespace

BracketCanvas::BracketCanvas(const Model& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    setObjectName(QStringLiteral("TabulePavouk"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

BracketCanvas::~BracketCanvas()
{
    // The drawing holds a pointer to this page until it has handed its picture over.
    if (m_job.valid())
        m_job.wait();
}

void BracketCanvas::redraw()
{
    ++m_asked;
    if (m_job.valid()) {
        m_waiting = true; // the drawing under way is followed by one of the bracket as it is then
        return;
    }
    start();
}

bool BracketCanvas::isCurrent() const
{
    return m_shown == m_asked && !m_waiting && !m_job.valid() && m_pictureSize == size();
}

void BracketCanvas::start()
{
    const Session& s = m_model.core().session();
    const Bracket* active = s.active();
    if (!active || width() <= 0 || height() <= 0) {
        m_picture = QImage();
        m_pictureSize = size();
        m_shown = m_asked;
        update();
        return;
    }
    // Copies: the session goes on changing while the picture is drawn.
    const Bracket bracket = *active;
    const TournamentHeader header = s.lobby.header;
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    // The picture has the screen's resolution, so that sizes in points come out as on the screen.
    const int dotsPerMeter = static_cast<int>(std::lround(logicalDpiY() / 0.0254));
    const int generation = m_asked;
    const QSize logical = size();
    m_job = std::async(std::launch::async, [this, bracket, header, dpr, pixels, dotsPerMeter, generation, logical] {
        QImage picture(pixels, QImage::Format_RGB32);
        picture.setDotsPerMeterX(dotsPerMeter);
        picture.setDotsPerMeterY(dotsPerMeter);
        picture.setDevicePixelRatio(dpr);
        {
            QPainter p(&picture);
            paintBracket(p, QRectF(QPointF(0, 0), picture.deviceIndependentSize()), bracket, header,
                         BracketStyle::Screen);
        }
        QMetaObject::invokeMethod(
            this, [this, picture, generation, logical] { drawn(picture, generation, logical); }, Qt::QueuedConnection);
    });
}

void BracketCanvas::drawn(const QImage& picture, int generation, QSize logical)
{
    m_job.wait(); // it has only its return left
    m_job = {};
    m_picture = picture;
    m_pictureSize = logical;
    m_shown = generation;
    update();
    if (m_waiting) {
        m_waiting = false;
        start();
    }
}

void BracketCanvas::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    redraw();
}

void BracketCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_picture.isNull()) {
        p.fillRect(rect(), QColor::fromRgba(kBackground));
        return;
    }
    // Until the picture of a new size is drawn, the last one stretched.
    if (m_pictureSize == size())
        p.drawImage(QPointF(0, 0), m_picture);
    else
        p.drawImage(QRectF(rect()), m_picture);
}

} // namespace zorbon::ui

#include "mobile/MobileService.h"

#include "app/Model.h"
#include "common/Modules.h"
#include "common/SvgModule.h"
#include "look/BracketPainter.h"

#include <QBuffer>
#include <QPainter>
#include <algorithm>
#include <memory>
#include <time.h> // NOLINT(modernize-deprecated-headers): clock_gettime is POSIX, <ctime> does not declare it

namespace zorbon::ui {
namespace {

// The window thread's own processor time, in microseconds: what this work costs it, however busy
// the machine is with other programs.
qint64 threadMicros()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<qint64>(t.tv_sec) * 1000000 + t.tv_nsec / 1000;
}

} // namespace

QByteArray bracketSvg(const Bracket& bracket, const TournamentHeader& header, QString* problem)
{
    // A4 landscape in proportion, large enough that the painter never needs its smallest text.
    const QSize size(1600, 1131);
    // Without the SVG module the page goes without its picture, and the picture's address says why.
    QString missing;
    const auto make =
        reinterpret_cast<MakeSvgDevice>(moduleSymbol(QString::fromLatin1(kSvgModuleFile), kMakeSvgDevice, &missing));
    if (!make) {
        if (problem)
            *problem = QStringLiteral("Obrázek pavouka není k dispozici: %1.").arg(missing);
        return {};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const std::unique_ptr<QPaintDevice> svg(
        make(&buffer, size, QRect(QPoint(0, 0), size), QStringLiteral("Zorbon – pavouk")));
    QPainter painter(svg.get());
    paintBracket(painter, QRectF(QPointF(0, 0), size), bracket, header, BracketStyle::Paper);
    painter.end();
    return bytes;
}

MobileService::MobileService(Model& model, ServerLimits limits)
    : m_model(model)
    , m_server(limits)
{
    m_drawLater.setSingleShot(true);
    m_drawLater.setInterval(0);
    connect(&m_drawLater, &QTimer::timeout, this, [this] { drawBracket(); });
    m_drawer.setMaxThreadCount(1);
    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        follow();
        if (!isOn())
            return;
        // A tournament that ended leaves nothing to show: the port closes with it.
        if ((what & kTournamentChanged) && m_model.session().activeSize == 0) {
            turnOff();
            return;
        }
        publish();
    });
}

MobileService::~MobileService()
{
    m_server.stop();
    m_drawer.waitForDone();
}

QString MobileService::address() const
{
    if (!isOn())
        return {};
    // Listening on every interface, the page is reached at the venue network's address.
    const std::string host = m_host == "0.0.0.0" ? lanAddress() : m_host;
    return QStringLiteral("http://%1:%2/").arg(QString::fromStdString(host)).arg(port());
}

bool MobileService::turnOn()
{
    const std::string host = m_listenHost;
    if (isOn())
        return true;
    follow();
    m_lastState.clear();
    publish(); // the first request finds a state to serve, the bracket's picture included
    m_drawLater.stop();
    const Session& session = m_model.session();
    QString problem;
    const QByteArray svg =
        session.active() ? bracketSvg(*session.active(), session.lobby.header, &problem) : QByteArray();
    bracketDrawn(svg, problem);
    if (m_server.start(host, m_firstPort, m_lastPort) == 0)
        return false;
    m_host = host;
    emit switched(true);
    return true;
}

void MobileService::turnOff()
{
    if (!isOn())
        return;
    m_server.stop();
    emit switched(false);
}

// The order of results is kept while the page is off as well, so it is right when it comes on.
void MobileService::follow()
{
    if (const Bracket* b = m_model.session().active())
        m_order.follow(*b);
    else
        m_order.clear();
}

void MobileService::publish()
{
    const qint64 start = threadMicros();
    const Session& session = m_model.session();
    const LiveState state = liveState(session, m_order.order());
    std::string plain = liveJson(state, 0);
    if (plain == m_lastState && m_server.snapshot())
        return;
    m_lastState = std::move(plain);
    auto snapshot = std::make_shared<LiveSnapshot>();
    snapshot->json = liveJson(state, ++m_version);
    snapshot->jsonTag = entityTag(snapshot->json);
    if (const auto served = m_server.snapshot()) {
        snapshot->svg = served->svg;
        snapshot->svgTag = served->svgTag;
        snapshot->svgProblem = served->svgProblem;
    }
    m_server.publish(std::move(snapshot));
    m_drawLater.start();
    const qint64 spent = threadMicros() - start;
    m_slowestPublish = std::max(m_slowestPublish, spent);
    m_publishTimes.push_back(spent);
}

qint64 MobileService::typicalPublishUs() const
{
    if (m_publishTimes.empty())
        return 0;
    std::vector<qint64> times = m_publishTimes;
    const auto middle = times.begin() + static_cast<std::ptrdiff_t>(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    return *middle;
}

void MobileService::drawBracket()
{
    if (m_drawing) {
        m_drawAgain = true;
        return;
    }
    const qint64 start = threadMicros();
    const Session& session = m_model.session();
    const Bracket* b = session.active();
    if (!b) {
        bracketDrawn({});
        return;
    }
    m_drawing = true;
    auto copy = std::make_shared<const Bracket>(*b);
    const TournamentHeader header = session.lobby.header;
    m_drawer.start([this, copy, header] {
        QString problem;
        const QByteArray svg = bracketSvg(*copy, header, &problem);
        QMetaObject::invokeMethod(
            this, [this, svg, problem] { bracketDrawn(svg, problem); }, Qt::QueuedConnection);
    });
    m_slowestDraw = std::max(m_slowestDraw, threadMicros() - start);
}

void MobileService::bracketDrawn(const QByteArray& svg, const QString& problem)
{
    m_drawing = false;
    if (const auto served = m_server.snapshot()) {
        auto snapshot = std::make_shared<LiveSnapshot>(*served);
        snapshot->svg.assign(svg.constData(), static_cast<std::size_t>(svg.size()));
        snapshot->svgTag = svg.isEmpty() ? std::string() : entityTag(snapshot->svg);
        snapshot->svgProblem = problem.toStdString();
        m_server.publish(std::move(snapshot));
        emit bracketPublished();
    }
    if (std::exchange(m_drawAgain, false))
        drawBracket();
}

} // namespace zorbon::ui

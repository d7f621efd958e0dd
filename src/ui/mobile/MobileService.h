#pragma once
// "Výsledky na mobilu": the phones page's server and what it serves. After every change the window
// thread makes a new snapshot of the tournament (the page's JSON and the bracket as SVG) and hands
// it over whole; the server's threads read only that.

#include "live/live_state.h"
#include "server/LiveServer.h"

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zorbon {
class Bracket;
struct TournamentHeader;
} // namespace zorbon

namespace zorbon::ui {

class Model;

// The bracket as an SVG document, drawn by the same painter as the print and the PDF; empty, with
// the reason in `problem`, when the SVG module cannot be opened.
QByteArray bracketSvg(const Bracket& bracket, const TournamentHeader& header, QString* problem = nullptr);

class MobileService : public QObject {
    Q_OBJECT
public:
    static constexpr int kFirstPort = 8321;
    static constexpr int kLastPort = 8330;
    static constexpr const char* kFlag = "mobil";

    explicit MobileService(Model& model, ServerLimits limits = {});
    ~MobileService() override;

    bool isOn() const { return m_server.running(); }
    int port() const { return m_server.port(); }
    // "http://<address>:<port>/" while on.
    QString address() const;

    // Listens on every interface (tests: the loopback only) at the first free port of 8321..8330;
    // false when none is free.
    bool turnOn();
    void listenOnLoopbackOnly() { m_listenHost = "127.0.0.1"; }
    // Tests run beside each other on other ports than the program's.
    void usePorts(int first, int last)
    {
        m_firstPort = first;
        m_lastPort = last;
    }
    void turnOff();

    LiveServer& server() { return m_server; }
    // The longest the window thread spent making a snapshot after a change, and handing the bracket
    // over to be drawn (in microseconds): what the page adds to an operator's command.
    qint64 slowestPublishUs() const { return m_slowestPublish; }
    // The median of the same: one slow snapshot can be the machine's doing (another process took
    // the core), a slow median is ours.
    qint64 typicalPublishUs() const;
    qint64 slowestDrawUs() const { return m_slowestDraw; }
    // The snapshot served now (made afresh on every change while on).
    std::shared_ptr<const LiveSnapshot> snapshot() const { return m_server.snapshot(); }

signals:
    void switched(bool on);
    void bracketPublished(); // a new picture of the bracket is served

private:
    void follow();
    void publish();
    void drawBracket();
    void bracketDrawn(const QByteArray& svg, const QString& problem = {});

    Model& m_model;
    LiveServer m_server;
    ResultOrder m_order;
    std::uint64_t m_version = 0;
    std::string m_lastState; // the JSON without its version, to tell a real change
    std::string m_host;
    std::string m_listenHost = "0.0.0.0";
    int m_firstPort = kFirstPort;
    int m_lastPort = kLastPort;
    // The bracket picture is drawn once the command that changed it has finished, once for all the
    // changes of one command (the calls of one "Hraj"), from a copy on a thread of its own.
    QTimer m_drawLater;
    QThreadPool m_drawer;
    bool m_drawing = false;
    bool m_drawAgain = false;
    qint64 m_slowestPublish = 0;
    std::vector<qint64> m_publishTimes;
    qint64 m_slowestDraw = 0;
};

} // namespace zorbon::ui

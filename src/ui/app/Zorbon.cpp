#include "app/Zorbon.h"

#include "app/Model.h"
#include "archive/TPredchoziTurnaje.h"
#include "bracketwindow/TBracketWindow.h"
#include "bracketwindow/TOprava.h"
#include "bracketwindow/TPocetTercu8.h"
#include "bracketwindow/TZadejVysledek.h"
#include "club/THraciKlubu.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/HelpViewer.h"
#include "common/TOprogramu.h"
#include "display/TTabule.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TNovyTurnaj.h"
#include "mainwindow/TOdeber.h"
#include "mainwindow/TOpravduOdebrat.h"
#include "mainwindow/TRegistrace.h"
#include "mainwindow/TRozlosovani.h"
#include "mainwindow/TSmazRegistraci.h"
#include "mainwindow/TZpravaNovyTurnaj.h"
#include "mobile/MobileService.h"
#include "mobile/TMobil.h"
#include "ranking/TZebricek.h"
#include "resultswindow/TVysledkovaListina.h"
#include "seeding/TNasazeni.h"

#include "journal/journal.h"
#include "records/record.h"
#include "tournament/state_codec.h"
#include "tournament/tournament.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <utility>

namespace zorbon::ui {
namespace {

// How long after the main window shows the idle build begins: well after its first paint, and long
// before an operator's first click could need a bracket window.
constexpr int kIdleBuildDelayMs = 300;

template <class W, class... Args> W* create(std::vector<std::unique_ptr<QWidget>>& windows, Args&&... args)
{
    auto w = std::make_unique<W>(std::forward<Args>(args)...);
    W* raw = w.get();
    windows.push_back(std::move(w));
    return raw;
}

} // namespace

// The journal beside the record. A program that did not get the folder touches nothing: no layout,
// no journal.
Zorbon::Prepared Zorbon::prepare()
{
    Prepared p;
    p.lock = std::make_unique<FolderLock>(".");
    if (!p.lock->held())
        return p;
    ensureWorkingLayout();
    Journal::Opened j =
        Journal::open(kJournalPath, Tournament::localTime(Tournament::TimeFormat::FileName), &isReadableState);
    if (j.how == Journal::Opening::Damaged || !j.movedTo.empty())
        p.journalNote = damagedJournalNote(j.movedTo);
    if (!j.journal)
        p.journalProblem = j.reason.empty() ? std::string(kUnknownIoError) : j.reason;
    p.places = Tournament::windowPlaces(j.journal.get());
    p.journal = std::move(j.journal);
    p.running = std::move(j.running);
    return p;
}

Zorbon::Zorbon()
    : Zorbon(&Zorbon::prepare)
{
}

Zorbon::Zorbon(const std::function<Prepared()>& prepared)
    : m_model(std::make_unique<Model>(std::make_unique<Tournament>()))
    , session(m_model->session())
{
    Model& m = *m_model;
    HlavniOkno = create<THlavniOkno>(m_windows, m);
    m_bracketWindows[sizeIndex(8)] = create<TBracketWindow>(m_windows, m, 8);
    Registrace = create<TRegistrace>(m_windows, m);
    ZpravaNovyTurnaj = create<TZpravaNovyTurnaj>(m_windows, m);
    NovyTurnaj = create<TNovyTurnaj>(m_windows, m);
    SmazRegistraci = create<TSmazRegistraci>(m_windows, m);
    Rozlosovani = create<TRozlosovani>(m_windows, m);
    PocetTercu8 = create<TPocetTercu8>(m_windows, m);
    m_resultDialogs[sizeIndex(8)] = create<TZadejVysledek>(m_windows, m, 8);
    Oprogramu = create<TOprogramu>(m_windows);
    VysledkovaListina = create<TVysledkovaListina>(m_windows, m);
    m_bracketWindows[sizeIndex(16)] = create<TBracketWindow>(m_windows, m, 16);
    m_resultDialogs[sizeIndex(16)] = create<TZadejVysledek>(m_windows, m, 16);
    m_bracketWindows[sizeIndex(32)] = create<TBracketWindow>(m_windows, m, 32);
    m_correctionDialogs[sizeIndex(8)] = create<TOprava>(m_windows, 8);
    m_correctionDialogs[sizeIndex(16)] = create<TOprava>(m_windows, 16);
    m_resultDialogs[sizeIndex(32)] = create<TZadejVysledek>(m_windows, m, 32);
    m_correctionDialogs[sizeIndex(32)] = create<TOprava>(m_windows, 32);
    Odeber = create<TOdeber>(m_windows, m);
    OpravduOdebrat = create<TOpravduOdebrat>(m_windows);
    // The windows the program has grown since come after the original ones.
    PredchoziTurnaje = create<TPredchoziTurnaje>(m_windows, m);
    Tabule = create<TTabule>(m_windows, m);
    Nasazeni = create<TNasazeni>(m_windows, m);
    Zebricek = create<TZebricek>(m_windows, m);
    m_bracketWindows[sizeIndex(64)] = create<TBracketWindow>(m_windows, m, 64);
    m_resultDialogs[sizeIndex(64)] = create<TZadejVysledek>(m_windows, m, 64);
    m_correctionDialogs[sizeIndex(64)] = create<TOprava>(m_windows, 64);
    Mobil = create<TMobil>(m_windows);
    m_mobile = std::make_unique<MobileService>(m);
    m_mobileCorner = new MobileCorner(Tabule);
    HraciKlubu = create<THraciKlubu>(m_windows, m);
    connectWindows();
    orderIdleBuilds();
    // No window reads the journal while it is made; from here on they may.
    Prepared p = prepared();
    m_lock = std::move(p.lock);
    m_journalNote = std::move(p.journalNote);
    m_places = std::move(p.places);
    core().attachJournal(std::move(p.journal), std::move(p.running), std::move(p.journalProblem));
}

Zorbon::~Zorbon()
{
    finish();
    // Later windows may refer to earlier ones; free them in reverse order of creation.
    while (!m_windows.empty())
        m_windows.pop_back();
}

void Zorbon::finish()
{
    if (std::exchange(m_finished, true))
        return;
    // The server's port closes before anything it was fed from goes.
    m_mobile.reset();
    // Where the windows were is kept for the next start.
    if (m_lock && m_lock->held() && !QCoreApplication::closingDown()) {
        if (HlavniOkno->isVisible() || HlavniOkno->testAttribute(Qt::WA_WState_ExplicitShowHide))
            rememberPlace(HlavniOkno, 1.0);
        for (TBracketWindow* w : m_bracketWindows)
            if (w->wasShown())
                rememberPlace(w, w->zoom());
    }
    core().closeJournal();
}

Tournament& Zorbon::core()
{
    return *m_model->m_core;
}

TBracketWindow* Zorbon::bracketWindow(int size) const
{
    TBracketWindow* w = m_bracketWindows[sizeIndex(size)];
    w->ensureBuilt();
    return w;
}

TZadejVysledek* Zorbon::resultDialog(int size) const
{
    return m_resultDialogs[sizeIndex(size)];
}

TOprava* Zorbon::correctionDialog(int size) const
{
    return m_correctionDialogs[sizeIndex(size)];
}

void Zorbon::connectWindows()
{
    connect(HlavniOkno, &THlavniOkno::opens, this, &Zorbon::open);
    connect(HlavniOkno, &THlavniOkno::archiveRequested, this, [this] { Dialogs::exec(PredchoziTurnaje); });
    connect(HlavniOkno, &THlavniOkno::rankingRequested, this, [this] { Dialogs::exec(Zebricek); });
    connect(HlavniOkno, &THlavniOkno::seedingRequested, this, [this] { Dialogs::exec(Nasazeni); });
    connect(HlavniOkno, &THlavniOkno::clubRequested, this, [this] { Dialogs::exec(HraciKlubu); });
    connect(ZpravaNovyTurnaj, &TZpravaNovyTurnaj::newTournamentRequested, this, [this] { NovyTurnaj->showModeless(); });
    Odeber->confirm = [this](const std::string& chosen) {
        OpravduOdebrat->ask(chosen);
        return Dialogs::exec(OpravduOdebrat);
    };
    OpravduOdebrat->remove = [this] { return Odeber->removeChosen(OpravduOdebrat); };
    connect(Rozlosovani, &TRozlosovani::drawn, this, [this](int size) {
        bracketWindow(size)->showTournament();
        HlavniOkno->hide();
        Rozlosovani->accept();
        PocetTercu8->open(Tournament::BoardCountFrom::Draw);
    });
    for (const int size : kBracketSizes) {
        TBracketWindow* w = m_bracketWindows[sizeIndex(size)];
        connect(w, &TBracketWindow::boardCountRequested, this,
                [this] { PocetTercu8->open(Tournament::BoardCountFrom::Terce); });
        connect(w, &TBracketWindow::resultRequested, this, [this, size](int board) {
            TZadejVysledek* dialog = resultDialog(size);
            dialog->prepare(board);
            Dialogs::exec(dialog);
        });
        w->confirmCorrection = [this, size] { return Dialogs::exec(correctionDialog(size)) == QDialog::Accepted; };
        connect(w, &TBracketWindow::resultsRequested, this,
                [this](bool modal) { VysledkovaListina->showResults(modal); });
        connect(w, &TBracketWindow::closed, this, [this, w] {
            rememberPlace(w, w->zoom());
            HlavniOkno->show();
        });
        connect(w, &TBracketWindow::helpRequested, this, [this, w] { showHelpFrom(w); });
        connect(w, &TBracketWindow::aboutRequested, this, &Zorbon::showAbout);
        connect(w, &TBracketWindow::displayRequested, this, [this, w] { Tabule->toggle(w->frameGeometry()); });
        connect(w, &TBracketWindow::mobileRequested, this, [this, w](bool on) { switchMobile(on, w); });
        connect(w, &TBracketWindow::displayFullScreenRequested, this,
                [this, w] { Tabule->toggleFullScreen(w->frameGeometry()); });
    }
    connect(m_mobile.get(), &MobileService::switched, this, [this](bool on) {
        for (TBracketWindow* w : m_bracketWindows)
            w->setMobileChecked(on);
        m_mobileCorner->showAddress(on ? m_mobile->address() : QString());
        if (!on)
            Mobil->hide();
    });
    connect(VysledkovaListina, &TVysledkovaListina::helpRequested, this, [this] { showHelpFrom(VysledkovaListina); });
    connect(VysledkovaListina, &TVysledkovaListina::aboutRequested, this, &Zorbon::showAbout);
    connect(PredchoziTurnaje, &TPredchoziTurnaje::resultsRequested, this,
            [this](const ResultsSheet& sheet) { VysledkovaListina->showArchived(sheet); });
    connect(PredchoziTurnaje, &TPredchoziTurnaje::reopened, this, [this] { showRunningTournament(); });
}

void Zorbon::open(Opens what)
{
    switch (what) {
    case Opens::NewTournament:
        Dialogs::exec(NovyTurnaj);
        break;
    case Opens::TournamentExists:
        Dialogs::exec(ZpravaNovyTurnaj);
        break;
    case Opens::Registration:
        Dialogs::exec(Registrace);
        break;
    case Opens::DeleteAll:
        Dialogs::exec(SmazRegistraci);
        break;
    case Opens::Draw:
        Dialogs::exec(Rozlosovani);
        break;
    case Opens::Remove:
        if (Odeber->prepare(HlavniOkno))
            Dialogs::exec(Odeber);
        break;
    case Opens::Help:
        showHelpFrom(HlavniOkno);
        break;
    case Opens::About:
        showAbout();
        break;
    case Opens::Exit:
        HlavniOkno->close();
        break;
    }
}

void Zorbon::orderIdleBuilds()
{
    for (LazyWindow<QDialog>* d : std::initializer_list<LazyWindow<QDialog>*>{
             Registrace, NovyTurnaj, ZpravaNovyTurnaj, SmazRegistraci, Rozlosovani, OpravduOdebrat})
        m_idleBuilds.emplace_back([d] { d->ensureBuilt(); });
    for (auto size = kBracketSizes.rbegin(); size != kBracketSizes.rend(); ++size)
        m_idleBuilds.emplace_back([this, s = *size] { bracketWindow(s); });
    for (const int size : kBracketSizes)
        m_idleBuilds.emplace_back([d = correctionDialog(size)] { d->ensureBuilt(); });
    for (LazyWindow<QDialog>* d : std::initializer_list<LazyWindow<QDialog>*>{Oprogramu, Mobil})
        m_idleBuilds.emplace_back([d] { d->ensureBuilt(); });
}

void Zorbon::buildWhileIdle(std::size_t next)
{
    if (next >= m_idleBuilds.size())
        return;
    m_idleBuilds[next]();
    QTimer::singleShot(0, this, [this, next] { buildWhileIdle(next + 1); });
}

void Zorbon::switchMobile(bool on, QWidget* from)
{
    if (!on) {
        m_mobile->turnOff();
        m_model->change(from, [](Tournament& t) { t.setFlag(MobileService::kFlag, {}); });
        return;
    }
    if (!turnMobileOn(from))
        return;
    m_model->change(from, [](Tournament& t) { t.setFlag(MobileService::kFlag, "1"); });
    Mobil->showAddress(m_mobile->address(), from);
}

bool Zorbon::turnMobileOn(QWidget* from)
{
    if (m_mobile->turnOn())
        return true;
    for (TBracketWindow* w : m_bracketWindows)
        w->setMobileChecked(false);
    Dialogs::message(from, QStringLiteral("Výsledky na mobilu nelze zapnout: porty %1 až %2 jsou obsazené jinými "
                                          "programy. Zavřete program, který je používá, a zkuste to znovu.")
                               .arg(MobileService::kFirstPort)
                               .arg(MobileService::kLastPort));
    return false;
}

void Zorbon::rememberPlace(QWidget* window, double zoom)
{
    const QRect r = window->isMaximized() || window->isFullScreen() ? window->normalGeometry() : window->geometry();
    if (!r.isValid())
        return;
    core().rememberWindowPlace(
        {window->objectName().toStdString(), r.x(), r.y(), r.width(), r.height(), window->isMaximized(), zoom});
}

void Zorbon::restorePlaces()
{
    for (const WindowPlace& p : std::exchange(m_places, {})) {
        QRect r(p.x, p.y, p.width, p.height);
        if (r.width() < 100 || r.height() < 100 || r.width() > 20000 || r.height() > 20000)
            continue;
        // A place off every screen (a screen since unplugged) is forgotten; the size and zoom stay.
        bool onScreen = false;
        for (const QScreen* s : QGuiApplication::screens())
            onScreen =
                onScreen || s->availableGeometry().intersected(QRect(r.topLeft(), QSize(r.width(), 40))).width() >= 80;
        if (!onScreen)
            r.moveCenter(QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry().center()
                             : r.center());
        for (TBracketWindow* w : m_bracketWindows)
            if (w->objectName().toStdString() == p.window)
                w->placeAt(r, p.maximized, p.zoom);
        // The main window keeps its size; it goes back where it stood.
        if (p.window == "THlavniOkno" && onScreen)
            HlavniOkno->move(r.topLeft());
    }
}

void Zorbon::showHelpFrom(QWidget* from)
{
    showHelp(HlavniOkno, from);
}

void Zorbon::showAbout()
{
    Dialogs::exec(Oprogramu);
}

void Zorbon::showRunningTournament()
{
    if (session.activeSize == 0)
        return; // before the draw the main window shows the tournament
    TBracketWindow* w = bracketWindow(session.activeSize);
    w->showTournament();
    HlavniOkno->hide();
    // The phones page comes back on when it was on as the tournament stopped.
    if (m_model->core().flag(MobileService::kFlag) == "1")
        turnMobileOn(w);
    // The players' display comes back when it was open as the tournament last ran.
    if (core().flag(TTabule::kOpenFlag) == "1")
        Tabule->open(w->frameGeometry());
}

bool Zorbon::start()
{
    if (!m_lock->held()) {
        Dialogs::message(nullptr, QString::fromUtf8(kAlreadyRunning));
        return false;
    }
    if (!m_journalNote.empty())
        Dialogs::message(nullptr, qs(m_journalNote));
    restorePlaces();
    if (const std::optional<std::string> what = m_model->core().resumeDescription()) {
        const QString question = QString::fromUtf8(kResumeQuestion) + QLatin1Char('\n') + qs(*what);
        if (Dialogs::ask(nullptr, QStringLiteral("TPokracovat"), question)) {
            m_model->act(nullptr, [](Tournament& t) { return t.resume(); });
            if (session.activeSize != 0) {
                showRunningTournament();
                return true;
            }
        } else {
            m_model->change(nullptr, [](Tournament& t) { t.abandon(); });
        }
    }
    HlavniOkno->show();
    QTimer::singleShot(kIdleBuildDelayMs, this, [this] { buildWhileIdle(0); });
    return true;
}

} // namespace zorbon::ui

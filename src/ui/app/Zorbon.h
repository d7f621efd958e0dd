#pragma once
// The application: the command layer with its journal, and every window, each created once at
// start-up and kept until exit. It is also where the windows meet: a window only tells what it
// needs (a dialog, the bracket, the results), and the application opens it.

#include "bracket/sizes.h"
#include "journal/journal.h"
#include "journal/lock.h"
#include "lobby/lobby.h"
#include "tournament/session.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QWidget;

namespace zorbon {
class Tournament;
}

namespace zorbon::ui {

class Model;
class THlavniOkno;
class TRegistrace;
class TZpravaNovyTurnaj;
class TNovyTurnaj;
class TSmazRegistraci;
class TRozlosovani;
class TPocetTercu8;
class TOprogramu;
class TVysledkovaListina;
class TOdeber;
class TOpravduOdebrat;
class TBracketWindow;
class TZadejVysledek;
class TOprava;
class TPredchoziTurnaje;
class TTabule;
class TNasazeni;
class TZebricek;
class TMobil;
class MobileService;
class MobileCorner;
class THraciKlubu;

class Zorbon : public QObject {
    Q_OBJECT
public:
    // What needs no Qt and no window: the working folder taken (unless another Zorbon holds it),
    // the working layout and the journal created if they are missing, the journal opened and
    // checked. Plain C++, so it may run on another thread while the windows are made (main.cpp
    // does so: on two cores the start-up then overlaps).
    struct Prepared {
        std::unique_ptr<FolderLock> lock;
        std::string journalNote;          // what start() tells about a damaged journal
        std::unique_ptr<Journal> journal; // null when the folder is another Zorbon's or no journal could be made
        std::optional<History> running;   // the journal's unfinished tournament
        std::string journalProblem;       // why there is no journal
        std::vector<WindowPlace> places;  // where the windows were left, read with the journal
    };
    static Prepared prepare();

    // Every window, hidden, in the fixed order, over a command layer that then takes what
    // `prepared` hands over: called once the windows are made, so that it may wait for the thread
    // that runs prepare().
    explicit Zorbon(const std::function<Prepared()>& prepared);
    Zorbon();
    ~Zorbon() override;
    Zorbon(const Zorbon&) = delete;
    Zorbon& operator=(const Zorbon&) = delete;

    // Shows the main window, after telling of a damaged journal and offering to resume an
    // unfinished tournament (whose bracket window then shows instead). False, after saying so,
    // when another Zorbon runs in this folder: the program then ends, having touched no file.
    bool start();

    // The end of the run, once the event loop has ended: the phones page stopped, the windows'
    // places kept and the journal closed. After it the process may leave without its tear-down;
    // the destructor does it when nobody did. Nothing but the destructor may use this object after.
    void finish();

private:
    // Taken over from prepare() once the windows are made.
    std::unique_ptr<FolderLock> m_lock;
    std::string m_journalNote;         // what start() tells about a damaged journal
    std::vector<WindowPlace> m_places; // given to the windows by start()
    std::unique_ptr<Model> m_model;

public:
    Model& model() { return *m_model; }
    // For tests and tools that drive the core directly; the windows go through the model.
    Tournament& core();
    const Session& session;

    // The bracket window, result dialog and correction question of a bracket size.
    TBracketWindow* bracketWindow(int size) const;
    TZadejVysledek* resultDialog(int size) const;
    TOprava* correctionDialog(int size) const;

    THlavniOkno* HlavniOkno = nullptr;
    TRegistrace* Registrace = nullptr;
    TZpravaNovyTurnaj* ZpravaNovyTurnaj = nullptr;
    TNovyTurnaj* NovyTurnaj = nullptr;
    TSmazRegistraci* SmazRegistraci = nullptr;
    TRozlosovani* Rozlosovani = nullptr;
    TPocetTercu8* PocetTercu8 = nullptr;
    TOprogramu* Oprogramu = nullptr;
    TVysledkovaListina* VysledkovaListina = nullptr;
    TOdeber* Odeber = nullptr;
    TOpravduOdebrat* OpravduOdebrat = nullptr;
    TPredchoziTurnaje* PredchoziTurnaje = nullptr;
    TTabule* Tabule = nullptr;
    TNasazeni* Nasazeni = nullptr;
    TZebricek* Zebricek = nullptr;
    TMobil* Mobil = nullptr;
    MobileService& mobile() { return *m_mobile; }
    THraciKlubu* HraciKlubu = nullptr;

private:
    void connectWindows();
    void open(Opens what);
    void showHelpFrom(QWidget* from);
    void showAbout();
    // After a resume or a reopening: the bracket window of a drawn tournament takes over.
    void showRunningTournament();
    // Makes the dialogs' and the bracket windows' widgets while the operator looks at the main
    // window, one window per turn of the event loop (m_idleBuilds, from `next` on), so that no first
    // opening pays for them and no turn is long.
    void buildWhileIdle(std::size_t next);
    // The idle builds in order: the dialogs of registration first (an operator opens them first),
    // then the bracket windows, the largest first, then the rest.
    void orderIdleBuilds();
    // "Výsledky na mobilu" from a bracket window.
    void switchMobile(bool on, QWidget* from);
    // Turns the page on, or says why it cannot and leaves it off.
    bool turnMobileOn(QWidget* from);
    // The windows' remembered places: given to the windows before they show, stored as they close.
    void restorePlaces();
    void rememberPlace(QWidget* window, double zoom);

    PerSize<TBracketWindow*> m_bracketWindows{};
    PerSize<TZadejVysledek*> m_resultDialogs{};
    PerSize<TOprava*> m_correctionDialogs{};
    std::vector<std::unique_ptr<QWidget>> m_windows; // in creation order
    std::vector<std::function<void()>> m_idleBuilds; // one window each
    std::unique_ptr<MobileService> m_mobile;         // stopped first at exit
    MobileCorner* m_mobileCorner = nullptr;          // on the players' display
    bool m_finished = false;
};

} // namespace zorbon::ui

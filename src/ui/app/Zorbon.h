#pragma once
// The application: the session and every window, each created once at start-up and kept until exit.

#include "tournament/session.h"

#include <QObject>

#include <memory>
#include <vector>

class QWidget;

namespace zorbon::ui {

class THlavniOkno;
class Tturnaj8;
class TRegistrace;
class TZpravaNovyTurnaj;
class TNovyTurnaj;
class TSmazRegistraci;
class TRozlosovani;
class TPocetTercu8;
class TZadejVysledek8;
class TOprogramu;
class TVysledkovaListina;
class TTurnaj16;
class TZadejVysledek16;
class TTurnaj32;
class TOprava8;
class TOprava16;
class TZadejVysledek32;
class TOprava32;
class TOdeber;
class TOpravduOdebrat;
class TBracketWindow;
class TZadejVysledek;
class TOprava;

class Zorbon {
public:
    // Creates the working layout if it is missing and every window, hidden, in the fixed order.
    Zorbon();
    ~Zorbon();
    Zorbon(const Zorbon&) = delete;
    Zorbon& operator=(const Zorbon&) = delete;

    // Shows the main window.
    void start();

    // The bracket window of this size, with its widgets made.
    TBracketWindow* bracketWindow(int size) const;
    // Repaints the three bracket windows from the session; one never needed yet stays unmade.
    void refreshBracketWindows() const;
    TZadejVysledek* resultDialog(int size) const;
    TOprava* correctionDialog(int size) const;

    Session session;

    THlavniOkno* HlavniOkno = nullptr;
    Tturnaj8* turnaj8 = nullptr;
    TRegistrace* Registrace = nullptr;
    TZpravaNovyTurnaj* ZpravaNovyTurnaj = nullptr;
    TNovyTurnaj* NovyTurnaj = nullptr;
    TSmazRegistraci* SmazRegistraci = nullptr;
    TRozlosovani* Rozlosovani = nullptr;
    TPocetTercu8* PocetTercu8 = nullptr;
    TZadejVysledek8* ZadejVysledek8 = nullptr;
    TOprogramu* Oprogramu = nullptr;
    TVysledkovaListina* VysledkovaListina = nullptr;
    TTurnaj16* Turnaj16 = nullptr;
    TZadejVysledek16* ZadejVysledek16 = nullptr;
    TTurnaj32* Turnaj32 = nullptr;
    TOprava8* Oprava8 = nullptr;
    TOprava16* Oprava16 = nullptr;
    TZadejVysledek32* ZadejVysledek32 = nullptr;
    TOprava32* Oprava32 = nullptr;
    TOdeber* Odeber = nullptr;
    TOpravduOdebrat* OpravduOdebrat = nullptr;

private:
    std::vector<std::unique_ptr<QWidget>> m_windows; // in creation order
};

} // namespace zorbon::ui

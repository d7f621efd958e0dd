#include "app/Zorbon.h"

#include "bracketwindow/BracketWindow.h"
#include "bracketwindow/Oprava.h"
#include "mainwindow/THlavniOkno.h"
#include "mainwindow/TNovyTurnaj.h"
#include "mainwindow/TOdeber.h"
#include "mainwindow/TOpravduOdebrat.h"
#include "common/TOprogramu.h"
#include "bracketwindow/TPocetTercu8.h"
#include "mainwindow/TRegistrace.h"
#include "mainwindow/TRozlosovani.h"
#include "mainwindow/TSmazRegistraci.h"
#include "resultswindow/TVysledkovaListina.h"
#include "mainwindow/TZpravaNovyTurnaj.h"
#include "bracketwindow/ZadejVysledek.h"

#include "records/record.h"

namespace zorbon::ui {
namespace {

template <class W>
W* create(Zorbon& app, std::vector<std::unique_ptr<QWidget>>& windows)
{
    auto w = std::make_unique<W>(app);
    W* raw = w.get();
    windows.push_back(std::move(w));
    return raw;
}

} // namespace

Zorbon::Zorbon()
{
    EnsureWorkingLayout();
    HlavniOkno = create<THlavniOkno>(*this, m_windows);
    turnaj8 = create<Tturnaj8>(*this, m_windows);
    Registrace = create<TRegistrace>(*this, m_windows);
    ZpravaNovyTurnaj = create<TZpravaNovyTurnaj>(*this, m_windows);
    NovyTurnaj = create<TNovyTurnaj>(*this, m_windows);
    SmazRegistraci = create<TSmazRegistraci>(*this, m_windows);
    Rozlosovani = create<TRozlosovani>(*this, m_windows);
    PocetTercu8 = create<TPocetTercu8>(*this, m_windows);
    ZadejVysledek8 = create<TZadejVysledek8>(*this, m_windows);
    Oprogramu = create<TOprogramu>(*this, m_windows);
    VysledkovaListina = create<TVysledkovaListina>(*this, m_windows);
    Turnaj16 = create<TTurnaj16>(*this, m_windows);
    ZadejVysledek16 = create<TZadejVysledek16>(*this, m_windows);
    Turnaj32 = create<TTurnaj32>(*this, m_windows);
    Oprava8 = create<TOprava8>(*this, m_windows);
    Oprava16 = create<TOprava16>(*this, m_windows);
    ZadejVysledek32 = create<TZadejVysledek32>(*this, m_windows);
    Oprava32 = create<TOprava32>(*this, m_windows);
    Odeber = create<TOdeber>(*this, m_windows);
    OpravduOdebrat = create<TOpravduOdebrat>(*this, m_windows);
}

Zorbon::~Zorbon()
{
    // Later windows may refer to earlier ones; free them in reverse order of creation.
    while (!m_windows.empty())
        m_windows.pop_back();
}

void Zorbon::start()
{
    HlavniOkno->show();
}

TBracketWindow* Zorbon::bracketWindow(int size) const
{
    TBracketWindow* w = size == 8    ? static_cast<TBracketWindow*>(turnaj8)
                        : size == 16 ? static_cast<TBracketWindow*>(Turnaj16)
                                     : static_cast<TBracketWindow*>(Turnaj32);
    w->ensureBuilt();
    return w;
}

void Zorbon::refreshBracketWindows() const
{
    for (TBracketWindow* w : {static_cast<TBracketWindow*>(turnaj8), static_cast<TBracketWindow*>(Turnaj16),
                              static_cast<TBracketWindow*>(Turnaj32)})
        w->refresh();
}

TZadejVysledek* Zorbon::resultDialog(int size) const
{
    return size == 8 ? static_cast<TZadejVysledek*>(ZadejVysledek8) : size == 16 ? static_cast<TZadejVysledek*>(ZadejVysledek16) : static_cast<TZadejVysledek*>(ZadejVysledek32);
}

TOprava* Zorbon::correctionDialog(int size) const
{
    return size == 8 ? static_cast<TOprava*>(Oprava8) : size == 16 ? static_cast<TOprava*>(Oprava16) : static_cast<TOprava*>(Oprava32);
}

} // namespace zorbon::ui

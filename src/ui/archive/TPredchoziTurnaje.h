#pragma once
// The archive: the ended tournaments, newest first. One of them can show its results list, run
// again (which is how a tournament closed by mistake comes back) or be deleted.

#include "common/LazyWindow.h"

#include "tournament/tournament.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zorbon::ui {

class Model;

class TPredchoziTurnaje : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TPredchoziTurnaje(Model& model);

    void ButtonVysledkyClick();    // "Výsledková listina"
    void ButtonPokracovatClick();  // "Pokračovat"
    void ButtonSmazatClick();      // "Smazat"
    void ButtonRegistrovatClick(); // "Registrovat hráče": its players registered again

signals:
    void resultsRequested(const zorbon::ResultsSheet& sheet);
    // The chosen tournament runs again: its window takes over.
    void reopened();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build() override;
    void fill();
    void updateButtons();
    // The chosen tournament's number in the journal, or 0.
    std::int64_t chosen() const;

    Model& m_model;
    QLabel* m_label1 = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_results = nullptr;
    QPushButton* m_reopen = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_register = nullptr;
};

} // namespace zorbon::ui

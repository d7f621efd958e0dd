#pragma once
// The board-count dialog: how many boards are in play, within the limit the player count allows.

#include "common/LazyWindow.h"

#include "tournament/tournament.h"

#include <QDialog>

class QLabel;
class QSpinBox;

namespace zorbon::ui {

class Model;

class TPocetTercu8 : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TPocetTercu8(Model& model);

    // Runs the dialog for the draw or for "Terče" (only the latter can be undone); returns its result.
    int open(Tournament::BoardCountFrom from);

    void FormShow();
    void Button1Click(); // OK
    // The number shown at the next opening (the clear-down sets it back to 0, an undo or a resume
    // to what it was).
    void syncFromSession();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build() override;
    Model& m_model;
    Tournament::BoardCountFrom m_from = Tournament::BoardCountFrom::Terce;
    QLabel* m_label1 = nullptr;
    QSpinBox* m_spin = nullptr;
};

} // namespace zorbon::ui

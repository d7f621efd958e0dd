#pragma once
// Asked before a new tournament replaces the one whose header is filled in.

#include "common/AnoNeDialog.h"

namespace zorbon::ui {

class Model;

class TZpravaNovyTurnaj : public AnoNeDialog {
    Q_OBJECT
public:
    explicit TZpravaNovyTurnaj(Model& model);
    void Button1Click() override;

signals:
    // "Ano": the new-tournament dialog opens, not modal.
    void newTournamentRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Model& m_model;
};

} // namespace zorbon::ui

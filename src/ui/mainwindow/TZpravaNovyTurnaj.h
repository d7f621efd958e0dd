#pragma once
// Asked before a new tournament replaces the one whose header is filled in.

#include "common/AnoNeDialog.h"

namespace zorbon::ui {

class Zorbon;

class TZpravaNovyTurnaj : public AnoNeDialog {
    Q_OBJECT
public:
    explicit TZpravaNovyTurnaj(Zorbon& app);
    void Button1Click() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

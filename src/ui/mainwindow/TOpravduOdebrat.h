#pragma once
// Confirmation of removing the player chosen in the remove dialog.

#include "common/AnoNeDialog.h"

#include <string>

namespace zorbon::ui {

class Zorbon;

class TOpravduOdebrat : public AnoNeDialog {
    Q_OBJECT
public:
    explicit TOpravduOdebrat(Zorbon& app);

    // Sets the question for the chosen text before the dialog is shown.
    void ask(const std::string& chosen);

    void Button1Click() override;

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

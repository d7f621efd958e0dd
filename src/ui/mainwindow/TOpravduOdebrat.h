#pragma once
// Confirmation of removing the player chosen in the remove dialog.

#include "common/AnoNeDialog.h"

#include <functional>
#include <string>

namespace zorbon::ui {

class TOpravduOdebrat : public AnoNeDialog {
    Q_OBJECT
public:
    TOpravduOdebrat();

    // "Ano": removes the chosen player; true when it was done (the application provides it).
    std::function<bool()> remove;

    // Sets the question for the chosen text before the dialog is shown.
    void ask(const std::string& chosen);

    void Button1Click() override;
};

} // namespace zorbon::ui

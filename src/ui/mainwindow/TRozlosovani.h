#pragma once
// The draw confirmation: "Ano" runs the draw and opens the chosen bracket window.

#include "common/AnoNeDialog.h"

#include <cstdint>
#include <functional>

namespace zorbon::ui {

class Model;

class TRozlosovani : public AnoNeDialog {
    Q_OBJECT
public:
    explicit TRozlosovani(Model& model);

    // Where the draw takes its generator's seed: the clock, or a fixed value in tests.
    std::function<std::uint32_t()> seedSource;

    void Button1Click() override; // Ano

signals:
    // The draw was made: the bracket of this size takes over; the application shows it, hides the
    // main window, closes this dialog and asks for the board count.
    void drawn(int size);

private:
    void build() override;
    Model& m_model;
};

} // namespace zorbon::ui

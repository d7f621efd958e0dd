#pragma once
// The draw confirmation: "Ano" runs the draw and opens the chosen bracket window.

#include "common/AnoNeDialog.h"

#include <cstdint>
#include <functional>

namespace zorbon::ui {

class Zorbon;

class TRozlosovani : public AnoNeDialog {
    Q_OBJECT
public:
    explicit TRozlosovani(Zorbon& app);

    // Where the draw takes its generator's seed: the clock, or a fixed value in tests.
    std::function<std::uint32_t()> seedSource;

    void Button1Click() override; // Ano

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

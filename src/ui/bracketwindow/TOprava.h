#pragma once
// The question before a result is opened for correction: "Ano" accepts, "Ne" declines.

#include "common/AnoNeDialog.h"

namespace zorbon::ui {

class TOprava : public AnoNeDialog {
    Q_OBJECT
public:
    // One class for the three questions; TOprava8, 16 and 32 are their objectNames.
    explicit TOprava(int size);
    int size() const { return m_size; }

    void Button1Click() override { accept(); }

private:
    void build() override;
    int m_size;
};

} // namespace zorbon::ui

#pragma once
// Confirmation of deleting every registration.

#include "common/AnoNeDialog.h"

namespace zorbon::ui {

class Zorbon;

class TSmazRegistraci : public AnoNeDialog {
    Q_OBJECT
public:
    explicit TSmazRegistraci(Zorbon& app);
    void Button1Click() override;

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

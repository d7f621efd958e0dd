#pragma once
// Confirmation of deleting every registration.

#include "common/AnoNeDialog.h"

namespace zorbon::ui {

class Model;

class TSmazRegistraci : public AnoNeDialog {
    Q_OBJECT
public:
    explicit TSmazRegistraci(Model& model);
    void Button1Click() override;

private:
    Model& m_model;
};

} // namespace zorbon::ui

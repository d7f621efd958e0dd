#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TPocetTercu8 : public QDialog {
public:
    explicit TPocetTercu8(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

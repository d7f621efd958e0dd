#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TSmazRegistraci : public QDialog {
public:
    explicit TSmazRegistraci(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

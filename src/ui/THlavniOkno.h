#pragma once
// TODO: placeholder until this window is built.

#include <QMainWindow>

namespace zorbon::ui {

class Zorbon;

class THlavniOkno : public QMainWindow {
public:
    explicit THlavniOkno(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

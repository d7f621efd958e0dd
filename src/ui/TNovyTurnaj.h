#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TNovyTurnaj : public QDialog {
public:
    explicit TNovyTurnaj(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TOpravduOdebrat : public QDialog {
public:
    explicit TOpravduOdebrat(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

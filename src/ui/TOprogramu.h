#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TOprogramu : public QDialog {
public:
    explicit TOprogramu(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

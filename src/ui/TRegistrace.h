#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TRegistrace : public QDialog {
public:
    explicit TRegistrace(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

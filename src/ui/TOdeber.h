#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TOdeber : public QDialog {
public:
    explicit TOdeber(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

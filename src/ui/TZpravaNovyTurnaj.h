#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TZpravaNovyTurnaj : public QDialog {
public:
    explicit TZpravaNovyTurnaj(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

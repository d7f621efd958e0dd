#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TRozlosovani : public QDialog {
public:
    explicit TRozlosovani(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

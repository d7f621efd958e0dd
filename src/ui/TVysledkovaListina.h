#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TVysledkovaListina : public QDialog {
public:
    explicit TVysledkovaListina(Zorbon& app);

private:
    Zorbon& m_app;
};

} // namespace zorbon::ui

#pragma once
// The question before a result is opened for correction: "Ano" accepts, "Ne" rejects.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TOprava : public QDialog {
    Q_OBJECT
public:
    TOprava(Zorbon& app, int size);
    int size() const { return m_size; }

private:
    Zorbon& m_app;
    int m_size;
};

class TOprava8 : public TOprava {
public:
    explicit TOprava8(Zorbon& app) : TOprava(app, 8) {}
};

class TOprava16 : public TOprava {
public:
    explicit TOprava16(Zorbon& app) : TOprava(app, 16) {}
};

class TOprava32 : public TOprava {
public:
    explicit TOprava32(Zorbon& app) : TOprava(app, 32) {}
};

} // namespace zorbon::ui

#pragma once
// The question before a result is opened for correction: "Ano" accepts, "Ne" declines.

#include "common/AnoNeDialog.h"

namespace zorbon::ui {

class Zorbon;

class TOprava : public AnoNeDialog {
    Q_OBJECT
public:
    TOprava(Zorbon& app, int size);
    int size() const { return m_size; }

    void Button1Click() override { accept(); }

private:
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

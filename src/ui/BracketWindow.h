#pragma once
// TODO: placeholder until this window is built.

#include <QMainWindow>

namespace zorbon::ui {

class Zorbon;

class TBracketWindow : public QMainWindow {
public:
    TBracketWindow(Zorbon& app, int size);
    int size() const { return m_size; }

protected:
    Zorbon& m_app;
    int m_size;
};

class Tturnaj8 : public TBracketWindow {
public:
    explicit Tturnaj8(Zorbon& app) : TBracketWindow(app, 8) {}
};

class TTurnaj16 : public TBracketWindow {
public:
    explicit TTurnaj16(Zorbon& app) : TBracketWindow(app, 16) {}
};

class TTurnaj32 : public TBracketWindow {
public:
    explicit TTurnaj32(Zorbon& app) : TBracketWindow(app, 32) {}
};

} // namespace zorbon::ui

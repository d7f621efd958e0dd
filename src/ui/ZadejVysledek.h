#pragma once
// TODO: placeholder until this window is built.

#include <QDialog>

namespace zorbon::ui {

class Zorbon;

class TZadejVysledek : public QDialog {
public:
    TZadejVysledek(Zorbon& app, int size);
    int size() const { return m_size; }

protected:
    Zorbon& m_app;
    int m_size;
};

class TZadejVysledek8 : public TZadejVysledek {
public:
    explicit TZadejVysledek8(Zorbon& app) : TZadejVysledek(app, 8) {}
};

class TZadejVysledek16 : public TZadejVysledek {
public:
    explicit TZadejVysledek16(Zorbon& app) : TZadejVysledek(app, 16) {}
};

class TZadejVysledek32 : public TZadejVysledek {
public:
    explicit TZadejVysledek32(Zorbon& app) : TZadejVysledek(app, 32) {}
};

} // namespace zorbon::ui

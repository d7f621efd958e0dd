#pragma once
// Result entry: the two players of a board and their scores; OK hands them to the core.

#include <QDialog>

class QLabel;

namespace zorbon::ui {

class Zorbon;
class ScoreEdit;

class TZadejVysledek : public QDialog {
    Q_OBJECT
public:
    TZadejVysledek(Zorbon& app, int size);
    int size() const { return m_size; }

    // What a click on an occupied board fills in before the dialog is shown.
    void prepare(int board, const QString& player1, const QString& player2);

    // Makes the controls; nothing happens after the first call.
    void ensureBuilt();
    void setVisible(bool visible) override;

    void Button1Click(); // OK
    void Button2Click(); // Storno

protected:
    void showEvent(QShowEvent* e) override;

private:
    Zorbon& m_app;
    int m_size;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label5 = nullptr;
    ScoreEdit* m_edit1 = nullptr;
    ScoreEdit* m_edit2 = nullptr;
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

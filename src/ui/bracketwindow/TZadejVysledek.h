#pragma once
// Result entry: the two players of a board and their scores; OK hands them to the core.

#include "common/LazyWindow.h"

#include <QDialog>

class QLabel;

namespace zorbon::ui {

class Model;
class ScoreEdit;

class TZadejVysledek : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    // One class for the three dialogs; TZadejVysledek8, 16 and 32 are their objectNames.
    TZadejVysledek(Model& model, int size);
    int size() const { return m_size; }

    // What a click on an occupied board fills in before the dialog is shown: the board's number
    // and its two players, the scores "0".
    void prepare(int board);

    void Button1Click(); // OK
    void Button2Click(); // Storno

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build() override;
    Model& m_model;
    int m_size;
    int m_board = 0; // the board the dialog was opened from
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label5 = nullptr;
    ScoreEdit* m_edit1 = nullptr;
    ScoreEdit* m_edit2 = nullptr;
};

} // namespace zorbon::ui

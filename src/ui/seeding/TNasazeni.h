#pragma once
// Seeding before the draw: the registered players on the left, the seeds on the right (seed 1 at
// the top). The list is edited here and stored with "OK".

#include "common/LazyWindow.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace zorbon::ui {

class Model;

class TNasazeni : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TNasazeni(Model& model);

    void NasaditClick();       // the chosen player becomes the last seed
    void OdebratClick();       // the chosen seed is seeded no more
    void NahoruClick();        // the chosen seed one place up
    void DoluClick();          // … and down
    void PodleZebrickuClick(); // the seeds from the season ranking
    void Button1Click();       // OK
    void Button2Click();       // Storno

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build() override;
    // The two lists from the seeds being edited; `chosenSeed` stays chosen on the right.
    void fill(int chosenSeed, int chosenPlayer);
    void updateButtons();

    Model& m_model;
    std::vector<std::string> m_seeds; // being edited: stored only by OK
    QListWidget* m_players = nullptr;
    QListWidget* m_seedList = nullptr;
    QLabel* m_limit = nullptr;
    QPushButton* m_seed = nullptr;
    QPushButton* m_unseed = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
};

} // namespace zorbon::ui

#pragma once
// The club's players: everybody ever registered, with the tournaments each played, his best placing
// and when he last played. Two spellings of one player can be merged, and a player deleted from
// the register (the archived results lists keep him).

#include "club/search.h"
#include "common/LazyWindow.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zorbon::ui {

class Model;

// "Sloučit": which of the two spellings stays.
class TSloucit : public QDialog {
    Q_OBJECT
public:
    explicit TSloucit(QWidget* parent);
    // The two spellings, the likelier one to keep first.
    void offer(const QString& first, const QString& second);
    QString kept() const;
    QString merged() const;

private:
    QComboBox* m_comboBox1;
    QStringList m_names;
};

class THraciKlubu : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit THraciKlubu(Model& model);

    void SloucitClick();
    void SmazatClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build() override;
    void fill();
    void filter(const QString& typed);
    void updateButtons();
    // The names of the chosen rows, top to bottom.
    QStringList chosen() const;

    Model& m_model;
    QLabel* m_label1 = nullptr;
    QLineEdit* m_hledat = nullptr;
    QTableWidget* m_tabulka = nullptr;
    QPushButton* m_sloucit = nullptr;
    QPushButton* m_smazat = nullptr;
    TSloucit* m_sloucitDialog = nullptr;
    PlayerIndex m_index; // the names in the table, for the search field
};

} // namespace zorbon::ui

#pragma once
// The new-tournament dialog: name, playing place and date of the tournament header.

#include "common/LazyWindow.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zorbon {
struct TournamentHeader;
}

namespace zorbon::ui {

class Model;

class TNovyTurnaj : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TNovyTurnaj(Model& model);

    // Shown without blocking the main window (after "Ano" in the tournament-exists dialog).
    void showModeless();

    void Button1Click(); // OK
    void Button2Click(); // Storno
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build() override;
    TournamentHeader typed() const;
    void paintFields();

    Model& m_model;
    QLineEdit* m_edit1 = nullptr;
    QLineEdit* m_edit2 = nullptr;
    QLineEdit* m_edit3 = nullptr;
};

} // namespace zorbon::ui

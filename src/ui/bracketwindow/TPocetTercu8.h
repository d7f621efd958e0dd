#pragma once
// The board-count dialog: how many boards are in play, within the limit the player count allows.

#include <QDialog>

class QLabel;
class QSpinBox;

namespace zorbon::ui {

class Zorbon;

class TPocetTercu8 : public QDialog {
    Q_OBJECT
public:
    explicit TPocetTercu8(Zorbon& app);

    // Makes the controls; nothing happens after the first call.
    void ensureBuilt();
    void setVisible(bool visible) override;

    void FormShow();
    void Button1Click(); // OK
    // The number shown at the next opening (the clear-down sets it back to 0).
    void syncFromSession();

protected:
    void showEvent(QShowEvent* e) override;

private:
    Zorbon& m_app;
    QLabel* m_label1 = nullptr;
    QSpinBox* m_spin = nullptr;
};

} // namespace zorbon::ui

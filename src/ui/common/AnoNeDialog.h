#pragma once
// The program's own small question dialog: a text (Label1) and the buttons "Ano" (Button1, default)
// and "Ne" (Button2). Esc or the close box backs out like the system's Cancel.

#include <QDialog>

class QLabel;
class QPushButton;

namespace zorbon::ui {

class AnoNeDialog : public QDialog {
    Q_OBJECT
public:
    // Result codes: "Ano" ends with Accepted, "Ne" with Ne, Esc and the close box with Rejected.
    enum { Ne = 2 };

    AnoNeDialog(const QString& caption, const QString& text, QWidget* parent = nullptr);

    virtual void Button1Click() = 0;
    virtual void Button2Click() { done(Ne); }

protected:
    void showEvent(QShowEvent* event) override;

    int m_widest = 640; // the text's widest line, in pixels
    QLabel* Label1;
    QPushButton* Button1;
    QPushButton* Button2;
};

} // namespace zorbon::ui

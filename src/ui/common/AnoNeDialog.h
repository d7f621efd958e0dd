#pragma once
// The program's own small question dialog: a text (Label1) and the buttons "Ano" (Button1, default)
// and "Ne" (Button2). Esc or the close box backs out like the system's Cancel.

#include "common/LazyWindow.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace zorbon::ui {

class AnoNeDialog : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    // Result codes: "Ano" ends with Accepted, "Ne" with Ne, Esc and the close box with Rejected.
    enum { Ne = 2 };

    AnoNeDialog(const QString& caption, const QString& text, QWidget* parent = nullptr);

    virtual void Button1Click() = 0;
    virtual void Button2Click() { done(Ne); }

protected:
    void showEvent(QShowEvent* event) override;
    // The text and the buttons; a question with its own look adds it after calling this.
    void build() override;

    int m_widest = 640; // the text's widest line, in pixels
    // Made by build(), on first need.
    QLabel* Label1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    QString m_text; // for Label1, until it is made
};

} // namespace zorbon::ui

#pragma once
// The registration dialog: players are added one name at a time.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zorbon::ui {

class Model;

class TRegistrace : public QDialog {
    Q_OBJECT
public:
    explicit TRegistrace(Model& model);

    void Button1Click(); // Přidej
    void Button2Click(); // Hotovo
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void paint();

    Model& m_model;
    QLineEdit* m_jmenoHrace;
    QPlainTextEdit* m_memo1;
    QLabel* m_label2;
};

} // namespace zorbon::ui

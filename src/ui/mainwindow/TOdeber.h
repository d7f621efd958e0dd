#pragma once
// The remove dialog: one registered player is picked (or typed) and removed after a confirmation.

#include "common/LazyWindow.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QPlainTextEdit;

namespace zorbon::ui {

class Model;

class TOdeber : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TOdeber(Model& model);

    // Asks the remove confirmation for the chosen text and returns how it ended (the application
    // runs that dialog).
    std::function<int(const std::string& chosen)> confirm;

    // Before each showing: the choice emptied and filled with the roster's names. False (after the
    // error report, shown with `reportTo`) when the roster cannot be read; the dialog is then not shown.
    bool prepare(QWidget* reportTo);

    // "Ano" of the confirmation: removes the chosen text from the roster, the count and the main
    // window's list. False (after the error report) when a file operation failed.
    bool removeChosen(QWidget* reportTo);

    void button1Click(); // OK
    void Button2Click(); // Storno
    void done(int result) override;

private:
    void build() override;
    void clearItems();

    Model& m_model;
    QComboBox* m_comboBox1 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr; // hidden: the kept names the roster is rebuilt from
    std::vector<std::string> m_kept;
};

} // namespace zorbon::ui

#pragma once
// The remove dialog: one registered player is picked (or typed) and removed after a confirmation.

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QPlainTextEdit;

namespace zorbon::ui {

class Zorbon;

class TOdeber : public QDialog {
    Q_OBJECT
public:
    explicit TOdeber(Zorbon& app);

    // Before each showing: the choice emptied and filled with the roster's names. False (after the
    // error report) when the roster cannot be read; the dialog is then not shown.
    bool prepare();

    // "Ano" of the confirmation: removes the chosen text from the roster, the count and the main
    // window's list. False (after the error report) when a file operation failed.
    bool removeChosen();

    // Makes the controls; nothing happens after the first call.
    void ensureBuilt();
    void setVisible(bool visible) override;

    void button1Click(); // OK
    void Button2Click(); // Storno
    void done(int result) override;

private:
    void clearItems();

    Zorbon& m_app;
    QComboBox* m_comboBox1 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr; // hidden: the kept names the roster is rebuilt from
    std::vector<std::string> m_kept;
};

} // namespace zorbon::ui

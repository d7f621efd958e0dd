#pragma once
// The registration dialog: players are added one name at a time.

#include "common/LazyWindow.h"

#include <QDialog>

class QCompleter;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QStringListModel;

namespace zorbon::ui {

class Model;

class TRegistrace : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TRegistrace(Model& model);

    void Button1Click();     // Přidej
    void Button2Click();     // Hotovo
    void ImportHracuClick(); // "Import…": players from a file
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build() override;
    void FormShow();
    void paint();
    // The remembered players that what is typed starts a word of, offered under the name field.
    void offerPlayers(const QString& typed);

    Model& m_model;
    // Made by build(), on first need.
    QLineEdit* m_jmenoHrace = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    QLabel* m_label2 = nullptr;
    QStringListModel* m_offered = nullptr;
    QCompleter* m_completer = nullptr;
    QString m_importFolder;   // where the last import came from
    bool m_offerMade = false; // the list of offered names exists
};

} // namespace zorbon::ui

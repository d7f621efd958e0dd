#pragma once
// The main window: the tournament header, the registered players and the commands up to the draw.

#include "lobby/lobby.h"

#include <QMainWindow>

class QLabel;
class QPlainTextEdit;
class QToolButton;
class QAction;

namespace zorbon::ui {

class Model;

class THlavniOkno : public QMainWindow {
    Q_OBJECT
public:
    explicit THlavniOkno(Model& model);

    // Repaints the header, the registered list and the count label from the session; done whenever
    // the model says the lobby changed.
    void refresh();

    void SpeedButton1Click(); // Nový
    void SpeedButton2Click(); // Registruj
    void SpeedButton3Click(); // Vymaž
    void SpeedButton4Click(); // Rozlosuj
    void OdeberHrace1Click();
    void Help1Click();
    void Oprogramu1Click();
    void Konec1Click();
    void PredchoziTurnaje1Click();
    void Zebricek1Click(); // "Žebříček…"
    void Nasazeni1Click(); // "Nasazení hráčů…"
    void HraciKlubu1Click();

signals:
    // A command that went ahead opens this (a dialog, the help, the About box).
    void opens(zorbon::Opens what);
    void archiveRequested();
    void rankingRequested();
    void seedingRequested();
    void clubRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; } // the toolbar is part of the window, not optional

private:
    void FormShow();
    void firstShow();
    void command(Command command);

    Model& m_model;
    bool m_shownBefore = false;
    QLabel* m_label2;
    QLabel* m_label7;
    QLabel* m_label8;
    QLabel* m_label3;
    QLabel* m_image2;
    QPlainTextEdit* m_memo1;
};

} // namespace zorbon::ui

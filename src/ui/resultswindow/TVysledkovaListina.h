#pragma once
// The results list: the standings best first, printed, saved as text and exported as HTML.

#include "common/LazyWindow.h"

#include "tournament/tournament.h"

#include <QDialog>

#include <memory>
#include <optional>

class QPlainTextEdit;

namespace zorbon::ui {

class Model;

class TVysledkovaListina : public LazyWindow<QDialog> {
    Q_OBJECT
public:
    explicit TVysledkovaListina(Model& model);
    ~TVysledkovaListina() override;

    // "Výsledková listina" of a bracket window, after the standings were put into the session:
    // modally or beside the bracket; an open window shows the new standings at once.
    void showResults(bool modal);
    // The results list of an ended tournament from the archive, modally; printed, saved and
    // exported with its own header and player count.
    void showArchived(const ResultsSheet& sheet);
    // Shows the session's lists again (the clear-down has emptied them, an undo changed them).
    void syncFromSession();

    void SpeedButton1Click(); // Tisk
    void SpeedButton2Click(); // Ulož
    void SpeedButton3Click(); // Export
    void ExportCsv1Click();   // "Export do CSV"
    void Help2Click();
    void Oprogramu1Click();

signals:
    void helpRequested();
    void aboutRequested();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void build() override; // filled from the session as they are made
    void fillDisplayed();
    // What Tisk, Ulož and Export hand out: the running tournament's list or the archived one.
    ResultsSheet sheet() const;

    Model& m_model;
    std::optional<ResultsSheet> m_archived;
    std::vector<std::string> m_exported; // the HTML of the last export, shown in the hidden Memo3
    QPlainTextEdit* m_memo1 = nullptr;
    QPlainTextEdit* m_memo2 = nullptr;
    QPlainTextEdit* m_memo3 = nullptr;
};

} // namespace zorbon::ui

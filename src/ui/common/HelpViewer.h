#pragma once
// The help viewer: the program's Czech help "HELP/HELP.HLP" (an HTML document) with contents links,
// back and forward.

#include <QMainWindow>

class QTextBrowser;
class QAction;

namespace zorbon::ui {

inline constexpr const char* kHelpFile = "HELP/HELP.HLP";

class HelpViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* owner);

    // Loads the help file afresh and shows its contents. False when the file is missing.
    bool openContents();

    QTextBrowser* browser() const { return m_browser; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QTextBrowser* m_browser;
    QAction* m_back;
    QAction* m_forward;
};

// The Help command of any window: opens the one help viewer, a child of `owner` (the main window,
// which lives as long as the program), at the contents page, or tells the operator that the help
// file is missing.
void showHelp(QWidget* owner, QWidget* from);

} // namespace zorbon::ui

#pragma once
// The correction controls of a bracket window: the two names, their scores to type and OK / Storno.
// They sit in the drawing beside the bracket and show while a correction is open.

#include <QFrame>

#include <string>
#include <utility>

namespace zorbon::ui {

class Cell;
class ScoreEdit;
struct BracketLook;

class CorrectionPanel : public QFrame {
    Q_OBJECT
public:
    CorrectionPanel(const BracketLook& look, QWidget* parent);
    // A correction opens: the names and their scores as they stand, the first score ready to type over.
    void open(const QString& name1, const QString& name2, const QString& score1, const QString& score2);
    // The scores as typed.
    std::pair<std::string, std::string> scores() const;

signals:
    void accepted();  // OK, or Enter in a score field
    void cancelled(); // Storno, or Esc anywhere in the controls

private:
    Cell* m_name1 = nullptr;
    Cell* m_name2 = nullptr;
    ScoreEdit* m_edit1 = nullptr;
    ScoreEdit* m_edit2 = nullptr;
};

} // namespace zorbon::ui

#pragma once
// The one way the program shows a message, asks a question or runs a modal dialog, so that tests
// can answer in advance and read back everything that was shown.

#include <QList>
#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace zorbon::ui {

class Dialogs {
public:
    // A plain message box with an OK button.
    static void message(QWidget* parent, const QString& text);
    // The run-time's error report for a failed file operation or bad number.
    static void error(QWidget* parent, const QString& text);
    // The system's Yes/No confirmation box; true for Yes.
    static bool question(QWidget* parent, const QString& text);
    // The program's own Ano/Ne dialog (Label1, Button1 "Ano", Button2 "Ne") with this objectName and
    // text, run like every dialog; true for "Ano". Esc and the close box answer "Ne".
    static bool ask(QWidget* parent, const QString& objectName, const QString& text,
                    const QString& caption = QStringLiteral("Zorbon"));
    // Runs one of the program's own dialogs modally and returns its result code.
    static int exec(QDialog* dialog);
    // Qt's own file dialog (not the desktop's, so that it looks and behaves the same everywhere),
    // named `objectName` and run like every dialog, to choose an existing file in `folder` through
    // `filter`; the chosen file's path, or empty when the operator cancels.
    static QString openFile(QWidget* parent, const QString& objectName, const QString& caption, const QString& filter,
                            const QString& folder);
    // The standard warning beep for a refused key.
    static void beep();

    // --- Tests ---------------------------------------------------------------------------
    enum class Kind { Message, Error, Question, Dialog, Beep };
    struct Shown {
        Kind kind;
        QString text; // the message or question; the dialog's objectName for Kind::Dialog
    };
    using Script = std::function<void(QDialog*)>;

    // From now on nothing blocks: messages are recorded, questions take the next queued answer and
    // dialogs run the next queued script while shown. A question or dialog with nothing queued
    // aborts the test at once.
    static void beginScripted();
    static void endScripted();
    static bool scripted();
    static void answer(bool yes);      // queue an answer for the next question
    static void script(Script script); // queue what to do with the next dialog
    static int unanswered();           // answers and scripts still queued
    static const QList<Shown>& shown();
    static QStringList messages(); // texts of the messages and errors shown, in order
    static void clearShown();
    // Called with every message and error at the moment it is shown, to look at the windows then.
    static void observe(std::function<void(const QString&)> observer);
};

} // namespace zorbon::ui

#include "common/Dialogs.h"

#include "common/AnoNeDialog.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QQueue>

namespace zorbon::ui {
namespace {

struct State {
    bool scripted = false;
    QQueue<bool> answers;
    QQueue<Dialogs::Script> scripts;
    QList<Dialogs::Shown> shown;
    std::function<void(const QString&)> observer;
};

State& state()
{
    static State s;
    return s;
}

const QString kCaption = QStringLiteral("Zorbon");

// A question of the program's own look that accepts on "Ano".
class Question : public AnoNeDialog {
public:
    Question(const QString& caption, const QString& text, QWidget* parent)
        : AnoNeDialog(caption, text, parent)
    {
        m_widest = 900; // a question that names a tournament or a command reads best on one line
    }
    void Button1Click() override { accept(); }
};

// Texts that name what a person typed are shown as they are, never as markup.
void plain(QMessageBox& box)
{
    box.setTextFormat(Qt::PlainText);
}

} // namespace

void Dialogs::message(QWidget* parent, const QString& text)
{
    if (state().scripted) {
        state().shown.append({Kind::Message, text});
        if (state().observer)
            state().observer(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, kCaption, text, QMessageBox::Ok, parent);
    plain(box);
    box.exec();
}

void Dialogs::error(QWidget* parent, const QString& text)
{
    if (state().scripted) {
        state().shown.append({Kind::Error, text});
        if (state().observer)
            state().observer(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, kCaption, text, QMessageBox::Ok, parent);
    plain(box);
    box.exec();
}

bool Dialogs::question(QWidget* parent, const QString& text)
{
    if (state().scripted) {
        state().shown.append({Kind::Question, text});
        if (state().answers.isEmpty())
            qFatal("Dialogs: no answer prepared for the question \"%s\"", qPrintable(text));
        return state().answers.dequeue();
    }
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::Yes | QMessageBox::No, parent);
    plain(box);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool Dialogs::ask(QWidget* parent, const QString& objectName, const QString& text, const QString& caption)
{
    Question dialog(caption, text, parent);
    dialog.setObjectName(objectName);
    return exec(&dialog) == QDialog::Accepted;
}

int Dialogs::exec(QDialog* dialog)
{
    if (state().scripted) {
        state().shown.append({Kind::Dialog, dialog->objectName()});
        if (state().scripts.isEmpty())
            qFatal("Dialogs: no script prepared for the dialog %s", qPrintable(dialog->objectName()));
        const Script script = state().scripts.dequeue();
        dialog->setResult(QDialog::Rejected);
        dialog->show();
        script(dialog);
        // A script that leaves the dialog open ends it as the window's close box would.
        if (dialog->isVisible())
            dialog->reject();
        return dialog->result();
    }
    return dialog->exec();
}

QString Dialogs::openFile(QWidget* parent, const QString& objectName, const QString& caption, const QString& filter,
                          const QString& folder)
{
    QFileDialog dialog(parent, caption, folder, filter);
    dialog.setObjectName(objectName);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (exec(&dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void Dialogs::beep()
{
    if (state().scripted) {
        state().shown.append({Kind::Beep, QString()});
        return;
    }
    QApplication::beep();
}

void Dialogs::beginScripted()
{
    state() = State{};
    state().scripted = true;
}

void Dialogs::endScripted()
{
    state() = State{};
}

bool Dialogs::scripted()
{
    return state().scripted;
}

void Dialogs::answer(bool yes)
{
    state().answers.enqueue(yes);
}

void Dialogs::script(Script s)
{
    state().scripts.append(std::move(s)); // enqueue() would copy it
}

int Dialogs::unanswered()
{
    return static_cast<int>(state().answers.size() + state().scripts.size());
}

const QList<Dialogs::Shown>& Dialogs::shown()
{
    return state().shown;
}

QStringList Dialogs::messages()
{
    QStringList out;
    for (const auto& s : state().shown)
        if (s.kind == Kind::Message || s.kind == Kind::Error)
            out << s.text;
    return out;
}

void Dialogs::clearShown()
{
    state().shown.clear();
}

void Dialogs::observe(std::function<void(const QString&)> observer)
{
    state().observer = std::move(observer);
}

} // namespace zorbon::ui

#pragma once
// The command layer as the windows see it: every command goes through here, and one signal tells
// every window what changed, so that each repaints itself and none reaches into another.

#include "tournament/tournament.h"

#include <QObject>

#include <memory>
#include <utility>

class QWidget;

namespace zorbon::ui {

class Model : public QObject {
    Q_OBJECT
public:
    explicit Model(std::unique_ptr<Tournament> core);
    ~Model() override;

    // What the windows read; a window changes the core only through run, perform, act or change,
    // so that every change is announced.
    const Tournament& core() const { return *m_core; }
    const Session& session() const { return m_core->session(); }

    // Runs a command, announces what it changed and then tells the operator what the outcome says:
    // a refusal as a plain message, a failed file as the run-time's report (both with `parent`).
    // Returns the command's Outcome or Result.
    template <class Command> auto run(QWidget* parent, Command&& command)
    {
        auto outcome = std::forward<Command>(command)(*m_core);
        announce(parent);
        show(parent, outcome);
        return outcome;
    }
    // The same, leaving the outcome's message for the caller to show (or not).
    template <class Command> auto perform(QWidget* parent, Command&& command)
    {
        auto outcome = std::forward<Command>(command)(*m_core);
        announce(parent);
        return outcome;
    }
    // The same for a caller with nothing more to do than what the outcome says.
    template <class Command> void act(QWidget* parent, Command&& command)
    {
        const Outcome outcome = std::forward<Command>(command)(*m_core);
        announce(parent);
        show(parent, outcome);
    }
    // A change that cannot be refused (a dialog closed, a correction opened), made and announced.
    template <class Change> void change(QWidget* parent, Change&& change)
    {
        std::forward<Change>(change)(*m_core);
        announce(parent);
    }
    // Announces what changed so far, and shows the journal's warning if one is due.
    void announce(QWidget* parent);
    // For the messages a command shows while it runs (the calls' announcements): the windows show
    // the new state before each message is read.
    Say sayer(QWidget* parent);
    // Shows an outcome's message, if it has one.
    static void show(QWidget* parent, const Outcome& outcome);

signals:
    void changed(unsigned what);

private:
    friend class Zorbon; // hands the core to tests and tools, which announce nothing
    std::unique_ptr<Tournament> m_core;
};

} // namespace zorbon::ui

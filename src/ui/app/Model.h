#pragma once
// The command layer as the windows see it: every command goes through here, and one signal tells
// every window what changed, so that each repaints itself and none reaches into another.

#include "tournament/tournament.h"

#include <QObject>

#include <functional>
#include <memory>

class QWidget;

namespace zorbon::ui {

class Model : public QObject {
    Q_OBJECT
public:
    explicit Model(std::unique_ptr<Tournament> core);
    ~Model() override;

    Tournament& core() { return *m_core; }
    const Tournament& core() const { return *m_core; }
    Session& session() { return m_core->session(); }

    // Runs a command, announces what it changed and then tells the operator what the outcome says:
    // a refusal as a plain message, a failed file as the run-time's report (both with `parent`).
    Outcome run(QWidget* parent, const std::function<Outcome(Tournament&)>& command);
    // The same, leaving the outcome's message for the caller to show (or not).
    Outcome perform(QWidget* parent, const std::function<Outcome(Tournament&)>& command);
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
    std::unique_ptr<Tournament> m_core;
};

} // namespace zorbon::ui

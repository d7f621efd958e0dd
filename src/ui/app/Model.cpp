#include "app/Model.h"

#include "common/Dialogs.h"
#include "common/Guard.h"

namespace zorbon::ui {

Model::Model(std::unique_ptr<Tournament> core)
    : m_core(std::move(core))
{
}

Model::~Model() = default;

void Model::show(QWidget* parent, const Outcome& outcome)
{
    if (outcome.message().empty())
        return;
    if (outcome.isFailed())
        Dialogs::error(parent, qs(outcome.message()));
    else
        Dialogs::message(parent, qs(outcome.message()));
}

void Model::announce(QWidget* parent)
{
    if (const unsigned what = m_core->takeChanges())
        emit changed(what);
    if (const std::string warning = m_core->takeBackupWarning(); !warning.empty())
        Dialogs::message(parent, qs(warning));
}

Say Model::sayer(QWidget* parent)
{
    return [this, parent](const std::string& text) {
        announce(parent);
        Dialogs::message(parent, qs(text));
    };
}

} // namespace zorbon::ui

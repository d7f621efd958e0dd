#include "mainwindow/TNovyTurnaj.h"
#include "common/ButtonRow.h"

#include "app/Model.h"
#include "common/Dialogs.h"
#include "common/Guard.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace zorbon::ui {

TNovyTurnaj::TNovyTurnaj(Model& model)
    : m_model(model)
{
    setObjectName("TNovyTurnaj");
    setWindowTitle(QStringLiteral("Zorbon - Nový turnaj"));
    // The controls come on first need (ensureBuilt), not at start-up.
}

void TNovyTurnaj::build()
{
    auto* form = new QFormLayout;
    form->setHorizontalSpacing(12);
    form->setVerticalSpacing(10);
    const struct {
        const char* label;
        const char* caption;
        const char* edit;
        QLineEdit** field;
    } rows[] = {
        {"Label1", "Název Turnaje :", "Edit1", &m_edit1},
        {"Label2", "Hrací místo :", "Edit2", &m_edit2},
        {"Label3", "Datum :", "Edit3", &m_edit3},
    };
    for (const auto& row : rows) {
        auto* caption = new QLabel(QString::fromUtf8(row.caption), this);
        caption->setObjectName(QString::fromLatin1(row.label));
        *row.field = new QLineEdit(this);
        (*row.field)->setObjectName(QString::fromLatin1(row.edit));
        (*row.field)->setMinimumWidth(280);
        caption->setBuddy(*row.field);
        form->addRow(caption, *row.field);
    }

    auto* buttons = okStornoRow(
        this, QStringLiteral("Button1"), [this] { Button1Click(); }, [this] { Button2Click(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(16);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TournamentHeader TNovyTurnaj::typed() const
{
    return {m_edit1->text().toStdString(), m_edit2->text().toStdString(), m_edit3->text().toStdString()};
}

void TNovyTurnaj::paintFields()
{
    const TournamentHeader& fields = m_model.session().lobby.newTournamentFields;
    m_edit1->setText(qs(fields.name));
    m_edit2->setText(qs(fields.place));
    m_edit3->setText(qs(fields.date));
}

void TNovyTurnaj::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        paintFields();
        m_edit1->setFocus();
    }
    QDialog::showEvent(event);
}

void TNovyTurnaj::showModeless()
{
    if (isVisible()) {
        paintFields();
        m_edit1->setFocus();
    }
    show();
    raise();
    activateWindow();
}

void TNovyTurnaj::Button1Click()
{
    ensureBuilt();
    const TournamentHeader fields = typed();
    if (m_model.run(this, [&](Tournament& t) { return t.acceptNewTournament(fields); }).ok())
        accept();
}

void TNovyTurnaj::Button2Click()
{
    reject();
}

void TNovyTurnaj::done(int result)
{
    ensureBuilt();
    QDialog::done(result);
    const TournamentHeader fields = typed();
    m_model.change(this, [&](Tournament& t) { t.newTournamentClosed(fields); });
    m_edit1->clear();
}

} // namespace zorbon::ui

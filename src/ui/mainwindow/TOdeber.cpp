#include "mainwindow/TOdeber.h"
#include "common/ButtonRow.h"

#include "app/Model.h"
#include "common/Dialogs.h"
#include "common/Guard.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorbon::ui {

TOdeber::TOdeber(Model& model)
    : m_model(model)
{
    setObjectName("TOdeber");
    setWindowTitle(QStringLiteral("Zorbon - Odeber hráče"));
    // The controls come on first need (ensureBuilt), not at start-up: an editable combo box is
    // among the dearest widgets to make.
}

void TOdeber::build()
{
    m_comboBox1 = new QComboBox(this);
    m_memo1 = new QPlainTextEdit(this);
    auto* label1 = new QLabel(QStringLiteral("Odeber hráče :"), this);
    label1->setObjectName("Label1");
    label1->setBuddy(m_comboBox1);
    m_comboBox1->setObjectName("ComboBox1");
    m_comboBox1->setEditable(true);
    // A typed text is a choice, never a new item of the list.
    m_comboBox1->setInsertPolicy(QComboBox::NoInsert);
    // Names differ by case: completing "eva" to "Eva" would remove another player than the one typed.
    m_comboBox1->completer()->setCaseSensitivity(Qt::CaseSensitive);
    m_comboBox1->setMinimumWidth(280);
    m_comboBox1->setMaxVisibleItems(16);

    m_memo1->setObjectName("Memo1");
    m_memo1->setVisible(false);

    auto* buttons = okStornoRow(
        this, QStringLiteral("button1"), [this] { button1Click(); }, [this] { Button2Click(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(10);
    layout->addWidget(label1);
    layout->addWidget(m_comboBox1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool TOdeber::prepare(QWidget* reportTo)
{
    ensureBuilt();
    m_comboBox1->clear();
    m_comboBox1->clearEditText();
    m_kept.clear();
    m_memo1->clear();
    const auto names = m_model.run(reportTo, [](Tournament& t) { return t.removalChoices(); });
    if (!names.ok())
        return false;
    for (const auto& name : names.value())
        m_comboBox1->addItem(qs(name));
    // Nothing is chosen until the operator picks or types a name.
    m_comboBox1->setCurrentIndex(-1);
    m_comboBox1->clearEditText();
    return true;
}

void TOdeber::button1Click()
{
    const std::string chosen = m_comboBox1->currentText().toStdString();
    if (const Outcome refusal = m_model.core().checkRemoval(chosen); !refusal.ok()) {
        Model::show(this, refusal);
        return;
    }
    // "Ano" and "Ne" both end the removal; Esc in the confirmation only backs out of it.
    const int answer = confirm ? confirm(chosen) : QDialog::Rejected;
    if (answer != QDialog::Rejected)
        done(answer == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected);
}

void TOdeber::Button2Click()
{
    reject();
}

bool TOdeber::removeChosen(QWidget* reportTo)
{
    clearItems();
    const std::string name = m_comboBox1->currentText().toStdString();
    auto removed = m_model.run(reportTo, [&](Tournament& t) { return t.removePlayer(name); });
    m_kept = std::move(removed.value());
    m_memo1->setPlainText(lines(m_kept));
    return removed.ok();
}

void TOdeber::clearItems()
{
    if (!m_comboBox1)
        return;
    // Clearing the items would also clear the chosen text, which has to stay.
    const QString text = m_comboBox1->currentText();
    m_comboBox1->clear();
    m_comboBox1->setEditText(text);
}

void TOdeber::done(int result)
{
    QDialog::done(result);
    clearItems();
}

} // namespace zorbon::ui

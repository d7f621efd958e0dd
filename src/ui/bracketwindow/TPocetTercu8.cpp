#include "bracketwindow/TPocetTercu8.h"

#include "app/Model.h"
#include "bracketwindow/BracketWidgets.h"
#include "common/Dialogs.h"
#include "common/Guard.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace zorbon::ui {

TPocetTercu8::TPocetTercu8(Model& model)
    : m_model(model)
{
    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        if (what & kBoardChoiceChanged)
            syncFromSession();
    });
    setObjectName(QStringLiteral("TPocetTercu8"));
    setWindowTitle(QStringLiteral("Zorbon - Počet terčů"));
    // The controls come on first need (ensureBuilt), not at start-up: a spin box in its own font
    // costs as much to make as a small window.
}

void TPocetTercu8::build()
{
    paintBackground(this, TColor::clLime);

    m_label1 = new QLabel(QStringLiteral("Zadejte počet terčů (max 2) :"), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = m_label1->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.15);
    m_label1->setFont(bold);
    m_spin = new QSpinBox(this);
    m_spin->setObjectName(QStringLiteral("SpinEdit1"));
    m_spin->setRange(0, 0);
    m_spin->setFont(bold);
    m_spin->setMinimumWidth(70);
    connect(m_spin, &QSpinBox::valueChanged, this,
            [this](int v) { m_model.change(this, [v](Tournament& t) { t.chooseBoardCount(v); }); });
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Button1Click(); });

    auto* row = new QHBoxLayout;
    row->addWidget(m_label1);
    row->addWidget(m_spin);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addLayout(row);
    layout->addSpacing(10);
    layout->addLayout(buttons);
}

int TPocetTercu8::open(Tournament::BoardCountFrom from)
{
    m_from = from;
    return Dialogs::exec(this);
}

void TPocetTercu8::syncFromSession()
{
    if (!m_spin)
        return; // made later, it takes the number at its first showing
    const int choice = m_model.session().boardCountChoice;
    if (m_spin->maximum() < choice)
        m_spin->setMaximum(choice);
    m_spin->setValue(choice);
}

void TPocetTercu8::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TPocetTercu8::FormShow()
{
    if (const auto found = m_model.run(this, [](Tournament& t) { return t.boardCountLimit(); }); found.ok()) {
        const int limit = found.value();
        m_label1->setText(qs(boardPrompt(limit)));
        const int keep = m_model.session().boardCountChoice;
        m_spin->setMaximum(limit);
        m_spin->setValue(std::min(keep, limit));
    }
    m_spin->setFocus();
    m_spin->selectAll();
}

void TPocetTercu8::Button1Click()
{
    const int k = m_spin->value();
    const Tournament::BoardCountFrom from = m_from;
    if (m_model.run(this, [&](Tournament& t) { return t.setBoardCount(k, from); }).ok())
        accept();
}

} // namespace zorbon::ui

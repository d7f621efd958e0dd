#include "Oprava.h"

#include "BracketWidgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorbon::ui {

TOprava::TOprava(Zorbon& app, int size)
    : m_app(app)
    , m_size(size)
{
    setObjectName(QStringLiteral("TOprava%1").arg(size));
    setWindowTitle(QStringLiteral("Zorbon - Oprava výsledku"));
    paintBackground(this, 0xFFA6CAF0);

    auto* text = new QLabel(QStringLiteral("Opravdu chcete opravit  výsledek ???"), this);
    text->setObjectName(QStringLiteral("Label1"));
    QFont bold = text->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    text->setFont(bold);
    text->setAlignment(Qt::AlignCenter);
    auto* ano = new QPushButton(QStringLiteral("Ano"), this);
    ano->setObjectName(QStringLiteral("Button1"));
    ano->setDefault(true);
    auto* ne = new QPushButton(QStringLiteral("Ne"), this);
    ne->setObjectName(QStringLiteral("Button2"));
    connect(ano, &QPushButton::clicked, this, &QDialog::accept);
    connect(ne, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ano);
    buttons->addWidget(ne);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 14);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(buttons);
}

} // namespace zorbon::ui

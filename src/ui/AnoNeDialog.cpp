#include "AnoNeDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorbon::ui {

AnoNeDialog::AnoNeDialog(const QString& caption, const QString& text)
    : Label1(new QLabel(text, this))
    , Button1(new QPushButton(QStringLiteral("Ano"), this))
    , Button2(new QPushButton(QStringLiteral("Ne"), this))
{
    setWindowTitle(caption);
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    QFont f = Label1->font();
    f.setPointSize(11);
    Label1->setFont(f);
    Button1->setObjectName("Button1");
    Button2->setObjectName("Button2");
    Button1->setDefault(true);
    Button1->setMinimumWidth(90);
    Button2->setMinimumWidth(90);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addSpacing(16);
    buttons->addWidget(Button2);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(18);
    layout->addWidget(Label1);
    layout->addLayout(buttons);
    // Sized to its text; the confirmation texts are one line.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(360);
}

} // namespace zorbon::ui

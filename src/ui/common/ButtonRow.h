#pragma once
// The OK / Storno pair that ends the program's input dialogs.

#include <QHBoxLayout>
#include <QPushButton>

#include <functional>

namespace zorbon::ui {

// OK (the default button, so Enter presses it) and Storno ("Button2"), right-aligned in a row.
inline QHBoxLayout* okStornoRow(QWidget* owner, const QString& okName, std::function<void()> onOk,
                                std::function<void()> onStorno)
{
    auto* ok = new QPushButton(QStringLiteral("OK"), owner);
    ok->setObjectName(okName);
    ok->setDefault(true);
    auto* storno = new QPushButton(QStringLiteral("Storno"), owner);
    storno->setObjectName(QStringLiteral("Button2"));
    QObject::connect(ok, &QPushButton::clicked, owner, std::move(onOk));
    QObject::connect(storno, &QPushButton::clicked, owner, std::move(onStorno));
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(storno);
    return row;
}

} // namespace zorbon::ui

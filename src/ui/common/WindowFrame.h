#pragma once
// The frame the list windows share (archive, club players, ranking, seeding): one column with the
// same margins, a bold heading over the table, and a row of buttons that ends in "Zavřít".

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <initializer_list>

namespace zorbon::ui {

// The bold heading "Label1" over the table; plain text, as it shows names and messages.
inline QLabel* boldHeading(QWidget* owner, const QString& text = {})
{
    auto* label = new QLabel(text, owner);
    label->setObjectName(QStringLiteral("Label1"));
    label->setTextFormat(Qt::PlainText);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

// The window's column; the caller fills it top to bottom.
inline QVBoxLayout* windowColumn(QWidget* owner)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(10);
    return layout;
}

// "Zavřít", which closes the dialog as Esc does. Made after the window's other buttons: Tab goes
// through the buttons in the order they were made.
inline QPushButton* closeButton(QDialog* owner, const QString& objectName)
{
    auto* close = new QPushButton(QStringLiteral("Zavřít"), owner);
    close->setObjectName(objectName);
    QObject::connect(close, &QPushButton::clicked, owner, &QDialog::reject);
    return close;
}

// The window's buttons from the left, and `last` (its "Zavřít") at the right end.
inline QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons, QWidget* last)
{
    auto* row = new QHBoxLayout;
    for (QWidget* b : buttons)
        row->addWidget(b);
    row->addStretch(1);
    row->addWidget(last);
    return row;
}

} // namespace zorbon::ui

#include "common/AnoNeDialog.h"

#include "common/ScreenFit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace zorbon::ui {

AnoNeDialog::AnoNeDialog(const QString& caption, const QString& text, QWidget* parent)
    : LazyWindow<QDialog>(parent)
    , m_text(text)
{
    setWindowTitle(caption);
    // The controls come on first need (ensureBuilt), not at start-up: the program keeps several
    // of these questions, most of them never asked in a session.
}

void AnoNeDialog::build()
{
    Label1 = new QLabel(m_text, this);
    Button1 = new QPushButton(QStringLiteral("Ano"), this);
    Button2 = new QPushButton(QStringLiteral("Ne"), this);
    m_text.clear();
    Label1->setObjectName("Label1");
    // The questions name tournaments and players as typed: never read as markup.
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    // A question that names a tournament or a player can be long; it takes more lines rather
    // than a window wider than the screen.
    Label1->setWordWrap(true);
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

// The text on one line as wide as it needs, up to m_widest and the screen, and on more lines beyond.
void AnoNeDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        const int room = roomOnScreen(this).width() - 2 * 24 - 8;
        int natural = 0;
        for (const QString& line : Label1->text().split(QLatin1Char('\n')))
            natural = std::max(natural, Label1->fontMetrics().horizontalAdvance(line) + 4);
        Label1->setMinimumWidth(std::min({natural, m_widest, std::max(room, 200)}));
        layout()->activate();
    }
    QDialog::showEvent(event);
}

} // namespace zorbon::ui

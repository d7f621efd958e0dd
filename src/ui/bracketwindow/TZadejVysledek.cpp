#include "bracketwindow/TZadejVysledek.h"

#include "app/Model.h"
#include "bracketwindow/BracketWidgets.h"
#include "common/ButtonRow.h"
#include "common/Guard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorbon::ui {

TZadejVysledek::TZadejVysledek(Model& model, int size)
    : m_model(model)
    , m_size(size)
{
    setObjectName(QStringLiteral("TZadejVysledek%1").arg(size));
    setWindowTitle(QStringLiteral("Zorbon - Výsledek zápasu"));
    // The controls come on first need (ensureBuilt), not at start-up: score fields in their own
    // font load that font, and no result is entered before a draw.
}

void TZadejVysledek::build()
{
    paintBackground(this, TColor::clSkyBlue);

    auto* heading = new QLabel(QStringLiteral("Výsledek zápasu"), this);
    heading->setObjectName(QStringLiteral("Label3"));
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    heading->setFont(big);
    heading->setAlignment(Qt::AlignCenter);

    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    m_label1 = new QLabel(this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label2 = new QLabel(this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel* l : {m_label1, m_label2}) {
        l->setTextFormat(Qt::PlainText);
        l->setFont(bold);
        l->setWordWrap(true);
        l->setMinimumWidth(160);
    }
    m_label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_edit1 = new ScoreEdit(QStringLiteral("Edit1"), this);
    m_edit2 = new ScoreEdit(QStringLiteral("Edit2"), this);
    for (ScoreEdit* e : {m_edit1, m_edit2}) {
        e->setFont(bold);
        e->setFixedWidth(48);
        e->setAlignment(Qt::AlignCenter);
    }
    auto* colon = new QLabel(QStringLiteral(":"), this);
    colon->setObjectName(QStringLiteral("Label4"));
    colon->setFont(bold);
    m_label5 = new QLabel(this);
    m_label5->setObjectName(QStringLiteral("Label5"));
    m_label5->hide();

    auto* buttons = okStornoRow(
        this, QStringLiteral("Button1"), [this] { Button1Click(); }, [this] { Button2Click(); });

    auto* score = new QHBoxLayout;
    score->addWidget(m_label1, 1);
    score->addSpacing(8);
    score->addWidget(m_edit1);
    score->addWidget(colon);
    score->addWidget(m_edit2);
    score->addSpacing(8);
    score->addWidget(m_label2, 1);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(heading);
    layout->addSpacing(10);
    layout->addLayout(score);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->addWidget(m_label5);
    resize(460, 160);
}

void TZadejVysledek::prepare(int board)
{
    ensureBuilt();
    m_board = board;
    const Board& b = m_model.session().brackets.bySize(m_size).board(board);
    m_edit1->setText(QStringLiteral("0"));
    m_edit2->setText(QStringLiteral("0"));
    m_label5->setText(QString::number(board));
    m_label1->setText(qs(b.player1));
    m_label2->setText(qs(b.player2));
}

void TZadejVysledek::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    m_edit1->setFocus();
    m_edit1->selectAll();
}

void TZadejVysledek::Button1Click()
{
    const std::string s1 = m_edit1->text().toStdString();
    const std::string s2 = m_edit2->text().toStdString();
    const int board = m_board;
    const Outcome outcome = m_model.perform(this, [&](Tournament& t) { return t.enterResult(board, s1, s2); });
    if (outcome.ok())
        accept();
    else
        Model::show(this, outcome); // the dialog stays open with the scores as typed
}

void TZadejVysledek::Button2Click()
{
    reject();
}

} // namespace zorbon::ui

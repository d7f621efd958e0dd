#include "bracketwindow/CorrectionPanel.h"

#include "bracketwindow/BracketWidgets.h"
#include "look/BracketLook.h"
#include "look/Look.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>

namespace zorbon::ui {
namespace {

constexpr QRgb kPanelFill = 0xFFFFFFE0;

} // namespace

CorrectionPanel::CorrectionPanel(const BracketLook& look, QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("PanelOprava"));
    setFrameShape(QFrame::Box);
    paintBackground(this, kPanelFill);
    setGeometry(QRect(look.correctionPos, QSize(kCorrectionW, kCorrectionH)));

    const auto& names = look.correctionLabels;
    auto* caption = new QLabel(QStringLiteral("Oprava výsledku :"), this);
    caption->setObjectName(names[0]);
    caption->setFont(pixelFont(14, Weight::Bold));
    caption->setGeometry(8, 4, 300, 20);
    m_name1 = new Cell(names[1], Qt::AlignRight, this);
    m_name2 = new Cell(names[2], Qt::AlignLeft, this);
    for (Cell* c : {m_name1, m_name2}) {
        c->setFont(pixelFont(13, Weight::Bold));
        c->setColour(kPanelFill);
    }
    m_name1->setGeometry(4, 30, 138, 24);
    m_name2->setGeometry(238, 30, 138, 24);
    m_edit1 = new ScoreEdit(QStringLiteral("Edit1"), this);
    m_edit2 = new ScoreEdit(QStringLiteral("Edit2"), this);
    m_edit1->setGeometry(146, 30, 38, 24);
    m_edit2->setGeometry(196, 30, 38, 24);
    auto* colon = new QLabel(QStringLiteral(":"), this);
    colon->setObjectName(names[3]);
    colon->setFont(pixelFont(14, Weight::Bold));
    colon->setAlignment(Qt::AlignCenter);
    colon->setGeometry(184, 30, 12, 24);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setGeometry(100, 60, 84, 26);
    auto* storno = new QPushButton(QStringLiteral("Storno"), this);
    storno->setObjectName(QStringLiteral("Button2"));
    storno->setGeometry(196, 60, 84, 26);
    connect(ok, &QPushButton::clicked, this, &CorrectionPanel::accepted);
    connect(storno, &QPushButton::clicked, this, &CorrectionPanel::cancelled);
    connect(m_edit1, &QLineEdit::returnPressed, this, &CorrectionPanel::accepted);
    connect(m_edit2, &QLineEdit::returnPressed, this, &CorrectionPanel::accepted);
    // Enter presses the button that has the focus, Esc anywhere in the controls is Storno.
    ok->setAutoDefault(true);
    storno->setAutoDefault(true);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &CorrectionPanel::cancelled);
    hide();
}

void CorrectionPanel::open(const QString& name1, const QString& name2, const QString& score1, const QString& score2)
{
    m_name1->setText(name1);
    m_name2->setText(name2);
    m_edit1->setText(score1);
    m_edit2->setText(score2);
    // Typing replaces the score, as in the result dialog.
    m_edit1->setFocus();
    m_edit1->selectAll();
}

std::pair<std::string, std::string> CorrectionPanel::scores() const
{
    return {m_edit1->text().toStdString(), m_edit2->text().toStdString()};
}

} // namespace zorbon::ui

#include "mainwindow/TRegistrace.h"

#include "app/Model.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/ScreenFit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>

namespace zorbon::ui {

TRegistrace::TRegistrace(Model& model)
    : m_model(model)
    , m_jmenoHrace(new QLineEdit(this))
    , m_memo1(new QPlainTextEdit(this))
    , m_label2(new QLabel(qs(countLabel(0)), this))
{
    setObjectName("TRegistrace");
    setWindowTitle(QStringLiteral("Zorbon - Registrace hráčů"));

    auto* label1 = new QLabel(QStringLiteral("Jméno a příjmení :"), this);
    label1->setObjectName("Label1");
    label1->setBuddy(m_jmenoHrace);
    m_jmenoHrace->setObjectName("JmenoHrace");
    m_jmenoHrace->setToolTip(QStringLiteral("Zadej jméno hráče"));
    m_jmenoHrace->setMinimumWidth(260);

    // The default button: Enter in the name field adds the name.
    auto* button1 = new QPushButton(QStringLiteral("Přidej"), this);
    button1->setObjectName("Button1");
    button1->setToolTip(QStringLiteral("Přidej hráče"));
    button1->setDefault(true);
    connect(button1, &QPushButton::clicked, this, &TRegistrace::Button1Click);

    m_memo1->setObjectName("Memo1");
    m_memo1->setToolTip(QStringLiteral("Soupiska registrovaných hráčů"));
    m_memo1->setReadOnly(true);
    m_memo1->setFocusPolicy(Qt::NoFocus);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // A shorter list where the screen is low (a notebook at 200 %), so that "Hotovo" stays on it.
    m_memo1->setMinimumHeight(std::clamp(roomOnScreen(this).height() - 110, 120, 260));

    m_label2->setObjectName("Label2");

    auto* button2 = new QPushButton(QStringLiteral("Hotovo"), this);
    button2->setObjectName("Button2");
    button2->setToolTip(QStringLiteral("Zavři registraci"));
    connect(button2, &QPushButton::clicked, this, &TRegistrace::Button2Click);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(10);
    layout->addWidget(label1, 0, 0);
    layout->addWidget(m_jmenoHrace, 0, 1);
    layout->addWidget(button1, 0, 2);
    layout->addWidget(m_memo1, 1, 0, 1, 3);
    layout->addWidget(m_label2, 2, 0, 1, 2);
    layout->addWidget(button2, 2, 2);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        // Delete-all and the end of a tournament empty the name field.
        if (what & kNameFieldCleared)
            m_jmenoHrace->clear();
        if ((what & kLobbyChanged) && isVisible())
            paint();
    });
}

void TRegistrace::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TRegistrace::FormShow()
{
    m_model.act(this, [](Tournament& t) { return t.showRegistration(); });
    paint();
    m_jmenoHrace->setFocus();
}

void TRegistrace::paint()
{
    const Lobby& lobby = m_model.session().lobby;
    m_label2->setText(qs(countLabel(lobby.count)));
    m_memo1->setPlainText(lines(lobby.registrationList));
    m_memo1->moveCursor(QTextCursor::End);
    m_memo1->ensureCursorVisible();
}

void TRegistrace::Button1Click()
{
    const Lobby& lobby = m_model.session().lobby;
    const std::size_t before = lobby.registrationList.size();
    const std::string name = m_jmenoHrace->text().toStdString();
    const Outcome outcome = m_model.perform(this, [&](Tournament& t) { return t.addPlayer(name); });
    // Taken once it stands in the list, even if saving it failed afterwards.
    if (lobby.registrationList.size() > before)
        m_jmenoHrace->clear();
    paint();
    Model::show(this, outcome);
    m_jmenoHrace->setFocus();
}

void TRegistrace::Button2Click()
{
    accept();
}

void TRegistrace::done(int result)
{
    QDialog::done(result);
    m_jmenoHrace->clear();
    m_model.change(this, [](Tournament& t) { t.registrationClosed(); });
    m_memo1->clear();
}

} // namespace zorbon::ui

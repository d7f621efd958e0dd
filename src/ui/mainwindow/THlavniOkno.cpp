#include "mainwindow/THlavniOkno.h"

#include "app/Model.h"
#include "common/Dartboard.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/ScreenFit.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorbon::ui {
namespace {

const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kRed(0xFF, 0x00, 0x00);
constexpr int kImageSize = 150;
constexpr QSize kLeastClient(520, 400);
constexpr QSize kWindowSize(660, 540);

QLabel* label(QWidget* parent, const char* name, const QString& text, int pointSize = 11)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    QFont f = l->font();
    f.setPointSize(pointSize);
    l->setFont(f);
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* l = label(parent, name, QString(), 12);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, kRed);
    l->setPalette(p);
    l->setTextInteractionFlags(Qt::NoTextInteraction);
    // Typed by the operator: shown as typed, never as markup.
    l->setTextFormat(Qt::PlainText);
    // The header texts have no length limit: a long one takes more lines instead of running
    // under the picture.
    l->setWordWrap(true);
    return l;
}

} // namespace

THlavniOkno::THlavniOkno(Model& model)
    : m_model(model)
{
    setObjectName("THlavniOkno");
    setWindowTitle(QStringLiteral("Zorbon"));
    // Opens at its own size; the operator may resize and maximise it (the list below grows).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    resize(kWindowSize);

    // Toolbar: four buttons on a blue bar.
    auto* bar = new QToolBar(this);
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(40);
    bar->setAutoFillBackground(true);
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Window, kBlue);
    bar->setPalette(barPalette);
    addToolBar(Qt::TopToolBarArea, bar);
    struct Button {
        const char* name;
        const char* caption;
        const char* hint;
        void (THlavniOkno::*click)();
    };
    const Button buttons[] = {
        {"SpeedButton1", "Nový", "Založ nový Turnaj", &THlavniOkno::SpeedButton1Click},
        {"SpeedButton2", "Registruj", "Registruj hráče", &THlavniOkno::SpeedButton2Click},
        {"SpeedButton3", "Vymaž", "Smaž registraci", &THlavniOkno::SpeedButton3Click},
        {"SpeedButton4", "Rozlosuj", "Rozlosování turnaje", &THlavniOkno::SpeedButton4Click},
    };
    for (const auto& b : buttons) {
        auto* button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setText(QString::fromUtf8(b.caption));
        button->setToolTip(QString::fromUtf8(b.hint));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(96, 30);
        QFont f = button->font();
        f.setBold(true);
        button->setFont(f);
        QPalette p = button->palette();
        p.setColor(QPalette::Button, QColor(0xE8, 0xE8, 0xE8));
        p.setColor(QPalette::ButtonText, Qt::black);
        button->setPalette(p);
        connect(button, &QToolButton::clicked, this, b.click);
        bar->addWidget(button);
        // The toolbar makes its buttons flat; these stand out from the blue bar as real buttons.
        button->setAutoRaise(false);
    }

    // Menus.
    auto addItem = [this](QMenu* menu, const char* name, const char* caption, void (THlavniOkno::*handler)()) {
        QAction* a = menu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
    };
    QMenu* soubor = menuBar()->addMenu(QStringLiteral("&Soubor"));
    soubor->setObjectName("Soubor1");
    addItem(soubor, "NovyTurnaj1", "&Nový Turnaj", &THlavniOkno::SpeedButton1Click);
    soubor->addSeparator();
    addItem(soubor, "Konec1", "&Konec", &THlavniOkno::Konec1Click);
    soubor->addSeparator();
    addItem(soubor, "PredchoziTurnaje1", "&Předchozí turnaje…", &THlavniOkno::PredchoziTurnaje1Click);
    addItem(soubor, "Zebricek1", "&Žebříček…", &THlavniOkno::Zebricek1Click);
    addItem(soubor, "HraciKlubu1", "&Hráči klubu…", &THlavniOkno::HraciKlubu1Click);
    QMenu* prikazy = menuBar()->addMenu(QStringLiteral("&Příkazy"));
    prikazy->setObjectName("Prikazy1");
    addItem(prikazy, "PridatHrace1", "Přidat &hráče", &THlavniOkno::SpeedButton2Click);
    addItem(prikazy, "SmazRegistraci1", "&Smaž registraci", &THlavniOkno::SpeedButton3Click);
    addItem(prikazy, "Rozlosuj1", "&Rozlosuj", &THlavniOkno::SpeedButton4Click);
    addItem(prikazy, "OdeberHrace1", "&Odeber hráče", &THlavniOkno::OdeberHrace1Click);
    prikazy->addSeparator();
    addItem(prikazy, "Nasazeni1", "&Nasazení hráčů…", &THlavniOkno::Nasazeni1Click);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName("HelpMenu1");
    addItem(help, "Help1", "H&elp", &THlavniOkno::Help1Click);
    help->addSeparator();
    addItem(help, "Oprogramu1", "O progr&amu", &THlavniOkno::Oprogramu1Click);

    // The yellow client area.
    auto* client = new QWidget(this);
    client->setObjectName("Panel1");
    client->setAutoFillBackground(true);
    QPalette clientPalette = client->palette();
    clientPalette.setColor(QPalette::Window, kYellow);
    clientPalette.setColor(QPalette::WindowText, Qt::black);
    client->setPalette(clientPalette);
    setCentralWidget(client);
    // Below this the header and the list no longer read; a smaller screen scrolls instead.
    client->setMinimumSize(kLeastClient);

    auto* title = label(client, "Label9", QStringLiteral("Zorbon"), 28);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setUnderline(true);
    title->setFont(titleFont);

    auto* header = new QGridLayout;
    header->setHorizontalSpacing(12);
    header->setVerticalSpacing(6);
    header->addWidget(label(client, "Label1", QStringLiteral("Název turnaje :")), 0, 0);
    header->addWidget(label(client, "Label5", QStringLiteral("Hrací místo :")), 1, 0);
    header->addWidget(label(client, "Label6", QStringLiteral("Datum :")), 2, 0);
    m_label2 = valueLabel(client, "Label2");
    m_label7 = valueLabel(client, "Label7");
    m_label8 = valueLabel(client, "Label8");
    header->addWidget(m_label2, 0, 1);
    header->addWidget(m_label7, 1, 1);
    header->addWidget(m_label8, 2, 1);
    header->setColumnStretch(1, 1);

    m_image2 = new QLabel(client);
    m_image2->setObjectName("Image2");
    m_image2->setFixedSize(kImageSize, kImageSize);

    auto* left = new QVBoxLayout;
    left->addWidget(title);
    left->addSpacing(8);
    left->addLayout(header);
    left->addStretch(1);
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addWidget(m_image2, 0, Qt::AlignTop);

    m_memo1 = new QPlainTextEdit(client);
    m_memo1->setObjectName("Memo1");
    m_memo1->setReadOnly(true);
    m_memo1->setFocusPolicy(Qt::NoFocus);
    m_memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont memoFont = m_memo1->font();
    memoFont.setPointSize(11);
    m_memo1->setFont(memoFont);

    m_label3 = label(client, "Label3", QString::fromUtf8(kCountPrefix));
    // The header stays empty until a tournament is created.
    m_label2->clear();
    m_label7->clear();
    m_label8->clear();

    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(16, 10, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(label(client, "Label4", QStringLiteral("Seznam registrovaných hráčů :")));
    layout->addWidget(m_memo1, 1);
    layout->addWidget(m_label3);

    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        if (what & kLobbyChanged)
            refresh();
    });
}

void THlavniOkno::refresh()
{
    const Lobby& lobby = m_model.session().lobby;
    m_label2->setText(qs(lobby.header.name));
    m_label7->setText(qs(lobby.header.place));
    m_label8->setText(qs(lobby.header.date));
    m_memo1->setPlainText(lines(lobby.registered));
    m_label3->setText(lobby.shownCount ? qs(countLabel(*lobby.shownCount)) : QString::fromUtf8(kCountPrefix));
}

void THlavniOkno::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Restoring from the task bar is no new showing.
    if (event->spontaneous())
        return;
    fitGrowingWindow(this);
    if (!m_shownBefore) {
        m_shownBefore = true;
        firstShow();
    }
    FormShow();
}

void THlavniOkno::firstShow()
{
    m_image2->setPixmap(dartboardPicture(kImageSize));
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void THlavniOkno::FormShow()
{
    m_model.act(this, [](Tournament& t) { return t.showMainWindow(); });
    refresh();
}

// The command's precondition: its refusal or the input/output report is shown; otherwise the
// application opens what the command leads to.
void THlavniOkno::command(Command command)
{
    if (m_model.run(this, [command](Tournament& t) { return t.check(command); }).ok())
        emit opens(m_model.core().opens(command));
}

void THlavniOkno::SpeedButton1Click()
{
    command(Command::NovyTurnaj);
}

void THlavniOkno::SpeedButton2Click()
{
    command(Command::Registruj);
}

void THlavniOkno::SpeedButton3Click()
{
    command(Command::Vymaz);
}

void THlavniOkno::SpeedButton4Click()
{
    command(Command::Rozlosuj);
}

void THlavniOkno::OdeberHrace1Click()
{
    command(Command::OdeberHrace);
}

void THlavniOkno::Help1Click()
{
    emit opens(Opens::Help);
}

void THlavniOkno::Oprogramu1Click()
{
    emit opens(Opens::About);
}

void THlavniOkno::Konec1Click()
{
    close();
}

void THlavniOkno::PredchoziTurnaje1Click()
{
    emit archiveRequested();
}

void THlavniOkno::Zebricek1Click()
{
    emit rankingRequested();
}

void THlavniOkno::Nasazeni1Click()
{
    if (m_model.run(this, [](Tournament& t) { return t.checkSeeding(); }).ok())
        emit seedingRequested();
}

void THlavniOkno::HraciKlubu1Click()
{
    emit clubRequested();
}

void THlavniOkno::closeEvent(QCloseEvent* event)
{
    if (!Dialogs::question(this, QString::fromUtf8(kExitQuestion))) {
        event->ignore();
        return;
    }
    // Even when the files cannot be cleared the operator has chosen to leave; the next start copes
    // with whatever the files hold.
    m_model.act(this, [](Tournament& t) { return t.exitProgram(); });
    event->accept();
    // A help window or a modeless new-tournament dialog must not keep the program running.
    QCoreApplication::quit();
}

} // namespace zorbon::ui

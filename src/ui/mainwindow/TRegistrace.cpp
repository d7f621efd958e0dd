#include "mainwindow/TRegistrace.h"

#include "app/Model.h"
#include "common/Dialogs.h"
#include "common/Guard.h"
#include "common/ScreenFit.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStringListModel>

#include <algorithm>
#include <functional>

namespace zorbon::ui {
namespace {

// Enough to pick from while typing; a few more letters narrow any register down to them.
constexpr std::size_t kOffered = 50;

// Enter in the offered list takes the name chosen there with the arrows; with none chosen it is the
// Enter of the name field, which adds what was typed.
class EnterAdds : public QObject {
public:
    EnterAdds(QAbstractItemView* list, std::function<void()> add)
        : QObject(list)
        , m_list(list)
        , m_add(std::move(add))
    {
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if ((key != Qt::Key_Return && key != Qt::Key_Enter) || m_list->currentIndex().isValid())
            return false;
        m_list->hide();
        m_add();
        return true;
    }

private:
    QAbstractItemView* m_list;
    std::function<void()> m_add;
};

} // namespace

TRegistrace::TRegistrace(Model& model)
    : m_model(model)
{
    setObjectName("TRegistrace");
    setWindowTitle(QStringLiteral("Zorbon - Registrace hráčů"));
    // The controls come on first need (ensureBuilt), not at start-up: they are the dearest of the
    // main window's dialogs to make.
    connect(&m_model, &Model::changed, this, [this](unsigned what) {
        // Delete-all and the end of a tournament empty the name field (one not made yet is empty).
        if ((what & kNameFieldCleared) && built())
            m_jmenoHrace->clear();
        if ((what & kLobbyChanged) && isVisible())
            paint();
    });
}

void TRegistrace::build()
{
    m_jmenoHrace = new QLineEdit(this);
    m_memo1 = new QPlainTextEdit(this);
    m_label2 = new QLabel(qs(countLabel(0)), this);
    m_offered = new QStringListModel(this);
    m_completer = new QCompleter(m_offered, this);

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

    // The register offers what it remembers; the search has chosen, so the list is shown as it is.
    m_completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    m_completer->setMaxVisibleItems(10);
    // Set as the field's widget, not as its completer: the field's own completion would run a
    // second time after each key. Taking a name fills the field and does nothing more.
    m_completer->setWidget(m_jmenoHrace);
    connect(m_jmenoHrace, &QLineEdit::textEdited, this, &TRegistrace::offerPlayers);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), m_jmenoHrace, &QLineEdit::setText);

    auto* importHracu = new QPushButton(QStringLiteral("Import…"), this);
    importHracu->setObjectName(QStringLiteral("ImportHracu"));
    importHracu->setToolTip(QStringLiteral("Registruj hráče ze seznamu v souboru (.txt, .csv)"));
    importHracu->setAutoDefault(false);
    connect(importHracu, &QPushButton::clicked, this, &TRegistrace::ImportHracuClick);

    auto* button2 = new QPushButton(QStringLiteral("Hotovo"), this);
    button2->setObjectName("Button2");
    button2->setToolTip(QStringLiteral("Zavři registraci"));
    connect(button2, &QPushButton::clicked, this, &TRegistrace::Button2Click);
    // Tab goes from "Přidej" to "Hotovo" as it always did; "Import…" comes after them.
    setTabOrder(button2, importHracu);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(10);
    layout->addWidget(label1, 0, 0);
    layout->addWidget(m_jmenoHrace, 0, 1);
    layout->addWidget(button1, 0, 2);
    layout->addWidget(m_memo1, 1, 0, 1, 3);
    layout->addWidget(m_label2, 2, 0);
    layout->addWidget(importHracu, 2, 1, Qt::AlignRight);
    layout->addWidget(button2, 2, 2);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
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
    ensureBuilt();
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

void TRegistrace::offerPlayers(const QString& typed)
{
    QStringList names;
    const std::string text = typed.toStdString();
    for (const std::string& n :
         m_model.perform(this, [&text](Tournament& t) { return t.suggestPlayers(text, kOffered); }))
        names << qs(n);
    m_offered->setStringList(names);
    if (!m_offerMade) {
        // Made at the first offer, not at start-up. Installed after the completer's own filter, so
        // it sees the keys first.
        m_offerMade = true;
        QAbstractItemView* offer = m_completer->popup();
        offer->setObjectName(QStringLiteral("NabidkaHracu"));
        offer->installEventFilter(new EnterAdds(offer, [this] { Button1Click(); }));
    }
    if (names.isEmpty())
        m_completer->popup()->hide();
    else
        m_completer->complete();
    // Nothing is chosen until the operator moves into the list; Enter then still adds what was typed.
    m_completer->popup()->setCurrentIndex(QModelIndex());
}

void TRegistrace::ImportHracuClick()
{
    ensureBuilt();
    if (m_importFolder.isEmpty()) {
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        m_importFolder = QDir(documents).exists() ? documents : QDir::homePath();
    }
    const QString path =
        Dialogs::openFile(this, QStringLiteral("TImportHracu"), QStringLiteral("Zorbon - Import hráčů"),
                          QStringLiteral("Seznam hráčů (*.txt *.csv)"), m_importFolder);
    if (!path.isEmpty()) {
        m_importFolder = QFileInfo(path).absolutePath();
        const Result<ImportSummary> outcome =
            m_model.perform(this, [&](Tournament& t) { return t.importPlayerFile(path.toStdString()); });
        paint();
        if (outcome.ok())
            Dialogs::message(this, qs(importSummaryText(*outcome)));
        else
            Model::show(this, outcome);
    }
    m_jmenoHrace->setFocus();
}

void TRegistrace::Button2Click()
{
    accept();
}

void TRegistrace::done(int result)
{
    ensureBuilt();
    QDialog::done(result);
    if (m_offerMade)
        m_completer->popup()->hide();
    m_jmenoHrace->clear();
    m_model.change(this, [](Tournament& t) { t.registrationClosed(); });
    m_memo1->clear();
}

} // namespace zorbon::ui

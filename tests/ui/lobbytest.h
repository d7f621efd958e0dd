#pragma once
// Helpers for the tests of the main window and its dialogs: clicking by objectName, reading what a
// control shows, the working files on disk, and the usual way into a state (tournament, players).

#include "app/Zorbon.h"
#include "common/Dialogs.h"
#include "mainwindow/THlavniOkno.h"
#include "records/files.h"
#include "records/record.h"
#include "uitest.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <string>

using zorbon::ui::Dialogs;

// Clicks the button, or triggers the menu action, with this objectName.
inline void click(QWidget* parent, const char* name)
{
    if (auto* b = parent->findChild<QAbstractButton*>(QString::fromLatin1(name))) {
        QTest::mouseClick(b, Qt::LeftButton);
        return;
    }
    child<QAction>(parent, name)->trigger();
}

inline QString labelText(QWidget* parent, const char* name)
{
    return child<QLabel>(parent, name)->text();
}

inline QString memoText(QWidget* parent, const char* name = "Memo1")
{
    return child<QPlainTextEdit>(parent, name)->toPlainText();
}

inline void type(QWidget* parent, const char* name, const QString& text)
{
    child<QLineEdit>(parent, name)->setText(text);
}

inline std::string rosterOnDisk()
{
    return zorbon::readWholeFile(zorbon::kRosterPath);
}

inline zorbon::TournamentRecord recordOnDisk()
{
    return zorbon::ReadRecord();
}

// Writes the working files before the program starts, as a previous run may have left them.
inline void prepareFiles(const zorbon::TournamentRecord& record, const std::string& rosterBytes)
{
    QDir().mkpath(QString::fromUtf8(zorbon::kSetupDir));
    zorbon::WriteRecord(record);
    zorbon::replaceFile(zorbon::kRosterPath, rosterBytes);
}

// "Nový" from the empty state, filled in and confirmed.
inline void createTournament(zorbon::ui::Zorbon& app, const QString& name, const QString& place = {},
                             const QString& date = {})
{
    Dialogs::script([&](QDialog* d) {
        type(d, "Edit1", name);
        type(d, "Edit2", place);
        type(d, "Edit3", date);
        click(d, "Button1");
    });
    click(app.HlavniOkno, "SpeedButton1");
}

// "Registruj", each name added with "Přidej", then "Hotovo".
inline void registerPlayers(zorbon::ui::Zorbon& app, const QStringList& names)
{
    Dialogs::script([&](QDialog* d) {
        for (const auto& n : names) {
            type(d, "JmenoHrace", n);
            click(d, "Button1");
        }
        click(d, "Button2");
    });
    click(app.HlavniOkno, "SpeedButton2");
}

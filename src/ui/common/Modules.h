#pragma once
// Parts of the program kept out of its start: shared modules opened on their first use (printing,
// the phones page's bracket picture). They are looked for where the package installs them and, for a
// program run inside the build folder, where the build made them (server/ModulePlaces.h).

#include <QString>
#include <QStringList>

#include <optional>

namespace zorbon::ui {

// The module `file`'s `symbol`, the module opened on the first call and kept open; nullptr when it
// cannot be found or opened, with the reason for the operator in `problem` ("chybí soubor ...").
// Safe from any thread.
void* moduleSymbol(const QString& file, const char* symbol, QString* problem = nullptr);

// Tests: look only in `dirs` (none, that is nowhere, with an empty list) and forget the modules
// opened so far; nullopt restores the usual places.
void lookForModulesIn(std::optional<QStringList> dirs);

} // namespace zorbon::ui

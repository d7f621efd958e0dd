#pragma once
// Runs one core command from a window and shows its failure the way the run-time reports it.

#include "Dialogs.h"
#include "records/errors.h"

#include <QString>

#include <string_view>

namespace zorbon::ui {

inline QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Returns false when the command failed with a file or number error, after showing it.
template <class F>
bool guarded(QWidget* parent, F&& command)
{
    try {
        command();
        return true;
    } catch (const IoError& e) {
        Dialogs::error(parent, QString::fromUtf8(e.what()));
    } catch (const ConvertError& e) {
        Dialogs::error(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace zorbon::ui

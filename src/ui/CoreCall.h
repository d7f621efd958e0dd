#pragma once
// Runs one core command from a bracket window or its dialogs and shows a failure the way the
// run-time reports it: a file error, or a score field that holds no number.

#include "Guard.h"

namespace zorbon::ui {

// False when the command failed, after the error box was shown.
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

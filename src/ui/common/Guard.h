#pragma once
// Small helpers the windows share: running a command step that touches the working files, and
// moving text between the core's UTF-8 strings and Qt.

#include "common/Dialogs.h"
#include "records/errors.h"

#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <string>
#include <vector>

namespace zorbon::ui {

// Runs one step of a command. A file failure or a field that holds no number shows the run-time's
// report and returns false: the caller stops the command there and keeps what it already did.
template <class Step> bool guard(QWidget* parent, Step&& step)
{
    try {
        step();
        return true;
    } catch (const IoError& e) {
        Dialogs::error(parent, QString::fromUtf8(e.what()));
    } catch (const ConvertError& e) {
        Dialogs::error(parent, QString::fromUtf8(e.what()));
    }
    return false;
}

inline QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

// A tooltip that shows a typed text as it is: a tooltip reads text that looks like markup as
// markup, so such a text goes in escaped inside markup of its own.
inline QString plainToolTip(const QString& text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

// One name a line, as a list control shows them.
inline QString lines(const std::vector<std::string>& names)
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(names.size()));
    for (const auto& n : names)
        out << qs(n);
    return out.join(QLatin1Char('\n'));
}

} // namespace zorbon::ui

#include "look/Ink.h"

#include <QFontMetrics>
#include <QHash>

namespace zorbon::ui {

Ink inkOf(const QFont& font, const QString& probe)
{
    static QHash<QString, Ink> known; // by font and probe; a handful
    const QString key = font.key() + QLatin1Char('|') + probe;
    if (const auto it = known.constFind(key); it != known.constEnd())
        return *it;
    const QRect r = QFontMetrics(font).tightBoundingRect(probe);
    const Ink ink{r.top(), r.height()};
    known.insert(key, ink);
    return ink;
}

const QString& nameProbe()
{
    static const QString probe = QStringLiteral("ŽŠČŘĎŤŇÚŮÝÉÁÍÓÄÖ gjpqy");
    return probe;
}

const QString& digitProbe()
{
    static const QString probe = QStringLiteral("0123456789");
    return probe;
}

int baselineIn(int top, int height, const Ink& ink)
{
    return top + (height - ink.height) / 2 - ink.top;
}

Ink nameInk(const QFont& font)
{
    return inkOf(font, nameProbe());
}

int pixelSizeForHeight(QFont font, int px, int height)
{
    for (; px > 1; --px) {
        font.setPixelSize(px);
        if (inkOf(font, nameProbe()).height <= height)
            return px;
    }
    return 1;
}

} // namespace zorbon::ui

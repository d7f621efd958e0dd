#include "display/TabuleText.h"

#include <QStringList>

#include <algorithm>

namespace zorbon::ui {
namespace {

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

const QString kDash = QStringLiteral(" – ");

QString score(const Bracket& b, SlotId id)
{
    return qs(b.score(id)).trimmed();
}

bool isPlayer(const std::string& name)
{
    return name != kUnknown && name != kBye;
}

QString matchTitle(const Bracket& b, int box)
{
    return b.table().box(box).isFinal() ? QStringLiteral("finále") : QStringLiteral("zápas %1").arg(box);
}

} // namespace

QString headerLine(const TournamentHeader& h)
{
    QStringList parts;
    for (const std::string* part : {&h.name, &h.place, &h.date})
        if (!QString::fromStdString(*part).trimmed().isEmpty())
            parts << qs(*part).trimmed();
    return parts.join(kDash);
}

QString boardLine(const Bracket& b, int n)
{
    const Board& board = b.board(n);
    switch (board.state) {
    case BoardState::Off:
        return {};
    case BoardState::Free:
        return QStringLiteral("Terč %1: volný").arg(n);
    case BoardState::Occupied:
        break;
    }
    const QString what =
        b.table().hasBox(board.match) ? matchTitle(b, board.match) : QStringLiteral("zápas %1").arg(board.match);
    return QStringLiteral("Terč %1: ").arg(n) + what + kDash + qs(board.player1) + QStringLiteral(" : ") +
           qs(board.player2);
}

QString matchLine(const Bracket& b, int box)
{
    const BoxSpec& cells = b.table().box(box);
    return matchTitle(b, box) + kDash + qs(b.name(cells.upper)) + QStringLiteral(" : ") + qs(b.name(cells.lower));
}

QString resultLine(const Bracket& b, int box)
{
    const BoxSpec& cells = b.table().box(box);
    return matchTitle(b, box) + kDash + qs(b.name(cells.upper)) + QLatin1Char(' ') + score(b, cells.upper) +
           QStringLiteral(" : ") + score(b, cells.lower) + QLatin1Char(' ') + qs(b.name(cells.lower));
}

QString winnerText(const Bracket& b)
{
    const int fin = b.table().finalNumber();
    const BoxSpec& cells = b.table().box(fin);
    switch (b.state(fin)) {
    case BoxState::Pending:
        return {};
    case BoxState::OnBoard:
        return QStringLiteral("Finále: ") + qs(b.name(cells.lower)) + QStringLiteral(" musí vyhrát dvakrát");
    case BoxState::Finished:
        break;
    }
    // As the result decided it: the lower player wins only with the higher total.
    const bool lowerWon = score(b, cells.lower).toInt() > score(b, cells.upper).toInt();
    return QStringLiteral("Vítěz turnaje: ") + qs(b.name(lowerWon ? cells.lower : cells.upper));
}

std::vector<int> readyMatches(const Bracket& b, int most)
{
    std::vector<int> out;
    for (int n = 1; n <= b.table().boxCount() && static_cast<int>(out.size()) < most; ++n)
        if (b.ready(n))
            out.push_back(n);
    return out;
}

bool isResult(const Bracket& b, int box)
{
    if (b.state(box) != BoxState::Finished)
        return false;
    const BoxSpec& cells = b.table().box(box);
    if (!isPlayer(b.name(cells.upper)) || !isPlayer(b.name(cells.lower)))
        return false;
    return !(b.score(cells.upper) == kNoScore && b.score(cells.lower) == kNoScore);
}

bool isUnderWay(const Bracket& b)
{
    for (int n = 1; n <= b.table().boxCount(); ++n)
        if (b.state(n) == BoxState::OnBoard || isResult(b, n))
            return true;
    return false;
}

bool isDecided(const Bracket& b)
{
    return b.state(b.table().finalNumber()) == BoxState::Finished;
}

void FinishOrder::clear()
{
    m_order.clear();
    m_listed.clear();
}

void FinishOrder::follow(const Bracket& b)
{
    const int boxes = b.table().boxCount();
    if (static_cast<int>(m_listed.size()) != boxes) {
        // Another bracket: nothing seen before means anything in it.
        m_order.clear();
        m_listed.assign(static_cast<std::size_t>(boxes), false);
    }
    std::erase_if(m_order, [&](int box) {
        if (b.state(box) == BoxState::Finished)
            return false;
        m_listed[static_cast<std::size_t>(box - 1)] = false;
        return true;
    });
    for (int n = 1; n <= boxes; ++n) {
        if (b.state(n) != BoxState::Finished || m_listed[static_cast<std::size_t>(n - 1)])
            continue;
        m_listed[static_cast<std::size_t>(n - 1)] = true;
        m_order.push_back(n);
    }
}

std::vector<int> FinishOrder::latestResults(const Bracket& b, int most) const
{
    std::vector<int> out;
    for (auto it = m_order.rbegin(); it != m_order.rend() && static_cast<int>(out.size()) < most; ++it)
        if (isResult(b, *it))
            out.push_back(*it);
    return out;
}

} // namespace zorbon::ui

#include "matches/Match.h"

#include <QStringList>

#include <algorithm>

namespace matches {

namespace {
const QString statusWords[statusCount] = {
    QStringLiteral("da giocare"), QStringLiteral("giocata"),    QStringLiteral("rinviata"),
    QStringLiteral("sospesa"),    QStringLiteral("a tavolino"), QStringLiteral("annullata"),
};
}  // namespace

QString statusWord(Status status)
{
    return statusWords[int(status)];
}

std::optional<Status> statusFromWord(const QString& word)
{
    const QString typed = word.simplified().toLower();
    for (int i = 0; i < statusCount; ++i) {
        if (typed == statusWords[i])
            return Status(i);
    }
    if (typed == QStringLiteral("tavolino"))
        return Status::Tavolino;
    return std::nullopt;
}

Side Match::winner() const
{
    if (status == Status::Tavolino) {
        if (atFault == Side::Home)
            return Side::Away;
        if (atFault == Side::Away)
            return Side::Home;
        return Side::None;
    }
    if (status != Status::Giocata)
        return Side::None;
    if (homeTotal() != awayTotal())
        return homeTotal() > awayTotal() ? Side::Home : Side::Away;
    if (homePenalties && awayPenalties && *homePenalties != *awayPenalties)
        return *homePenalties > *awayPenalties ? Side::Home : Side::Away;
    return Side::None;
}

const Match* Calendar::match(int number) const
{
    for (const Match& m : matches) {
        if (m.number == number)
            return &m;
    }
    return nullptr;
}

Match* Calendar::match(int number)
{
    return const_cast<Match*>(std::as_const(*this).match(number));
}

int Calendar::nextNumber()
{
    for (const Match& m : matches)
        lastNumber = std::max(lastNumber, m.number);
    return ++lastNumber;
}

QStringList Calendar::groups() const
{
    QStringList names;
    for (const GroupSlot& slot : draw) {
        if (!names.contains(slot.group))
            names.append(slot.group);
    }
    for (const Match& m : matches) {
        if (!m.group.isEmpty() && !names.contains(m.group))
            names.append(m.group);
    }
    return names;
}

int Calendar::lastRound() const
{
    int last = 0;
    for (const Match& m : matches)
        last = std::max(last, m.round);
    return last;
}

}  // namespace matches

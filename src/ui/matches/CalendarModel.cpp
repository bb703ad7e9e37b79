#include "matches/CalendarModel.h"

#include "matches/Knockout.h"
#include "matches/Results.h"
#include "matches/Schedule.h"

#include <QBrush>
#include <QColor>

using namespace matches;

namespace {

const QString dateFormat = QStringLiteral("dd/MM/yyyy");

std::optional<int> goals(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0;
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value >= 0 && value <= 999 ? std::optional<int>(value) : std::nullopt;
}

// A forfeit's side at fault follows the awarded score typed: fewer goals, both when equal.
void placeFault(Match& match)
{
    match.atFault = match.homeGoals < match.awayGoals   ? Side::Home
                    : match.homeGoals > match.awayGoals ? Side::Away
                                                        : Side::Both;
}

}  // namespace

CalendarModel::CalendarModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void CalendarModel::setCalendar(Calendar* calendar, const QStringList& names, bool editable)
{
    beginResetModel();
    m_calendar = calendar;
    m_names = names;
    m_editable = editable;
    m_changed.clear();
    rebuild();
    endResetModel();
}

void CalendarModel::setFilter(const Filter& filter)
{
    beginResetModel();
    m_filter = filter;
    rebuild();
    endResetModel();
}

void CalendarModel::rebuild()
{
    m_rows.clear();
    if (!m_calendar)
        return;
    const Match* first = m_calendar->matches.constData();
    for (const Match* match : inCalendarOrder(*m_calendar)) {
        if (m_filter.accepts(*match))
            m_rows.append(int(match - first));
    }
}

const Match* CalendarModel::matchAt(int row) const
{
    if (!m_calendar || row < 0 || row >= m_rows.size())
        return nullptr;
    return &m_calendar->matches[m_rows[row]];
}

int CalendarModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int CalendarModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CalendarModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList headings{u"N."_qs,   u"Giornata"_qs, u"Girone"_qs,    u"Data"_qs,
                                      u"Ora"_qs,  u"Campo"_qs,    u"Casa"_qs,      u"Ospiti"_qs,
                                      u"Gol casa"_qs, u"Gol ospiti"_qs, u"Rigori"_qs, u"Stato"_qs};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headings.size())
        return headings[section];
    return {};
}

QVariant CalendarModel::data(const QModelIndex& index, int role) const
{
    const Match* match = matchAt(index.row());
    if (!match)
        return {};
    if (role == Qt::TextAlignmentRole) {
        const int column = index.column();
        return column == Number || column == Round || column == HomeGoals || column == AwayGoals
                   ? QVariant(Qt::AlignCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role == Qt::ForegroundRole && (match->status == Status::Annullata || match->isRest()))
        return QBrush(QColor(0x70, 0x70, 0x70));
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const bool result = match->hasResult();
    switch (index.column()) {
    case Number:
        return match->number;
    case Round:
        return match->isKnockout() ? roundName(*match) : QString::number(match->round);
    case Group:
        return match->group;
    case Date:
        return match->date.isValid() ? match->date.toString(dateFormat) : QString();
    case Time:
        return match->time.isValid() ? match->time.toString(QStringLiteral("HH:mm")) : QString();
    case Field:
        return match->field;
    case Home:
        return sideName(*match, Side::Home, m_names);
    case Away:
        return sideName(*match, Side::Away, m_names);
    case HomeGoals:
        return result ? QString::number(match->homeTotal()) : QString();
    case AwayGoals:
        return result ? QString::number(match->awayTotal()) : QString();
    case Penalties:
        return match->homePenalties && match->awayPenalties ? scoreText(*match->homePenalties, *match->awayPenalties)
                                                            : QString();
    case State:
        return match->isRest() ? QString() : statusWord(match->status);
    }
    return {};
}

Qt::ItemFlags CalendarModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    const Match* match = matchAt(index.row());
    if (!m_editable || !match)
        return flags;
    switch (index.column()) {
    case Date:
    case Time:
    case Field:
        return flags | Qt::ItemIsEditable;
    case HomeGoals:
    case AwayGoals:
    case State:
        return match->isRest() || match->home <= 0 || match->away <= 0 ? flags : flags | Qt::ItemIsEditable;
    case Penalties:
        return match->isKnockout() && match->home > 0 && match->away > 0 ? flags | Qt::ItemIsEditable : flags;
    default:
        return flags;
    }
}

bool CalendarModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    Match& match = m_calendar->matches[m_rows[index.row()]];
    const Match before = match;
    const QString text = value.toString().trimmed();
    switch (index.column()) {
    case Date: {
        const QDate date = QDate::fromString(text, dateFormat);
        if (!text.isEmpty() && !date.isValid()) {
            emit refused(QStringLiteral("Attenzione: la data \"%1\" non esiste (GG/MM/AAAA).").arg(text));
            return false;
        }
        match.date = date;
        break;
    }
    case Time: {
        const auto times = timesFromText(text);
        if (!times || times->size() > 1) {
            emit refused(QStringLiteral("Attenzione: \"%1\" non \u00E8 un orario valido (HH:MM).").arg(text));
            return false;
        }
        match.time = times->isEmpty() ? QTime() : times->first();
        break;
    }
    case Field:
        match.field = text;
        break;
    case HomeGoals:
    case AwayGoals: {
        const std::optional<int> count = goals(text);
        if (!count) {
            emit refused(badScoreMessage());
            return false;
        }
        (index.column() == HomeGoals ? match.homeGoals : match.awayGoals) = *count;
        // Goals typed in are the result after extra time.
        match.homeExtra.reset();
        match.awayExtra.reset();
        if (!match.hasResult())
            match.status = Status::Giocata;
        if (match.status == Status::Tavolino)
            placeFault(match);
        break;
    }
    case Penalties: {
        if (text.isEmpty()) {
            match.homePenalties.reset();
            match.awayPenalties.reset();
            break;
        }
        const auto score = scoreFromText(text);
        if (!score) {
            emit refused(badScoreMessage());
            return false;
        }
        match.homePenalties = score->first;
        match.awayPenalties = score->second;
        break;
    }
    case State: {
        const std::optional<Status> status = statusFromWord(text);
        if (!status) {
            emit refused(QStringLiteral(
                "Attenzione: lo stato deve essere da giocare, giocata, rinviata, sospesa, a tavolino oppure annullata."));
            return false;
        }
        match.status = *status;
        if (*status == Status::Tavolino)
            placeFault(match);
        else
            match.atFault = Side::None;
        break;
    }
    default:
        return false;
    }
    if (match == before)
        return true;
    m_changed.insert(match.number);
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), ColumnCount - 1));
    emit edited();
    return true;
}

bool CalendarModel::swapSides(int row)
{
    const Match* shown = matchAt(row);
    if (!m_editable || !shown || shown->isRest())
        return false;
    Match& match = m_calendar->matches[m_rows[row]];
    std::swap(match.home, match.away);
    std::swap(match.homeSource, match.awaySource);
    std::swap(match.homeGoals, match.awayGoals);
    std::swap(match.homeExtra, match.awayExtra);
    std::swap(match.homePenalties, match.awayPenalties);
    if (match.atFault == Side::Home || match.atFault == Side::Away)
        match.atFault = match.atFault == Side::Home ? Side::Away : Side::Home;
    m_changed.insert(match.number);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
    emit edited();
    return true;
}

void CalendarModel::removeMatch(int row)
{
    const Match* shown = matchAt(row);
    if (!m_editable || !shown)
        return;
    beginResetModel();
    m_changed.insert(shown->number);
    m_calendar->matches.removeAt(m_rows[row]);
    rebuild();
    endResetModel();
    emit edited();
}

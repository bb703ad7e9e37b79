#include "matches/MatchTableModel.h"

#include "app/Formats.h"

#include <QFont>

using namespace matches;

namespace {

const QStringList& headings()
{
    static const QStringList texts = {
        QStringLiteral("N."),     QStringLiteral("Giornata"), QStringLiteral("Girone"),   QStringLiteral("Data"),
        QStringLiteral("Ora"),    QStringLiteral("Campo"),    QStringLiteral("Casa"),     QStringLiteral("Ospiti"),
        QStringLiteral("Risultato"), QStringLiteral("Stato"),
    };
    return texts;
}

}  // namespace

const QString MatchTableModel::dateMessage =
    QStringLiteral("Attenzione: la data indicata non esiste.\r\n\r\nIndicare la data nella forma GG/MM/AAAA.");
const QString MatchTableModel::timeMessage =
    QStringLiteral("Attenzione: l'ora indicata non esiste.\r\n\r\nIndicare l'ora nella forma HH:MM.");

const QList<MatchTableModel::StatusChoice>& MatchTableModel::statusChoices()
{
    static const QList<StatusChoice> choices = {
        {Status::DaGiocare, Side::None}, {Status::Giocata, Side::None},   {Status::Rinviata, Side::None},
        {Status::Sospesa, Side::None},   {Status::Tavolino, Side::Home},  {Status::Tavolino, Side::Away},
        {Status::Annullata, Side::None},
    };
    return choices;
}

QString MatchTableModel::choiceText(const StatusChoice& choice)
{
    Match match;
    match.status = choice.status;
    match.atFault = choice.atFault;
    return statusText(match);
}

MatchTableModel::MatchTableModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

void MatchTableModel::setCalendar(StoredCalendar calendar, QStringList names)
{
    beginResetModel();
    m_calendar = std::move(calendar);
    m_saved = m_calendar.calendar.matches;
    m_names = std::move(names);
    m_rows.clear();
    const QList<Match>& all = m_calendar.calendar.matches;
    m_rows.reserve(all.size());
    for (int i = 0; i < all.size(); ++i) {
        if (m_filter.accepts(all.at(i)))
            m_rows.append(i);
    }
    endResetModel();
}

void MatchTableModel::setFilter(const Filter& filter)
{
    m_filter = filter;
    refilter();
}

void MatchTableModel::refilter()
{
    beginResetModel();
    m_rows.clear();
    const QList<Match>& all = m_calendar.calendar.matches;
    for (int i = 0; i < all.size(); ++i) {
        if (m_filter.accepts(all.at(i)))
            m_rows.append(i);
    }
    endResetModel();
}

const Match& MatchTableModel::matchAt(int row) const { return m_calendar.calendar.matches.at(m_rows.at(row)); }

Match& MatchTableModel::working(int row) { return m_calendar.calendar.matches[m_rows.at(row)]; }

int MatchTableModel::rowOf(int number) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (matchAt(row).number == number)
            return row;
    }
    return -1;
}

void MatchTableModel::rowChanged(int row)
{
    Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

QString MatchTableModel::setResult(int row, const TypedResult& typed)
{
    const std::optional<ResultInput> input = typedInput(typed);
    if (!input)
        return badScoreMessage();
    return record(row, *input);
}

QString MatchTableModel::setStatus(int row, const StatusChoice& choice)
{
    const Match& match = matchAt(row);
    ResultInput input;
    input.status = choice.status;
    input.atFault = choice.atFault;
    input.homeGoals = match.homeGoals;
    input.awayGoals = match.awayGoals;
    if (choice.status == Status::Giocata) {
        input.homeExtra = match.homeExtra;
        input.awayExtra = match.awayExtra;
        input.homePenalties = match.homePenalties;
        input.awayPenalties = match.awayPenalties;
    }
    return record(row, input);
}

QString MatchTableModel::record(int row, const ResultInput& input)
{
    const QString refused = recordResult(m_calendar.calendar, matchAt(row).number, input, int(m_names.size()));
    if (!refused.isEmpty())
        return refused;
    // A knockout winner or a finished group may fill places of other matches.
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    return {};
}

QString MatchTableModel::setDate(int row, const QString& text)
{
    const QString trimmed = text.trimmed();
    QDate date;
    if (!trimmed.isEmpty()) {
        date = formats::dateFromText(trimmed);
        if (!date.isValid())
            date = QDate::fromString(trimmed, QStringLiteral("d/M/yyyy"));
        if (!date.isValid())
            return dateMessage;
    }
    working(row).date = date;
    rowChanged(row);
    return {};
}

QString MatchTableModel::setTime(int row, const QString& text)
{
    const QString trimmed = text.trimmed();
    QTime time;
    if (!trimmed.isEmpty()) {
        time = QTime::fromString(trimmed, QStringLiteral("H:mm"));
        if (!time.isValid())
            time = QTime::fromString(trimmed, QStringLiteral("H.mm"));
        if (!time.isValid())
            return timeMessage;
    }
    working(row).time = time;
    rowChanged(row);
    return {};
}

void MatchTableModel::setFieldName(int row, const QString& text)
{
    working(row).field = text.trimmed();
    rowChanged(row);
}

void MatchTableModel::setTeam(int row, Side side, int entry)
{
    Match& match = working(row);
    (side == Side::Home ? match.home : match.away) = entry;
    rowChanged(row);
}

void MatchTableModel::swap(int row)
{
    Match& match = working(row);
    std::swap(match.home, match.away);
    std::swap(match.homeGoals, match.awayGoals);
    std::swap(match.homeExtra, match.awayExtra);
    std::swap(match.homePenalties, match.awayPenalties);
    std::swap(match.homeSource, match.awaySource);
    if (match.atFault == Side::Home || match.atFault == Side::Away)
        match.atFault = match.atFault == Side::Home ? Side::Away : Side::Home;
    rowChanged(row);
}

int MatchTableModel::add(int row)
{
    Calendar& calendar = m_calendar.calendar;
    Match match;
    if (row >= 0 && row < m_rows.size()) {
        const Match& beside = matchAt(row);
        match.round = beside.round;
        match.group = beside.group;
        match.phase = beside.phase;
        match.roundSize = beside.roundSize;
        match.leg = beside.leg;
        match.date = beside.date;
        match.time = beside.time;
        match.field = beside.field;
    } else {
        match.round = std::max(1, calendar.lastRound());
    }
    match.number = calendar.nextNumber();
    const int at = row >= 0 && row < m_rows.size() ? m_rows.at(row) + 1 : int(calendar.matches.size());
    calendar.matches.insert(at, match);
    // Indexes after the new match move by one; the new match is shown whatever the filter.
    for (int& shown : m_rows) {
        if (shown >= at)
            ++shown;
    }
    const int newRow = row >= 0 && row < m_rows.size() ? row + 1 : int(m_rows.size());
    beginInsertRows({}, newRow, newRow);
    m_rows.insert(newRow, at);
    endInsertRows();
    return newRow;
}

void MatchTableModel::remove(int row)
{
    const int at = m_rows.at(row);
    beginRemoveRows({}, row, row);
    m_calendar.calendar.matches.removeAt(at);
    m_rows.removeAt(row);
    for (int& shown : m_rows) {
        if (shown > at)
            --shown;
    }
    endRemoveRows();
}

bool MatchTableModel::hasChanges() const { return m_calendar.calendar.matches != m_saved; }

void MatchTableModel::markSaved()
{
    m_saved = m_calendar.calendar.matches;
    // The saved matches now carry their records' positions.
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int MatchTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(m_rows.size()); }

int MatchTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant MatchTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Match& match = matchAt(index.row());
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case Number:
        case Round:
        case Result:
            return int(Qt::AlignCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role == Qt::FontRole && match.position == 0 && match.number > 0) {
        QFont font;
        font.setItalic(true);
        return font;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    switch (Column(index.column())) {
    case Number:
        return QString::number(match.number);
    case Round:
        return roundText(match);
    case Group:
        return match.group;
    case Date:
        return formats::dateText(match.date);
    case Time:
        return match.time.isValid() ? match.time.toString(QStringLiteral("HH:mm")) : QString();
    case Field:
        return match.field;
    case Home:
        return role == Qt::EditRole ? QVariant(match.home) : QVariant(sideName(match, Side::Home, m_names));
    case Away:
        return role == Qt::EditRole ? QVariant(match.away) : QVariant(sideName(match, Side::Away, m_names));
    case Result:
        return resultText(match, m_calendar.calendar.rules, true);
    case Status:
        return match.isRest() ? QString() : statusText(match);
    case ColumnCount:
        break;
    }
    return {};
}

QVariant MatchTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < headings().size())
        return headings().at(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags MatchTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return flags;
    switch (index.column()) {
    case Date:
    case Time:
    case Field:
    case Home:
    case Away:
    case Result:
    case Status:
        if (!matchAt(index.row()).isRest() || index.column() == Home || index.column() == Away
            || index.column() == Date || index.column() == Time || index.column() == Field)
            flags |= Qt::ItemIsEditable;
        break;
    default:
        break;
    }
    return flags;
}

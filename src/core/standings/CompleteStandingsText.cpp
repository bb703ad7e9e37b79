#include "standings/CompleteStandingsText.h"

namespace standings {
namespace {

constexpr int NameColumn = 30;
constexpr int NumberColumn = 4;

QStringList numbers(const StandingsRow& row)
{
    return {QString::number(row.points),   QString::number(row.played),       QString::number(row.won),
            QString::number(row.drawn),    QString::number(row.lost),         QString::number(row.goalsFor),
            QString::number(row.goalsAgainst), goalDifferenceText(row.goalDifference()), QString::number(row.deduction)};
}

// Tabs and line breaks in a stored name would break the line apart.
QString oneField(const QString& text)
{
    QString field = text;
    for (QChar& c : field) {
        if (c.unicode() < 0x20)
            c = u' ';
    }
    return field;
}

}  // namespace

QString goalDifferenceText(int difference)
{
    return difference > 0 ? QLatin1Char('+') + QString::number(difference) : QString::number(difference);
}

QStringList tabLines(const StandingsTable& table)
{
    QStringList lines{QStringLiteral("Pos\tSquadra\tPt\tG\tV\tN\tP\tGF\tGS\tDR\tPen\tMotivo")};
    for (const StandingsRow& row : table.rows) {
        QStringList fields{QString::number(row.place), oneField(row.name)};
        fields += numbers(row);
        fields.append(oneField(row.reason));
        lines.append(fields.join(QLatin1Char('\t')));
    }
    return lines;
}

QStringList tabLines(const QList<ScorerTotal>& scorers)
{
    QStringList lines{QStringLiteral("Pos\tGiocatore\tSquadra\tGol")};
    int place = 0;
    for (qsizetype i = 0; i < scorers.size(); ++i) {
        if (i == 0 || scorers[i].goals != scorers[i - 1].goals)
            place = int(i) + 1;
        lines.append(QStringList{QString::number(place), oneField(scorers[i].player), oneField(scorers[i].team),
                                 QString::number(scorers[i].goals)}
                         .join(QLatin1Char('\t')));
    }
    return lines;
}

QStringList printedLines(const StandingsTable& table)
{
    const auto line = [](const QString& place, const QString& name, const QStringList& values) {
        QString text = place.rightJustified(3) + QLatin1Char(' ') + oneField(name).left(NameColumn).leftJustified(NameColumn);
        for (const QString& value : values)
            text += value.rightJustified(NumberColumn);
        return text;
    };
    QStringList lines{line(QStringLiteral("Pos"), QStringLiteral("Squadra"),
                           {QStringLiteral("Pt"), QStringLiteral("G"), QStringLiteral("V"), QStringLiteral("N"),
                            QStringLiteral("P"), QStringLiteral("GF"), QStringLiteral("GS"), QStringLiteral("DR"),
                            QStringLiteral("Pen")})};
    QStringList reasons;
    for (const StandingsRow& row : table.rows) {
        lines.append(line(QString::number(row.place), row.name, numbers(row)));
        if (!row.reason.isEmpty())
            reasons.append(oneField(row.reason));
    }
    reasons += table.notes;
    if (!reasons.isEmpty())
        lines.append(QString());
    return lines + reasons;
}

QStringList printedLines(const QList<ScorerTotal>& scorers)
{
    QStringList lines;
    for (const QString& tabbed : tabLines(scorers)) {
        const QStringList fields = tabbed.split(QLatin1Char('\t'));
        lines.append(fields[0].rightJustified(3) + QLatin1Char(' ') + fields[1].left(NameColumn).leftJustified(NameColumn) + QLatin1Char(' ')
                     + fields[2].left(NameColumn).leftJustified(NameColumn) + fields[3].rightJustified(NumberColumn));
    }
    return lines;
}

}  // namespace standings

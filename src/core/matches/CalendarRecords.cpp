#include "matches/CalendarRecords.h"

#include <cstring>

namespace matches::records {

namespace {

const QString DateFormat = QStringLiteral("yyyyMMdd");
const QString TimeFormat = QStringLiteral("HH:mm");

QString number(int value)
{
    return QString::number(value);
}

QString optionalNumber(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

QString flag(bool value)
{
    return value ? QStringLiteral("S") : QStringLiteral("N");
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(DateFormat) : QString();
}

QString sideText(Side side)
{
    switch (side) {
    case Side::None:
        return {};
    case Side::Home:
        return QStringLiteral("C");
    case Side::Away:
        return QStringLiteral("O");
    case Side::Both:
        return QStringLiteral("E");
    }
    return {};
}

// Readers: `field` names the field in the error when the text does not read.
int readNumber(const QString& text, const char* field, bool emptyIsZero = true, int minimum = 0)
{
    if (text.isEmpty() && emptyIsZero)
        return 0;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < minimum)
        throw BadRecord{QString::fromLatin1(field)};
    return value;
}

std::optional<int> readOptional(const QString& text, const char* field)
{
    if (text.isEmpty())
        return std::nullopt;
    return readNumber(text, field, false);
}

bool readFlag(const QString& text, const char* field)
{
    if (text == QLatin1String("S"))
        return true;
    if (text == QLatin1String("N"))
        return false;
    throw BadRecord{QString::fromLatin1(field)};
}

QDate readDate(const QString& text, const char* field)
{
    if (text.isEmpty())
        return {};
    const QDate date = QDate::fromString(text, DateFormat);
    if (!date.isValid())
        throw BadRecord{QString::fromLatin1(field)};
    return date;
}

QTime readTime(const QString& text, const char* field)
{
    if (text.isEmpty())
        return {};
    const QTime time = QTime::fromString(text, TimeFormat);
    if (!time.isValid())
        throw BadRecord{QString::fromLatin1(field)};
    return time;
}

Side readSide(const QString& text, const char* field)
{
    if (text.isEmpty())
        return Side::None;
    if (text == QLatin1String("C"))
        return Side::Home;
    if (text == QLatin1String("O"))
        return Side::Away;
    if (text == QLatin1String("E"))
        return Side::Both;
    throw BadRecord{QString::fromLatin1(field)};
}

const char statusLetters[statusCount + 1] = "DGRSTA";

QString phaseText(const Match& match)
{
    switch (match.phase) {
    case Phase::RoundRobin:
        return QStringLiteral("G");
    case Phase::Knockout:
        return QStringLiteral("E") + QString::number(match.roundSize);
    case Phase::ThirdPlace:
        return QStringLiteral("T");
    }
    return {};
}

void readPhase(const QString& text, Match& match)
{
    if (text == QLatin1String("G")) {
        match.phase = Phase::RoundRobin;
    } else if (text == QLatin1String("T")) {
        match.phase = Phase::ThirdPlace;
        match.roundSize = 4;
    } else if (text.startsWith(QLatin1Char('E'))) {
        match.phase = Phase::Knockout;
        match.roundSize = readNumber(text.mid(1), "Fase", false, 2);
    } else {
        throw BadRecord{QStringLiteral("Fase")};
    }
}

template <typename Record>
Record decodeKind(QByteArrayView bytes, const QByteArray& kind)
{
    Record record = Record::Layout.decode(bytes);
    if (record.Tipo.toLatin1() != kind)
        throw BadRecord{QStringLiteral("Tipo")};
    return record;
}

}  // namespace

QByteArray kindOf(QByteArrayView record)
{
    const QByteArrayView head = record.first(qMin<qsizetype>(4, record.size()));
    const qsizetype end = head.indexOf('\0');
    return (end < 0 ? head : head.first(end)).toByteArray();
}

bool isFree(QByteArrayView record)
{
    for (char c : record) {
        if (c != '\0')
            return false;
    }
    return true;
}

bool isKind(QByteArrayView kind)
{
    if (kind.size() != 3)
        return false;
    for (char c : kind) {
        if (c < 'A' || c > 'Z')
            return false;
    }
    return true;
}

QByteArray encodeHeader(int lastNumber)
{
    HeaderRecord record;
    record.Tipo = QString::fromLatin1(HeaderKind);
    record.Versione = number(Version);
    record.UltimaGara = number(lastNumber);
    return HeaderRecord::Layout.encode(record);
}

int decodeHeader(QByteArrayView bytes)
{
    const HeaderRecord record = decodeKind<HeaderRecord>(bytes, HeaderKind);
    if (readNumber(record.Versione, "Versione", false, 1) > Version)
        throw BadRecord{QStringLiteral("Versione")};
    return readNumber(record.UltimaGara, "UltimaGara");
}

QByteArray encode(const Rules& rules)
{
    RulesRecord record;
    record.Tipo = QString::fromLatin1(RulesKind);
    record.PuntiVittoria = number(rules.winPoints);
    record.PuntiPareggio = number(rules.drawPoints);
    record.PuntiSconfitta = number(rules.lossPoints);
    record.TavolinoVinti = number(rules.forfeitWinnerGoals);
    record.TavolinoPersi = number(rules.forfeitLoserGoals);
    record.Penalizzazione = flag(rules.forfeitDeduction);
    record.PuntiDaRisultati = flag(rules.pointsFromResults);
    record.Ritiro = QString(QLatin1Char("RFA"[int(rules.withdrawal)]));
    record.RitornoDal = dateText(rules.returnLegFrom);
    return RulesRecord::Layout.encode(record);
}

Rules decodeRules(QByteArrayView bytes)
{
    const RulesRecord record = decodeKind<RulesRecord>(bytes, RulesKind);
    Rules rules;
    rules.winPoints = readNumber(record.PuntiVittoria, "PuntiVittoria", false, -99);
    rules.drawPoints = readNumber(record.PuntiPareggio, "PuntiPareggio", false, -99);
    rules.lossPoints = readNumber(record.PuntiSconfitta, "PuntiSconfitta", false, -99);
    rules.forfeitWinnerGoals = readNumber(record.TavolinoVinti, "TavolinoVinti", false);
    rules.forfeitLoserGoals = readNumber(record.TavolinoPersi, "TavolinoPersi", false);
    rules.forfeitDeduction = readFlag(record.Penalizzazione, "Penalizzazione");
    rules.pointsFromResults = readFlag(record.PuntiDaRisultati, "PuntiDaRisultati");
    const qsizetype withdrawal = QStringLiteral("RFA").indexOf(record.Ritiro);
    if (record.Ritiro.size() != 1 || withdrawal < 0)
        throw BadRecord{QStringLiteral("Ritiro")};
    rules.withdrawal = Withdrawal(withdrawal);
    rules.returnLegFrom = readDate(record.RitornoDal, "RitornoDal");
    return rules;
}

QByteArray encode(const Match& match)
{
    MatchRecord record;
    record.Tipo = QString::fromLatin1(MatchKind);
    record.Numero = number(match.number);
    record.Giornata = number(match.round);
    record.Girone = match.group;
    record.Fase = phaseText(match);
    record.Andata = number(match.leg);
    record.Data = dateText(match.date);
    record.Ora = match.time.isValid() ? match.time.toString(TimeFormat) : QString();
    record.Campo = match.field;
    record.Casa = number(match.home);
    record.Ospite = number(match.away);
    record.GolCasa = number(match.homeGoals);
    record.GolOspite = number(match.awayGoals);
    record.Stato = QString(QLatin1Char(statusLetters[int(match.status)]));
    record.Colpa = sideText(match.atFault);
    record.SuppCasa = optionalNumber(match.homeExtra);
    record.SuppOspite = optionalNumber(match.awayExtra);
    record.RigCasa = optionalNumber(match.homePenalties);
    record.RigOspite = optionalNumber(match.awayPenalties);
    record.Vincente = match.winnerTo ? number(match.winnerTo) : QString();
    record.LatoVincente = sideText(match.winnerSide);
    record.Perdente = match.loserTo ? number(match.loserTo) : QString();
    record.LatoPerdente = sideText(match.loserSide);
    record.OrigineCasa = match.homeSource;
    record.OrigineOspite = match.awaySource;
    return MatchRecord::Layout.encode(record);
}

Match decodeMatch(QByteArrayView bytes)
{
    const MatchRecord record = decodeKind<MatchRecord>(bytes, MatchKind);
    Match match;
    match.number = readNumber(record.Numero, "Numero", false, 1);
    match.round = readNumber(record.Giornata, "Giornata", false);
    match.group = record.Girone;
    readPhase(record.Fase, match);
    match.leg = readNumber(record.Andata, "Andata", false, 1);
    if (match.leg > 2)
        throw BadRecord{QStringLiteral("Andata")};
    match.date = readDate(record.Data, "Data");
    match.time = readTime(record.Ora, "Ora");
    match.field = record.Campo;
    match.home = readNumber(record.Casa, "Casa", false);
    match.away = readNumber(record.Ospite, "Ospite", false);
    match.homeGoals = readNumber(record.GolCasa, "GolCasa", false);
    match.awayGoals = readNumber(record.GolOspite, "GolOspite", false);
    const char* status = record.Stato.size() == 1 ? std::strchr(statusLetters, record.Stato.at(0).toLatin1()) : nullptr;
    if (!status || !*status)
        throw BadRecord{QStringLiteral("Stato")};
    match.status = Status(status - statusLetters);
    match.atFault = readSide(record.Colpa, "Colpa");
    match.homeExtra = readOptional(record.SuppCasa, "SuppCasa");
    match.awayExtra = readOptional(record.SuppOspite, "SuppOspite");
    match.homePenalties = readOptional(record.RigCasa, "RigCasa");
    match.awayPenalties = readOptional(record.RigOspite, "RigOspite");
    match.winnerTo = readNumber(record.Vincente, "Vincente");
    match.winnerSide = readSide(record.LatoVincente, "LatoVincente");
    match.loserTo = readNumber(record.Perdente, "Perdente");
    match.loserSide = readSide(record.LatoPerdente, "LatoPerdente");
    match.homeSource = record.OrigineCasa;
    match.awaySource = record.OrigineOspite;
    return match;
}

QByteArray encode(const Deduction& deduction)
{
    DeductionRecord record;
    record.Tipo = QString::fromLatin1(DeductionKind);
    record.Squadra = number(deduction.entry);
    record.Punti = number(deduction.points);
    record.Data = dateText(deduction.date);
    record.Motivo = deduction.reason;
    return DeductionRecord::Layout.encode(record);
}

Deduction decodeDeduction(QByteArrayView bytes)
{
    const DeductionRecord record = decodeKind<DeductionRecord>(bytes, DeductionKind);
    Deduction deduction;
    deduction.entry = readNumber(record.Squadra, "Squadra", false, 1);
    deduction.points = readNumber(record.Punti, "Punti", false, -999);
    deduction.date = readDate(record.Data, "Data");
    deduction.reason = record.Motivo;
    return deduction;
}

QByteArray encode(const GroupSlot& slot)
{
    DrawRecord record;
    record.Tipo = QString::fromLatin1(DrawKind);
    record.Girone = slot.group;
    record.Squadra = number(slot.entry);
    record.Ordine = number(slot.order);
    record.TestaDiSerie = flag(slot.seeded);
    return DrawRecord::Layout.encode(record);
}

GroupSlot decodeDrawSlot(QByteArrayView bytes)
{
    const DrawRecord record = decodeKind<DrawRecord>(bytes, DrawKind);
    GroupSlot slot;
    slot.group = record.Girone;
    slot.entry = readNumber(record.Squadra, "Squadra", false, 1);
    slot.order = readNumber(record.Ordine, "Ordine", false, 1);
    slot.seeded = readFlag(record.TestaDiSerie, "TestaDiSerie");
    return slot;
}

}  // namespace matches::records

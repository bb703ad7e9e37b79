#pragma once

#include "matches/Match.h"
#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>

// The records of a calendar file. Every record is RecordSize bytes and starts with its kind, three
// capital letters; a record of zeros is a free place (a removed match) that the next save reuses.
// Texts are Windows-1252, each followed by a zero as in the tournament file; numbers are written
// in decimal digits, dates as AAAAMMGG and times as HH:MM. The layouts are in docs/calendar-file.md.
namespace matches::records {

inline constexpr int RecordSize = 256;

inline const QByteArray HeaderKind = QByteArrayLiteral("CAL");
inline const QByteArray RulesKind = QByteArrayLiteral("REG");
inline const QByteArray MatchKind = QByteArrayLiteral("GAR");
inline const QByteArray DeductionKind = QByteArrayLiteral("PEN");
inline const QByteArray DrawKind = QByteArrayLiteral("SOR");

inline constexpr int Version = 1;

struct HeaderRecord {
    QString Tipo, Versione, UltimaGara, Riserva;
    static constexpr RecordLayout<HeaderRecord, 4> Layout{
        "calendar header",
        TextEncoding::ZeroTerminated,
        {{
            {"Tipo", 3, &HeaderRecord::Tipo},
            {"Versione", 3, &HeaderRecord::Versione},
            {"UltimaGara", 6, &HeaderRecord::UltimaGara},
            {"Riserva", 240, &HeaderRecord::Riserva},
        }},
    };
};

struct RulesRecord {
    QString Tipo, PuntiVittoria, PuntiPareggio, PuntiSconfitta, TavolinoVinti, TavolinoPersi, Penalizzazione,
        PuntiDaRisultati, Ritiro, RitornoDal, Riserva;
    static constexpr RecordLayout<RulesRecord, 11> Layout{
        "calendar rules",
        TextEncoding::ZeroTerminated,
        {{
            {"Tipo", 3, &RulesRecord::Tipo},
            {"PuntiVittoria", 3, &RulesRecord::PuntiVittoria},
            {"PuntiPareggio", 3, &RulesRecord::PuntiPareggio},
            {"PuntiSconfitta", 3, &RulesRecord::PuntiSconfitta},
            {"TavolinoVinti", 2, &RulesRecord::TavolinoVinti},
            {"TavolinoPersi", 2, &RulesRecord::TavolinoPersi},
            {"Penalizzazione", 1, &RulesRecord::Penalizzazione},
            {"PuntiDaRisultati", 1, &RulesRecord::PuntiDaRisultati},
            {"Ritiro", 1, &RulesRecord::Ritiro},
            {"RitornoDal", 8, &RulesRecord::RitornoDal},
            {"Riserva", 218, &RulesRecord::Riserva},
        }},
    };
};

struct MatchRecord {
    QString Tipo, Numero, Giornata, Girone, Fase, Andata, Data, Ora, Campo, Casa, Ospite, GolCasa, GolOspite,
        Stato, Colpa, SuppCasa, SuppOspite, RigCasa, RigOspite, Vincente, LatoVincente, Perdente, LatoPerdente,
        OrigineCasa, OrigineOspite, Riserva;
    static constexpr RecordLayout<MatchRecord, 26> Layout{
        "calendar match",
        TextEncoding::ZeroTerminated,
        {{
            {"Tipo", 3, &MatchRecord::Tipo},
            {"Numero", 6, &MatchRecord::Numero},
            {"Giornata", 4, &MatchRecord::Giornata},
            {"Girone", 10, &MatchRecord::Girone},
            {"Fase", 3, &MatchRecord::Fase},
            {"Andata", 1, &MatchRecord::Andata},
            {"Data", 8, &MatchRecord::Data},
            {"Ora", 5, &MatchRecord::Ora},
            {"Campo", 40, &MatchRecord::Campo},
            {"Casa", 5, &MatchRecord::Casa},
            {"Ospite", 5, &MatchRecord::Ospite},
            {"GolCasa", 3, &MatchRecord::GolCasa},
            {"GolOspite", 3, &MatchRecord::GolOspite},
            {"Stato", 1, &MatchRecord::Stato},
            {"Colpa", 1, &MatchRecord::Colpa},
            {"SuppCasa", 3, &MatchRecord::SuppCasa},
            {"SuppOspite", 3, &MatchRecord::SuppOspite},
            {"RigCasa", 3, &MatchRecord::RigCasa},
            {"RigOspite", 3, &MatchRecord::RigOspite},
            {"Vincente", 6, &MatchRecord::Vincente},
            {"LatoVincente", 1, &MatchRecord::LatoVincente},
            {"Perdente", 6, &MatchRecord::Perdente},
            {"LatoPerdente", 1, &MatchRecord::LatoPerdente},
            {"OrigineCasa", 30, &MatchRecord::OrigineCasa},
            {"OrigineOspite", 30, &MatchRecord::OrigineOspite},
            {"Riserva", 46, &MatchRecord::Riserva},
        }},
    };
};

struct DeductionRecord {
    QString Tipo, Squadra, Punti, Data, Motivo, Riserva;
    static constexpr RecordLayout<DeductionRecord, 6> Layout{
        "calendar deduction",
        TextEncoding::ZeroTerminated,
        {{
            {"Tipo", 3, &DeductionRecord::Tipo},
            {"Squadra", 5, &DeductionRecord::Squadra},
            {"Punti", 4, &DeductionRecord::Punti},
            {"Data", 8, &DeductionRecord::Data},
            {"Motivo", 200, &DeductionRecord::Motivo},
            {"Riserva", 30, &DeductionRecord::Riserva},
        }},
    };
};

struct DrawRecord {
    QString Tipo, Girone, Squadra, Ordine, TestaDiSerie, Riserva;
    static constexpr RecordLayout<DrawRecord, 6> Layout{
        "calendar draw",
        TextEncoding::ZeroTerminated,
        {{
            {"Tipo", 3, &DrawRecord::Tipo},
            {"Girone", 10, &DrawRecord::Girone},
            {"Squadra", 5, &DrawRecord::Squadra},
            {"Ordine", 3, &DrawRecord::Ordine},
            {"TestaDiSerie", 1, &DrawRecord::TestaDiSerie},
            {"Riserva", 228, &DrawRecord::Riserva},
        }},
    };
};

static_assert(HeaderRecord::Layout.size() == RecordSize);
static_assert(RulesRecord::Layout.size() == RecordSize);
static_assert(MatchRecord::Layout.size() == RecordSize);
static_assert(DeductionRecord::Layout.size() == RecordSize);
static_assert(DrawRecord::Layout.size() == RecordSize);
static_assert(MatchRecord::Layout.offsetOf("Casa") == 89);
static_assert(MatchRecord::Layout.offsetOf("Stato") == 109);
static_assert(MatchRecord::Layout.offsetOf("OrigineOspite") == 178);

// The kind of a record: its first three bytes; empty for a free place.
QByteArray kindOf(QByteArrayView record);
bool isFree(QByteArrayView record);
// Three capital letters: a kind this program or a later one writes.
bool isKind(QByteArrayView kind);

// Each throws BadRecord for a record of its kind whose fields do not read.
struct BadRecord {
    QString field;
};

QByteArray encodeHeader(int lastNumber);
int decodeHeader(QByteArrayView record);  // the last match number
QByteArray encode(const Rules& rules);
Rules decodeRules(QByteArrayView record);
QByteArray encode(const Match& match);
Match decodeMatch(QByteArrayView record);
QByteArray encode(const Deduction& deduction);
Deduction decodeDeduction(QByteArrayView record);
QByteArray encode(const GroupSlot& slot);
GroupSlot decodeDrawSlot(QByteArrayView record);

}  // namespace matches::records

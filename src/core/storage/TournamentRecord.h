#pragma once

#include "storage/RecordLayout.h"
#include "storage/YesNo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One team's entry in a tournament file (*.vai). Texts are kept as typed.
struct TournamentRecord {
    QString Concorrente;   // team name
    QString Responsabile;  // contact person
    QString Telefono;
    QString Email;
    QString Gare;          // matches played, lines joined by CR LF
    QString Punteggio;     // total points, "12,50"
    QString Note;
    QString Completato;    // "Sì" / "No"

    static constexpr int Size = 5865;

    static constexpr RecordLayout<TournamentRecord, 8> Layout{
        "tournament",
        TextEncoding::ZeroTerminated,
        {{
            {"Concorrente", 120, &TournamentRecord::Concorrente},
            {"Responsabile", 120, &TournamentRecord::Responsabile},
            {"Telefono", 50, &TournamentRecord::Telefono},
            {"Email", 50, &TournamentRecord::Email},
            {"Gare", 5000, &TournamentRecord::Gare},
            {"Punteggio", 15, &TournamentRecord::Punteggio},
            {"Note", 500, &TournamentRecord::Note},
            {"Completato", 2, &TournamentRecord::Completato},
        }},
    };

    // Throws ArchiveError unless `bytes` is exactly Size long.
    static TournamentRecord fromBytes(QByteArrayView bytes);
    QByteArray toBytes() const;

    YesNo completato() const { return yesNoFromText(Completato); }
    void setCompletato(bool yes) { Completato = yesNoText(yes); }
};

static_assert(TournamentRecord::Layout.size() == TournamentRecord::Size);
static_assert(TournamentRecord::Layout.offsetOf("Responsabile") == 121);
static_assert(TournamentRecord::Layout.offsetOf("Gare") == 344);
static_assert(TournamentRecord::Layout.offsetOf("Punteggio") == 5345);
static_assert(TournamentRecord::Layout.offsetOf("Note") == 5361);
static_assert(TournamentRecord::Layout.offsetOf("Completato") == 5862);

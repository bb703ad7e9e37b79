#pragma once

#include "storage/RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One player of the player archive (Archivio_Giocatori.pro). Texts are trimmed when stored and
// read. The photo lives apart, in a file named after the record's position.
struct PlayerRecord {
    QString Giocatore;  // surname and name
    QString Sesso;
    QString DataNasc;
    QString Cittadinanza;
    QString LuogoNasc;
    QString Indirizzo;
    QString Citta;
    QString Cap;
    QString Nazione;
    QString CodFisc;
    QString Squadra;
    QString Maglia;
    QString Ruolo;
    QString Altezza;
    QString Peso;
    QString Piede;
    QString Email;
    QString Tel;
    QString Cel;
    QString Tessera;
    QString ScadTessera;      // dd/mm/yyyy
    QString ScadCertificato;  // dd/mm/yyyy
    QString Presenze;
    QString Reti;
    QString Riconoscimenti;
    QString Ammonizioni;
    QString Espulsioni;
    QString Infortuni;
    QString Note;
    QString File01;  // attachment file names, bare (no folder)
    QString File02;
    QString File03;
    QString Desc01;
    QString Desc02;
    QString Desc03;

    static constexpr int Size = 3096;

    static constexpr RecordLayout<PlayerRecord, 35> Layout{
        "player",
        TextEncoding::LengthPrefixed,
        {{
            {"Giocatore", 50, &PlayerRecord::Giocatore},
            {"Sesso", 1, &PlayerRecord::Sesso},
            {"DataNasc", 10, &PlayerRecord::DataNasc},
            {"Cittadinanza", 50, &PlayerRecord::Cittadinanza},
            {"LuogoNasc", 50, &PlayerRecord::LuogoNasc},
            {"Indirizzo", 120, &PlayerRecord::Indirizzo},
            {"Citta", 50, &PlayerRecord::Citta},
            {"Cap", 10, &PlayerRecord::Cap},
            {"Nazione", 50, &PlayerRecord::Nazione},
            {"CodFisc", 16, &PlayerRecord::CodFisc},
            {"Squadra", 50, &PlayerRecord::Squadra},
            {"Maglia", 10, &PlayerRecord::Maglia},
            {"Ruolo", 50, &PlayerRecord::Ruolo},
            {"Altezza", 30, &PlayerRecord::Altezza},
            {"Peso", 30, &PlayerRecord::Peso},
            {"Piede", 30, &PlayerRecord::Piede},
            {"Email", 50, &PlayerRecord::Email},
            {"Tel", 30, &PlayerRecord::Tel},
            {"Cel", 30, &PlayerRecord::Cel},
            {"Tessera", 50, &PlayerRecord::Tessera},
            {"ScadTessera", 10, &PlayerRecord::ScadTessera},
            {"ScadCertificato", 10, &PlayerRecord::ScadCertificato},
            {"Presenze", 6, &PlayerRecord::Presenze},
            {"Reti", 6, &PlayerRecord::Reti},
            {"Riconoscimenti", 250, &PlayerRecord::Riconoscimenti},
            {"Ammonizioni", 6, &PlayerRecord::Ammonizioni},
            {"Espulsioni", 6, &PlayerRecord::Espulsioni},
            {"Infortuni", 250, &PlayerRecord::Infortuni},
            {"Note", 250, &PlayerRecord::Note},
            {"File01", 250, &PlayerRecord::File01},
            {"File02", 250, &PlayerRecord::File02},
            {"File03", 250, &PlayerRecord::File03},
            {"Desc01", 250, &PlayerRecord::Desc01},
            {"Desc02", 250, &PlayerRecord::Desc02},
            {"Desc03", 250, &PlayerRecord::Desc03},
        }},
    };

    // Throws ArchiveError unless `bytes` is exactly Size long.
    static PlayerRecord fromBytes(QByteArrayView bytes);
    QByteArray toBytes() const;
};

static_assert(PlayerRecord::Layout.size() == PlayerRecord::Size);
static_assert(PlayerRecord::Layout.offsetOf("Sesso") == 51);
static_assert(PlayerRecord::Layout.offsetOf("Citta") == 287);
static_assert(PlayerRecord::Layout.offsetOf("CodFisc") == 400);
static_assert(PlayerRecord::Layout.offsetOf("ScadTessera") == 787);
static_assert(PlayerRecord::Layout.offsetOf("Riconoscimenti") == 823);
static_assert(PlayerRecord::Layout.offsetOf("Espulsioni") == 1081);
static_assert(PlayerRecord::Layout.offsetOf("File01") == 1590);
static_assert(PlayerRecord::Layout.offsetOf("Desc03") == 2845);

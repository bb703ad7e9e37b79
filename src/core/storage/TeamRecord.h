#pragma once

#include "storage/RecordLayout.h"
#include "storage/YesNo.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One team of the team archive (Archivio_Squadre.pro). Texts are trimmed when stored and read.
struct TeamRecord {
    QString Squadra;
    QString Colori;
    QString Sede;
    QString Campo;
    QString Presidente;
    QString Allenatore;
    QString Capitano;
    QString Capocannoniere;
    QString Portieri;
    QString Difensori;
    QString Centrocampisti;
    QString Attaccanti;
    QString Fondazione;
    QString Fondatore;
    QString Responsabile;
    QString Telefono;
    QString Email;
    QString Palmares;
    QString Note;
    QString Selezionata;  // "Sì" / "No"
    QString File01;       // attachment file names, bare (no folder)
    QString File02;
    QString File03;
    QString Desc01;
    QString Desc02;
    QString Desc03;

    static constexpr int Size = 4148;

    static constexpr RecordLayout<TeamRecord, 26> Layout{
        "team",
        TextEncoding::LengthPrefixed,
        {{
            {"Squadra", 50, &TeamRecord::Squadra},
            {"Colori", 50, &TeamRecord::Colori},
            {"Sede", 120, &TeamRecord::Sede},
            {"Campo", 50, &TeamRecord::Campo},
            {"Presidente", 120, &TeamRecord::Presidente},
            {"Allenatore", 120, &TeamRecord::Allenatore},
            {"Capitano", 120, &TeamRecord::Capitano},
            {"Capocannoniere", 120, &TeamRecord::Capocannoniere},
            {"Portieri", 250, &TeamRecord::Portieri},
            {"Difensori", 250, &TeamRecord::Difensori},
            {"Centrocampisti", 250, &TeamRecord::Centrocampisti},
            {"Attaccanti", 250, &TeamRecord::Attaccanti},
            {"Fondazione", 30, &TeamRecord::Fondazione},
            {"Fondatore", 120, &TeamRecord::Fondatore},
            {"Responsabile", 120, &TeamRecord::Responsabile},
            {"Telefono", 50, &TeamRecord::Telefono},
            {"Email", 50, &TeamRecord::Email},
            {"Palmares", 250, &TeamRecord::Palmares},
            {"Note", 250, &TeamRecord::Note},
            {"Selezionata", 2, &TeamRecord::Selezionata},
            {"File01", 250, &TeamRecord::File01},
            {"File02", 250, &TeamRecord::File02},
            {"File03", 250, &TeamRecord::File03},
            {"Desc01", 250, &TeamRecord::Desc01},
            {"Desc02", 250, &TeamRecord::Desc02},
            {"Desc03", 250, &TeamRecord::Desc03},
        }},
    };

    // Throws ArchiveError unless `bytes` is exactly Size long.
    static TeamRecord fromBytes(QByteArrayView bytes);
    QByteArray toBytes() const;

    YesNo selezionata() const { return yesNoFromText(Selezionata); }
    void setSelezionata(bool yes) { Selezionata = yesNoText(yes); }
};

static_assert(TeamRecord::Layout.size() == TeamRecord::Size);
static_assert(TeamRecord::Layout.offsetOf("Campo") == 223);
static_assert(TeamRecord::Layout.offsetOf("Portieri") == 758);
static_assert(TeamRecord::Layout.offsetOf("Fondazione") == 1762);
static_assert(TeamRecord::Layout.offsetOf("Responsabile") == 1914);
static_assert(TeamRecord::Layout.offsetOf("Selezionata") == 2639);
static_assert(TeamRecord::Layout.offsetOf("File01") == 2642);
static_assert(TeamRecord::Layout.offsetOf("Desc03") == 3897);

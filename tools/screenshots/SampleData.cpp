#include "SampleData.h"

#include "app/ProgramFolder.h"
#include "players/PhotoStore.h"
#include "storage/PlayerRecord.h"
#include "storage/RecordFile.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>

namespace sampleData {
namespace {

template <typename Record>
void append(const QString& path, const QList<Record>& records)
{
    RecordFile file(path, Record::Size);
    for (const Record& record : records)
        file.append(record.toBytes());
    file.close();
}

TournamentRecord entry(const QString& team, const QString& contact, const QString& phone, const QString& points,
                       const QString& matches, bool completed)
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Responsabile = contact;
    record.Telefono = phone;
    record.Email = team.toLower().remove(QLatin1Char(' ')) + QStringLiteral("@esempio.it");
    record.Gare = matches;
    record.Punteggio = points;
    record.Note = completed ? QString() : QStringLiteral("Recupero da fissare");
    record.Completato = completed ? QStringLiteral("S\u00EC") : QStringLiteral("No");
    return record;
}

TeamRecord team(const QString& name, const QString& colours, const QString& seat, bool selected)
{
    TeamRecord record;
    record.Squadra = name;
    record.Colori = colours;
    record.Sede = seat;
    record.Campo = QStringLiteral("Comunale di ") + seat;
    record.Presidente = QStringLiteral("Luigi Ferri");
    record.Allenatore = QStringLiteral("Paolo Greco");
    record.Capitano = QStringLiteral("Andrea Conti");
    record.Capocannoniere = QStringLiteral("Marco Rossi");
    record.Portieri = QStringLiteral("Bruno, Sala");
    record.Difensori = QStringLiteral("Testa, Villa, Gatti, Leone");
    record.Centrocampisti = QStringLiteral("Costa, Fontana, Riva");
    record.Attaccanti = QStringLiteral("Rossi, Marino, Serra");
    record.Fondazione = QStringLiteral("12/09/1998");
    record.Fondatore = QStringLiteral("Giovanni Ferri");
    record.Responsabile = QStringLiteral("Mario Bianchi");
    record.Telefono = QStringLiteral("333 1234567");
    record.Email = QStringLiteral("segreteria@esempio.it");
    record.Palmares = QStringLiteral("Coppa Primavera 2024");
    record.Note = QStringLiteral("Allenamenti il marted\u00EC e il gioved\u00EC");
    record.Selezionata = selected ? QStringLiteral("S\u00EC") : QStringLiteral("No");
    return record;
}

PlayerRecord player(const QString& name, const QString& born, const QString& role, const QString& card,
                    const QString& certificate)
{
    PlayerRecord record;
    record.Giocatore = name;
    record.Sesso = QStringLiteral("M");
    record.DataNasc = born;
    record.Cittadinanza = QStringLiteral("Italiana");
    record.LuogoNasc = QStringLiteral("Bergamo");
    record.Indirizzo = QStringLiteral("Via Roma 12");
    record.Citta = QStringLiteral("Bergamo");
    record.Cap = QStringLiteral("24121");
    record.Nazione = QStringLiteral("Italia");
    record.Squadra = QStringLiteral("Aquile Rosse");
    record.Maglia = QStringLiteral("9");
    record.Ruolo = role;
    record.Altezza = QStringLiteral("1,78");
    record.Peso = QStringLiteral("72");
    record.Piede = QStringLiteral("Destro");
    record.Cel = QStringLiteral("347 7654321");
    record.Tessera = QStringLiteral("T-2026-0412");
    record.ScadTessera = card;
    record.ScadCertificato = certificate;
    record.Presenze = QStringLiteral("18");
    record.Reti = QStringLiteral("11");
    record.Ammonizioni = QStringLiteral("2");
    record.Espulsioni = QStringLiteral("0");
    return record;
}

// A drawn portrait in the team's colours: the photo of the first player.
QImage portrait()
{
    QImage image(300, 400, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 400);
    sky.setColorAt(0, QColor(0x9C, 0xC8, 0xEE));
    sky.setColorAt(1, QColor(0x2E, 0x8B, 0x57));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC0, 0x1F, 0x2F));
    painter.drawRoundedRect(QRectF(40, 260, 220, 200), 90, 90);
    painter.setBrush(QColor(0xF1, 0xC2, 0x9B));
    painter.drawEllipse(QRectF(95, 110, 110, 135));
    painter.setBrush(QColor(0x4A, 0x2E, 0x1C));
    painter.drawChord(QRectF(92, 100, 116, 90), 0, 180 * 16);
    return image;
}

}  // namespace

QString tournamentPath() { return programFolder::file(tournamentName + QStringLiteral(".vai")); }

QString playerSheetPath() { return programFolder::file(QStringLiteral("Rosa giovanili.csv")); }

void write()
{
    QFile sheet(playerSheetPath());
    if (sheet.open(QIODevice::WriteOnly))
        sheet.write(QStringLiteral("Cognome;Nome;Sesso;Squadra;Scadenza certificato;Ruolo\r\n"
                                   "Ferri;Andrea;M;Aquile Rosse;30/09/2027;Centrocampista\r\n"
                                   "Gatti;Paolo;M;Leoni Blu;15/11/2027;Difensore\r\n"
                                   "Longo;Simone;;Falchi;31/02/2027;Attaccante\r\n"
                                   "Marini;Luca;M;Falchi;10/03/2027;Portiere\r\n")
                        .toUtf8());

    const QString played = QStringLiteral("05/10/2026 Aquile Rosse - Leoni Blu 2-1\r\n12/10/2026 Aquile Rosse - Falchi 1-1");
    append(tournamentPath(),
           QList<TournamentRecord>{
               entry(QStringLiteral("Aquile Rosse"), QStringLiteral("Mario Bianchi"), QStringLiteral("333 1234567"),
                     QStringLiteral("15,00"), played, true),
               entry(QStringLiteral("Leoni Blu"), QStringLiteral("Sara Colombo"), QStringLiteral("340 2223344"),
                     QStringLiteral("12,00"), QString(), true),
               entry(QStringLiteral("Falchi"), QStringLiteral("Davide Ricci"), QStringLiteral("328 5556677"),
                     QStringLiteral("10,50"), QString(), false),
               entry(QStringLiteral("Tigri del Borgo"), QStringLiteral("Elena Moretti"), QStringLiteral("339 8889900"),
                     QStringLiteral("7,00"), QString(), false),
               entry(QStringLiteral("Stella Azzurra"), QStringLiteral("Franco Galli"), QStringLiteral("331 4445566"),
                     QStringLiteral("4,00"), QString(), true),
           });

    TeamRecord first = team(QStringLiteral("Aquile Rosse"), QStringLiteral("Rosso e bianco"), QStringLiteral("Bergamo"), true);
    first.File01 = QStringLiteral("Regolamento torneo.pdf");
    first.Desc01 = QStringLiteral("Regolamento della Coppa Primavera");
    first.File02 = QStringLiteral("Iscrizione.pdf");
    first.Desc02 = QStringLiteral("Modulo di iscrizione firmato");
    append(programFolder::file(programFolder::teamArchiveName),
           QList<TeamRecord>{first,
                             team(QStringLiteral("Leoni Blu"), QStringLiteral("Blu"), QStringLiteral("Brescia"), true),
                             team(QStringLiteral("Falchi"), QStringLiteral("Verde e nero"), QStringLiteral("Lecco"), false),
                             team(QStringLiteral("Tigri del Borgo"), QStringLiteral("Arancione"), QStringLiteral("Como"), true),
                             team(QStringLiteral("Stella Azzurra"), QStringLiteral("Azzurro"), QStringLiteral("Monza"), false)});

    PlayerRecord scorer = player(QStringLiteral("Rossi Marco"), QStringLiteral("14/03/2001"), QStringLiteral("Attaccante"),
                                 QStringLiteral("30/06/2027"), QStringLiteral("15/01/2027"));
    scorer.CodFisc = QStringLiteral("RSSMRC01C14A794X");
    scorer.Email = QStringLiteral("marco.rossi@esempio.it");
    scorer.Riconoscimenti = QStringLiteral("Capocannoniere 2025");
    append(programFolder::file(programFolder::playerArchiveName),
           QList<PlayerRecord>{
               scorer,
               player(QStringLiteral("Bruno Luca"), QStringLiteral("02/07/1999"), QStringLiteral("Portiere"),
                      QStringLiteral("30/11/2026"), QStringLiteral("20/05/2027")),
               player(QStringLiteral("Testa Giorgio"), QStringLiteral("21/01/2003"), QStringLiteral("Difensore"),
                      QStringLiteral("15/10/2026"), QStringLiteral("01/12/2026")),
               player(QStringLiteral("Costa Matteo"), QStringLiteral("09/09/2000"), QStringLiteral("Centrocampista"),
                      QStringLiteral("31/08/2026"), QStringLiteral("31/03/2027")),
           });
    photoStore::store(1, portrait());
}

}  // namespace sampleData

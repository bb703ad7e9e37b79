#include "PlayerArchive.h"

#include "app/ProgramFolder.h"
#include "storage/PlayerRecord.h"

#include <QDate>
#include <QDir>
#include <QSaveFile>
#include <QStringList>

#include <random>

namespace benchPlayers {
namespace {

QString pick(const QStringList& words, std::mt19937& random) { return words.at(int(random() % words.size())); }

QString date(std::mt19937& random)
{
    // One in fifty is not a date the lists can read.
    if (random() % 50 == 0)
        return random() % 2 ? QString() : QStringLiteral("31/02/2026");
    return QDate(2025, 6, 1).addDays(int(random() % 730)).toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace

QString writeArchive(const QString& folder, int players, unsigned seed)
{
    static const QStringList surnames = {
        QStringLiteral("Rossi"), QStringLiteral("Bianchi"), QStringLiteral("Esposito"), QStringLiteral("Romano"),
        QStringLiteral("Colombo"), QStringLiteral("Ricci"), QStringLiteral("Marino"), QStringLiteral("Greco"),
        QStringLiteral("Bruno"), QStringLiteral("Gallo"), QStringLiteral("Conti"), QStringLiteral("De Luca")};
    static const QStringList names = {
        QStringLiteral("Mario"), QStringLiteral("Luca"), QStringLiteral("Giulia"), QStringLiteral("Marco"),
        QStringLiteral("Anna"), QStringLiteral("Paolo"), QStringLiteral("Sara"), QStringLiteral("Nicol\u00F2")};
    static const QStringList towns = {QStringLiteral("Roma"), QStringLiteral("Milano"), QStringLiteral("Napoli"),
                                      QStringLiteral("Torino"), QStringLiteral("Bari"), QStringLiteral("Citt\u00E0 di Castello")};
    static const QStringList roles = {QStringLiteral("Portiere"), QStringLiteral("Difensore"),
                                      QStringLiteral("Centrocampista"), QStringLiteral("Attaccante")};
    static const QStringList feet = {QStringLiteral("Destro"), QStringLiteral("Sinistro"), QStringLiteral("Ambidestro")};

    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(programFolder::playerArchiveName);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    std::mt19937 random(seed);
    PlayerRecord player;
    for (int i = 0; i < players; ++i) {
        const QString town = pick(towns, random);
        player.Giocatore = pick(surnames, random) + QLatin1Char(' ') + pick(names, random) + QLatin1Char(' ') + QString::number(i);
        player.Sesso = random() % 5 ? QStringLiteral("M") : QStringLiteral("F");
        player.DataNasc = QDate(1975, 1, 1).addDays(int(random() % 12000)).toString(QStringLiteral("dd/MM/yyyy"));
        player.Cittadinanza = random() % 8 ? QStringLiteral("Italiana") : QStringLiteral("Albanese");
        player.LuogoNasc = pick(towns, random);
        player.Indirizzo = QStringLiteral("Via Giuseppe Garibaldi %1, scala %2").arg(random() % 300).arg(QChar(u'A' + int(random() % 4)));
        player.Citta = town;
        player.Cap = QString::number(10000 + random() % 89999);
        player.Nazione = QStringLiteral("Italia");
        player.CodFisc = QStringLiteral("RSSMRA%1C05H501X").arg(random() % 100, 2, 10, QLatin1Char('0'));
        player.Squadra = QStringLiteral("Polisportiva %1 %2").arg(town).arg(random() % 40);
        player.Maglia = QString::number(1 + random() % 30);
        player.Ruolo = pick(roles, random);
        player.Altezza = QStringLiteral("%1 cm").arg(160 + random() % 40);
        player.Peso = QStringLiteral("%1 kg").arg(55 + random() % 40);
        player.Piede = pick(feet, random);
        player.Email = QStringLiteral("giocatore%1@esempio.it").arg(i);
        player.Tel = QStringLiteral("06 %1").arg(random() % 10000000);
        player.Cel = QStringLiteral("333 %1").arg(random() % 10000000);
        player.Tessera = QStringLiteral("T-%1").arg(i, 6, 10, QLatin1Char('0'));
        player.ScadTessera = date(random);
        player.ScadCertificato = date(random);
        player.Presenze = QString::number(random() % 200);
        player.Reti = QString::number(random() % 60);
        player.Ammonizioni = QString::number(random() % 20);
        player.Espulsioni = QString::number(random() % 4);
        player.Riconoscimenti = random() % 10 ? QString() : QStringLiteral("Miglior giocatore del torneo estivo");
        player.Infortuni = random() % 4 ? QString() : QStringLiteral("Distorsione alla caviglia, %1 settimane di riposo").arg(1 + random() % 8);
        player.Note = QStringLiteral("Note sul giocatore %1: ").arg(i) + QString(int(random() % 200), QLatin1Char('n'));
        player.File01 = random() % 3 ? QString() : QStringLiteral("certificato_%1.pdf").arg(i);
        player.Desc01 = player.File01.isEmpty() ? QString() : QStringLiteral("Certificato medico");
        file.write(player.toBytes());
    }
    if (!file.commit())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

}  // namespace benchPlayers

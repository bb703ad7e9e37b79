// The player lists without a window: the two row layouts, the expiry rule, the expiry lists read
// from an archive, with records whose date cannot be read in the middle, the marks, counts and
// the line about records left out that the screens show, and the launcher's deadlines.
#include "players/Deadlines.h"
#include "players/Expiry.h"
#include "players/ExpiryList.h"
#include "players/ExpiryRows.h"
#include "players/PlayerRows.h"
#include "storage/ArchiveError.h"
#include "storage/PlayerRecord.h"
#include "ArchiveFiles.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <climits>

using namespace Qt::StringLiterals;
using expiry::Status;

namespace {

PlayerRecord player(const QString& name, const QString& card, const QString& certificate = u"01/01/2099"_s)
{
    PlayerRecord record;
    record.Giocatore = name;
    record.Squadra = u"Aquile"_s;
    record.Cel = u"333 1234567"_s;
    record.Tessera = u"T-"_s + name;
    record.ScadTessera = card;
    record.ScadCertificato = certificate;
    record.Reti = u"3"_s;
    record.Note = u"non in riga"_s;
    return record;
}

QString pad(const QString& text, int width) { return text.leftJustified(width, u' ', true); }

}  // namespace

class TestPlayerLists : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data()
    {
        QTest::addColumn<QString>("giocatore");
        QTest::addColumn<QString>("squadra");
        QTest::addColumn<QString>("cel");
        QTest::addColumn<QString>("tessera");
        QTest::addColumn<QString>("reti");
        QTest::addColumn<QString>("cardRow");
        QTest::addColumn<QString>("certificateRow");
        QTest::newRow("padded, goals as they are")
            << "Rossi Mario" << "Aquile" << "333 12" << "T-1" << "12"
            << "Rossi Mario                   Squadra: Aquile                      Cel. 333 12        "
               "  Tessera n. T-1                       Scad. 05/03/2024  Reti: 12"
            << "Rossi Mario               "
               "  Squadra: Aquile                      Cel. 333 12        "
               "  Tessera n. T-1                   Scad. cert. 01/04/2024  Reti: 12";
        // The name is cut at 28 in the card row and at 26 in the certificate row, the card at 24 and 20.
        QTest::newRow("each column cut at its width")
            << QString(30, u'G') << QString(30, u'S') << QString(20, u'7') << QString(30, u'T') << "1234"
            << QString(28, u'G') + u"  Squadra: "_s + QString(26, u'S') + u"  Cel. "_s + QString(14, u'7')
                   + u"  Tessera n. "_s + QString(24, u'T') + u"  Scad. 05/03/2024  Reti: 1234"_s
            << QString(26, u'G') + u"  Squadra: "_s + QString(26, u'S') + u"  Cel. "_s + QString(14, u'7')
                   + u"  Tessera n. "_s + QString(20, u'T') + u"  Scad. cert. 01/04/2024  Reti: 1234"_s;
        QTest::newRow("blanks around the fields go, inside they stay")
            << "  De Luca  Paolo " << "" << " 06 55 " << "" << " 0 "
            << pad(u"De Luca  Paolo"_s, 28) + u"  Squadra: "_s + pad({}, 26) + u"  Cel. 06 55"_s + pad({}, 9)
                   + u"  Tessera n. "_s + pad({}, 24) + u"  Scad. 05/03/2024  Reti: 0"_s
            << pad(u"De Luca  Paolo"_s, 26) + u"  Squadra: "_s + pad({}, 26) + u"  Cel. 06 55"_s + pad({}, 9)
                   + u"  Tessera n. "_s + pad({}, 20) + u"  Scad. cert. 01/04/2024  Reti: 0"_s;
    }

    void rows()
    {
        QFETCH(QString, giocatore);
        QFETCH(QString, squadra);
        QFETCH(QString, cel);
        QFETCH(QString, tessera);
        QFETCH(QString, reti);
        QFETCH(QString, cardRow);
        QFETCH(QString, certificateRow);
        PlayerRecord record;
        record.Giocatore = giocatore;
        record.Squadra = squadra;
        record.Cel = cel;
        record.Tessera = tessera;
        record.ScadTessera = u"05/03/2024"_s;
        record.ScadCertificato = u"01/04/2024"_s;
        record.Reti = reti;
        record.Tel = u"06 1111"_s;  // fields the rows do not show stay out
        const QByteArray bytes = record.toBytes();
        QCOMPARE(playerRows::cardRow(QByteArrayView(bytes)), cardRow);
        QCOMPARE(playerRows::certificateRow(QByteArrayView(bytes)), certificateRow);
    }

    // A record of the wrong size is an archive failure, never a read past its end.
    void shortRecordIsRefused()
    {
        const QByteArray bytes = PlayerRecord().toBytes().left(800);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, playerRows::cardRow(QByteArrayView(bytes)));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, playerRows::certificateRow(QByteArrayView(bytes)));
    }

    void status_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("horizon");
        QTest::addColumn<Status>("status");
        const QDate today(2024, 3, 5);
        QTest::newRow("yesterday") << "04/03/2024" << today << 0 << Status::Expired;
        QTest::newRow("last year") << "05/03/2023" << today << 0 << Status::Expired;
        QTest::newRow("today is not expired") << "05/03/2024" << today << 0 << Status::Fine;
        QTest::newRow("tomorrow") << "06/03/2024" << today << 0 << Status::Fine;
        QTest::newRow("today, horizon 1") << "05/03/2024" << today << 1 << Status::Expiring;
        QTest::newRow("tomorrow, horizon 1") << "06/03/2024" << today << 1 << Status::Expiring;
        QTest::newRow("in two days, horizon 1") << "07/03/2024" << today << 1 << Status::Fine;
        QTest::newRow("yesterday, horizon 30") << "04/03/2024" << today << 30 << Status::Expired;
        QTest::newRow("across the year, horizon 30") << "03/01/2025" << QDate(2024, 12, 20) << 30 << Status::Expiring;
        QTest::newRow("leap day, the day after") << "29/02/2024" << QDate(2024, 3, 1) << 0 << Status::Expired;
        QTest::newRow("leap day, that day") << "29/02/2024" << QDate(2024, 2, 29) << 0 << Status::Fine;
        QTest::newRow("leap day, the day before, horizon 1") << "29/02/2024" << QDate(2024, 2, 28) << 1 << Status::Expiring;
        QTest::newRow("no horizon is too large") << "31/12/9999" << today << INT_MAX << Status::Expiring;
        QTest::newRow("29 February of a common year") << "29/02/2023" << today << 0 << Status::Unreadable;
        QTest::newRow("31 February") << "31/02/2024" << today << 0 << Status::Unreadable;
        QTest::newRow("month 13") << "01/13/2023" << today << 0 << Status::Unreadable;
        QTest::newRow("empty") << "" << today << 0 << Status::Unreadable;
        QTest::newRow("dashes") << "04-03-2024" << today << 0 << Status::Unreadable;
        QTest::newRow("dots") << "04.03.2024" << today << 0 << Status::Unreadable;
        QTest::newRow("words") << "marzo 2024" << today << 30 << Status::Unreadable;
        QTest::newRow("two-digit year") << "04/03/24" << today << 0 << Status::Unreadable;
    }

    void status()
    {
        QFETCH(QString, date);
        QFETCH(QDate, today);
        QFETCH(int, horizon);
        QFETCH(Status, status);
        QCOMPARE(expiry::status(date, today, horizon), status);
    }

    // The decided rule: a date that cannot be read skips its record and nothing else.
    void unreadableDatesAreSkipped_data()
    {
        QTest::addColumn<int>("horizon");
        QTest::addColumn<QList<qint64>>("positions");  // of the rows, the oldest date first
        QTest::addColumn<QString>("countLine");
        QTest::newRow("expired only") << 0 << QList<qint64>{3, 6, 1}
                                      << u"Il presente riepilogo contiene 3 schede: 3 tessere scadute."_s;
        QTest::newRow("and expiring within 3 days")
            << 3 << QList<qint64>{3, 6, 1, 5}
            << u"Il presente riepilogo contiene 4 schede: 3 tessere scadute, 1 in scadenza entro 3 giorni."_s;
    }

    void unreadableDatesAreSkipped()
    {
        QFETCH(int, horizon);
        QFETCH(QList<qint64>, positions);
        QFETCH(QString, countLine);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Archivio_Giocatori.pro"_s);
        QVERIFY(archiveFiles::write(path, {player(u"Verdi"_s, u"04/03/2024"_s).toBytes(),
                                           player(u"Bianchi"_s, u"31/02/2024"_s).toBytes(),
                                           player(u"Rossi"_s, u"01/01/2020"_s).toBytes(),
                                           player(u"Gialli"_s, {}).toBytes(),
                                           player(u"Blu"_s, u"07/03/2024"_s).toBytes(),
                                           player(u"Azzurri"_s, u"05/03/2023"_s).toBytes(),
                                           player(u"Viola"_s, u"05.03.2023"_s).toBytes()}));

        // The command line's order: by date.
        const auto rows = ExpiryRows::read(path, expiryList::Kind::Cards, QDate(2024, 3, 5), horizon);
        QVERIFY(rows->error().isEmpty());
        const std::vector<qsizetype> byDate = rows->byDate();
        QList<qint64> dated;
        for (const qsizetype row : byDate)
            dated << rows->position(row);
        QCOMPARE(dated, positions);
        QCOMPARE(rows->text(byDate.at(2)), playerRows::cardRow(player(u"Verdi"_s, u"04/03/2024"_s).toBytes()));

        // The screens list the same players, by their rows, and say how many were left out.
        QList<qint64> listed;
        for (qsizetype i = 0; i < rows->count(); ++i) {
            listed << rows->position(i);
            if (i > 0)
                QVERIFY(!listRows::orderLess(rows->text(i), rows->text(i - 1)));
        }
        std::sort(listed.begin(), listed.end());
        std::sort(positions.begin(), positions.end());
        QCOMPARE(listed, positions);
        QCOMPARE(rows->countLine(), countLine);
        QCOMPARE(rows->unreadable(), 3);
        QCOMPARE(rows->unreadableLine(),
                 u"3 schede non sono elencate perch\u00E9 la data di scadenza non \u00E8 leggibile; "
                 "la prima \u00E8 la scheda n. 2 (Bianchi)."_s);
    }

    // Each row says what it is, in a word and a tone: expired, or expiring within the horizon.
    // The table shows the word first, then the row's own columns.
    void marksAndCounts_data()
    {
        QTest::addColumn<expiryList::Kind>("kind");
        QTest::addColumn<QStringList>("words");  // by name
        QTest::addColumn<QString>("countLine");
        QTest::addColumn<QString>("unreadableLine");
        QTest::newRow("cards") << expiryList::Kind::Cards
                               << QStringList{u"Anna: Scaduta"_s, u"Bruno: In scadenza"_s, u"Carla: Scaduta"_s}
                               << u"Il presente riepilogo contiene 3 schede: 2 tessere scadute, 1 in scadenza entro 30 giorni."_s
                               << QString();
        QTest::newRow("certificates, one left out")
            << expiryList::Kind::Certificates << QStringList{u"Anna: In scadenza"_s, u"Bruno: Scaduto"_s}
            << u"Il presente riepilogo contiene 2 schede: 1 certificato scaduto, 1 in scadenza entro 30 giorni."_s
            << u"1 scheda non \u00E8 elencata perch\u00E9 la data di scadenza non \u00E8 leggibile: scheda n. 3 (Carla)."_s;
    }

    void marksAndCounts()
    {
        QFETCH(expiryList::Kind, kind);
        QFETCH(QStringList, words);
        QFETCH(QString, countLine);
        QFETCH(QString, unreadableLine);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Archivio_Giocatori.pro"_s);
        QVERIFY(archiveFiles::writeRecords(path, QList<PlayerRecord>{player(u"Bruno"_s, u"20/03/2024"_s, u"04/03/2024"_s),
                                                                    player(u"Anna"_s, u"01/01/2024"_s, u"05/03/2024"_s),
                                                                    player(u"Carla"_s, u"04/03/2024"_s, u"30/02/2024"_s),
                                                                    player(u"Dario"_s, u"05/05/2024"_s, u"05/05/2024"_s)}));
        const auto rows = ExpiryRows::read(path, kind, QDate(2024, 3, 5), 30);
        QCOMPARE(rows->columns().size(), expiryList::layout(kind).size() + 1);
        QCOMPARE(rows->columns().front().header, u"Stato"_s);
        QStringList seen;
        for (qsizetype row = 0; row < rows->count(); ++row) {
            const RowMark mark = rows->mark(row);
            QCOMPARE(rows->cell(row, 0), mark.word);
            QCOMPARE(mark.tone, mark.word == u"In scadenza"_s ? RowMark::Tone::Caution : RowMark::Tone::Alert);
            seen << rows->cell(row, 1) + u": "_s + mark.word;
        }
        QCOMPARE(seen, words);
        QCOMPARE(rows->countLine(), countLine);
        QCOMPARE(rows->unreadableLine(), unreadableLine);
    }

    // The launcher's line: both dates of every player in one reading, by the lists' rule; no
    // archive, no deadlines, and no archive made.
    void deadlines()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Archivio_Giocatori.pro"_s);
        const QDate today(2024, 3, 5);
        QCOMPARE(deadlines::count(path, today).cards.total() + deadlines::count(path, today).certificates.total(), 0);
        QVERIFY(!QFile::exists(path));
        QVERIFY(archiveFiles::writeRecords(path, QList<PlayerRecord>{player(u"A"_s, u"04/03/2024"_s, u"03/04/2024"_s),
                                                                    player(u"B"_s, u"01/03/2024"_s, u"05/04/2024"_s),
                                                                    player(u"C"_s, u"05/03/2024"_s, u"31/02/2024"_s),
                                                                    player(u"D"_s, u"06/04/2024"_s, u"01/01/2020"_s)}));
        const deadlines::Counts counts = deadlines::count(path, today);
        QCOMPARE(counts.cards.expired, 2);
        QCOMPARE(counts.cards.expiring, 1);  // today is not expired yet, and within 30 days
        QCOMPARE(counts.certificates.expired, 1);
        QCOMPARE(counts.certificates.expiring, 1);  // 03/04 is within 30 days, 05/04 is not
        QCOMPARE(deadlines::text(expiryList::Kind::Cards, counts.cards), u"Tessere: 2 scadute, 1 in scadenza"_s);
        QCOMPARE(deadlines::text(expiryList::Kind::Certificates, counts.certificates),
                 u"Certificati medici: 1 scaduto, 1 in scadenza"_s);
        QCOMPARE(deadlines::text(expiryList::Kind::Cards, {1, 0}), u"Tessere: 1 scaduta"_s);
        QCOMPARE(deadlines::text(expiryList::Kind::Certificates, {3, 0}), u"Certificati medici: 3 scaduti"_s);
    }

    // Each list tests its own date and shows its own row; a card that has expired does not put the
    // player on the certificate list.
    void eachListTestsItsOwnDate()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Archivio_Giocatori.pro"_s);
        QVERIFY(archiveFiles::writeRecords(path, QList<PlayerRecord>{player(u"Tessera Scaduta"_s, u"01/03/2024"_s, u"01/03/2025"_s),
                                                                    player(u"Certificato Scaduto"_s, u"01/03/2025"_s, u"01/03/2024"_s),
                                                                    player(u"In Regola"_s, u"01/03/2025"_s, u"01/03/2025"_s)}));
        const QDate today(2024, 3, 5);
        const auto cards = ExpiryRows::read(path, expiryList::Kind::Cards, today, 0);
        const auto certificates = ExpiryRows::read(path, expiryList::Kind::Certificates, today, 0);
        QCOMPARE(cards->count(), 1);
        QCOMPARE(cards->position(0), 1);
        QVERIFY(cards->text(0).contains(u"  Scad. 01/03/2024"_s));
        QCOMPARE(certificates->count(), 1);
        QCOMPARE(certificates->position(0), 2);
        QVERIFY(certificates->text(0).contains(u"  Scad. cert. 01/03/2024"_s));
        QCOMPARE(cards->unreadable() + certificates->unreadable(), 0);
    }

    // The command line lists by date, and by row where dates are equal.
    void byDate()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Archivio_Giocatori.pro"_s);
        QVERIFY(archiveFiles::writeRecords(path, QList<PlayerRecord>{player(u"beta"_s, u"03/03/2024"_s),
                                                                    player(u"Alfa"_s, u"03/03/2024"_s),
                                                                    player(u"Zeta"_s, u"01/03/2024"_s),
                                                                    player(u"ALFA"_s, u"06/03/2024"_s)}));
        const auto rows = ExpiryRows::read(path, expiryList::Kind::Cards, QDate(2024, 3, 10), 0);
        QStringList byDate;
        for (const qsizetype row : rows->byDate())
            byDate << rows->text(row).left(4);
        QCOMPARE(byDate, (QStringList{u"Zeta"_s, u"Alfa"_s, u"beta"_s, u"ALFA"_s}));
    }

    void printTitles_data()
    {
        QTest::addColumn<expiryList::Kind>("kind");
        QTest::addColumn<int>("horizon");
        QTest::addColumn<QString>("title");
        QTest::newRow("cards") << expiryList::Kind::Cards << 0 << "Riepilogo tessere scadute";
        QTest::newRow("certificates") << expiryList::Kind::Certificates << 0 << "Riepilogo certificati medici scaduti";
        QTest::newRow("one day ahead") << expiryList::Kind::Cards << 1 << "Riepilogo tessere scadute o in scadenza entro 1 giorno";
        QTest::newRow("30 days ahead") << expiryList::Kind::Certificates << 30
                                       << "Riepilogo certificati medici scaduti o in scadenza entro 30 giorni";
    }

    void printTitles()
    {
        QFETCH(expiryList::Kind, kind);
        QFETCH(int, horizon);
        QFETCH(QString, title);
        QCOMPARE(expiryList::printTitle(kind, horizon), title);
    }

    // A folder that cannot hold the archive: the failure is reported, not thrown.
    void unusableArchive()
    {
        QTemporaryDir folder;
        const auto rows =
            ExpiryRows::read(folder.filePath(u"manca/Archivio_Giocatori.pro"_s), expiryList::Kind::Cards, QDate(2024, 3, 5), 0);
        QVERIFY(!rows->error().isEmpty());
        QCOMPARE(rows->count(), 0);
        QVERIFY(rows->byDate().empty());
    }
};

QTEST_GUILESS_MAIN(TestPlayerLists)
#include "tst_playerlists.moc"

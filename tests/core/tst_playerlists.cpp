// The player lists without a window: the two row layouts, the expiry rule, and the expiry lists
// read from an archive, with records whose date cannot be read in the middle.
#include "players/Expiry.h"
#include "players/ExpiryList.h"
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
        QTest::newRow("expired only") << 0 << QList<qint64>{3, 6, 1};
        QTest::newRow("and expiring within 3 days") << 3 << QList<qint64>{3, 6, 1, 5};
    }

    void unreadableDatesAreSkipped()
    {
        QFETCH(int, horizon);
        QFETCH(QList<qint64>, positions);
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Archivio_Giocatori.pro"_s);
        QVERIFY(archiveFiles::write(path, {player(u"Verdi"_s, u"04/03/2024"_s).toBytes(),
                                           player(u"Bianchi"_s, u"31/02/2024"_s).toBytes(),
                                           player(u"Rossi"_s, u"01/01/2020"_s).toBytes(),
                                           player(u"Gialli"_s, {}).toBytes(),
                                           player(u"Blu"_s, u"07/03/2024"_s).toBytes(),
                                           player(u"Azzurri"_s, u"05/03/2023"_s).toBytes(),
                                           player(u"Viola"_s, u"05.03.2023"_s).toBytes()}));

        const expiryList::Listed found = expiryList::listed(path, expiryList::Kind::Cards, QDate(2024, 3, 5), horizon);
        const PackedRows& rows = *found.rows;
        QVERIFY(rows.error().isEmpty());
        QList<qint64> byDate;
        for (const qsizetype row : found.byDate)
            byDate << rows.position(row);
        QCOMPARE(byDate, positions);
        QCOMPARE(found.unreadable, 3);
        QCOMPARE(rows.text(found.byDate.at(2)), playerRows::cardRow(player(u"Verdi"_s, u"04/03/2024"_s).toBytes()));

        // The screens list the same players, by their rows.
        const auto listed = expiryList::rows(path, expiryList::Kind::Cards, QDate(2024, 3, 5), horizon);
        QList<qint64> listedPositions;
        for (qsizetype i = 0; i < listed->count(); ++i) {
            listedPositions << listed->position(i);
            QCOMPARE(listed->text(i), rows.text(i));
            if (i > 0)
                QVERIFY(!listRows::orderLess(listed->text(i), listed->text(i - 1)));
        }
        std::sort(listedPositions.begin(), listedPositions.end());
        std::sort(positions.begin(), positions.end());
        QCOMPARE(listedPositions, positions);
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
        const expiryList::Listed cards = expiryList::listed(path, expiryList::Kind::Cards, today, 0);
        const expiryList::Listed certificates = expiryList::listed(path, expiryList::Kind::Certificates, today, 0);
        QCOMPARE(cards.rows->count(), 1);
        QCOMPARE(cards.rows->position(0), 1);
        QVERIFY(cards.rows->text(0).contains(u"  Scad. 01/03/2024"_s));
        QCOMPARE(certificates.rows->count(), 1);
        QCOMPARE(certificates.rows->position(0), 2);
        QVERIFY(certificates.rows->text(0).contains(u"  Scad. cert. 01/03/2024"_s));
        QCOMPARE(cards.unreadable + certificates.unreadable, 0);
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
        const expiryList::Listed found = expiryList::listed(path, expiryList::Kind::Cards, QDate(2024, 3, 10), 0);
        QStringList byDate;
        for (const qsizetype row : found.byDate)
            byDate << found.rows->text(row).left(4);
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
        const expiryList::Listed found =
            expiryList::listed(folder.filePath(u"manca/Archivio_Giocatori.pro"_s), expiryList::Kind::Cards, QDate(2024, 3, 5), 0);
        QVERIFY(!found.rows->error().isEmpty());
        QCOMPARE(found.rows->count(), 0);
        QVERIFY(found.byDate.empty());
    }
};

QTEST_GUILESS_MAIN(TestPlayerLists)
#include "tst_playerlists.moc"

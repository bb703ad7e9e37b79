// The player editor's own rules: the mandatory fields in the order they are asked for, the whole
// number form of the counts, and the photo files kept beside the archive.
#include "app/ProgramFolder.h"
#include "players/PhotoStore.h"
#include "players/PlayerRules.h"
#include "players/PlayerSheet.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPlayerRules : public QObject {
    Q_OBJECT

private slots:
    void mandatoryFieldsInOrder_data()
    {
        QTest::addColumn<QStringList>("filled");
        QTest::addColumn<QString>("control");  // empty: nothing missing
        QTest::addColumn<QString>("ending");
        const QStringList all = {u"Giocatore"_s, u"Sesso"_s, u"Squadra"_s, u"Tessera"_s, u"ScadTessera"_s,
                                 u"ScadCertificato"_s};
        QTest::newRow("nothing") << QStringList() << u"txtGiocatore"_s << u"cognome e nome del giocatore."_s;
        QTest::newRow("name only") << all.mid(0, 1) << u"txtSesso"_s << u"il sesso del giocatore (M o F)."_s;
        QTest::newRow("up to sex") << all.mid(0, 2) << u"txtSquadra"_s << u"la squadra del giocatore."_s;
        QTest::newRow("up to team") << all.mid(0, 3) << u"txtTessera"_s << u"il numero di tessera del giocatore."_s;
        QTest::newRow("up to card") << all.mid(0, 4) << u"txtInizioTes"_s << u"la data di scadenza della tessera."_s;
        QTest::newRow("card expiry, no certificate")
            << all.mid(0, 5) << u"txtFineTes"_s << u"la data di scadenza del certificato medico."_s;
        QTest::newRow("only the last one filled")
            << all.mid(5) << u"txtGiocatore"_s << u"cognome e nome del giocatore."_s;
        QTest::newRow("all") << all << QString() << QString();
    }
    void mandatoryFieldsInOrder()
    {
        QFETCH(QStringList, filled);
        QFETCH(QString, control);
        QFETCH(QString, ending);
        // Blanks and control characters count as empty; a single X is a sex.
        const auto text = [&filled](const QString& field) { return filled.contains(field) ? u"X"_s : u" \t "_s; };
        const playerRules::MandatoryField* missing = playerRules::firstMissing(text);
        if (control.isEmpty()) {
            QVERIFY(!missing);
            return;
        }
        QVERIFY(missing);
        QCOMPARE(missing->control, control);
        QCOMPARE(missing->message,
                 u"Attenzione: per salvare la scheda \u00E8 necessario indicare "_s + ending);
    }

    void countNormalForm_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normal");
        QTest::newRow("leading zeros") << u"007"_s << u"7"_s;
        QTest::newRow("empty") << QString() << u"0"_s;
        QTest::newRow("blanks only") << u"   "_s << u"0"_s;
        QTest::newRow("half rounds up") << u"12,5"_s << u"13"_s;
        QTest::newRow("below half") << u"12,49"_s << u"12"_s;
        QTest::newRow("letters") << u"abc"_s << u"0"_s;
        QTest::newRow("zero") << u"000"_s << u"0"_s;
        QTest::newRow("six digits") << u"999999"_s << u"999999"_s;
        QTest::newRow("too large for the field") << u"999999,5"_s << u"0"_s;
        QTest::newRow("negative") << u"-3"_s << u"0"_s;
    }
    void countNormalForm()
    {
        QFETCH(QString, text);
        QFETCH(QString, normal);
        QCOMPARE(playerRules::countNormalForm(text), normal);
    }

    // A photo is kept as large as the printed sheet shows it, and no larger: a bigger picture is
    // reduced while it is read, keeping its proportions.
    void photoRoundTripKeepsWhatTheSheetPrints_data()
    {
        const QSize limit = playerSheet::photoLimit();
        QTest::addColumn<QSize>("stored");
        QTest::addColumn<QSize>("loaded");
        QTest::newRow("within the sheet's box") << QSize(1200, 900) << QSize(1200, 900);
        QTest::newRow("exactly the box") << limit << limit;
        QTest::newRow("wider than the box") << QSize(3000, 2000) << QSize(3000, 2000).scaled(limit, Qt::KeepAspectRatio);
        QTest::newRow("taller than the box") << QSize(1500, 4000) << QSize(1500, 4000).scaled(limit, Qt::KeepAspectRatio);
    }
    void photoRoundTripKeepsWhatTheSheetPrints()
    {
        QFETCH(QSize, stored);
        QFETCH(QSize, loaded);
        QTemporaryDir dir;
        programFolder::set(dir.path());
        QImage big(stored, QImage::Format_RGB32);
        big.fill(QColor(200, 30, 30));
        QVERIFY(!QDir(dir.filePath(u"Anagrafica"_s)).exists());

        QVERIFY(photoStore::store(7, big));
        QCOMPARE(photoStore::path(7), dir.filePath(u"Anagrafica/Scheda_Giocatore_7.jpg"_s));
        QVERIFY(QFile::exists(photoStore::path(7)));
        const QImage back = photoStore::load(7);
        QCOMPARE(back.size(), loaded);
        QVERIFY(qAbs(QColor(back.pixel(loaded.width() / 2, loaded.height() / 2)).red() - 200) < 8);
        QVERIFY(!QFile::exists(photoStore::path(6)));
    }

    void photoStoreFailures()
    {
        QTemporaryDir dir;
        programFolder::set(dir.path());
        // No photo yet: nothing to show, and the folder is made for the next store.
        QVERIFY(photoStore::load(3).isNull());
        QVERIFY(QDir(dir.filePath(u"Anagrafica"_s)).exists());
        // A file that is not a picture reads as none.
        QFile junk(photoStore::path(3));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
        junk.close();
        QVERIFY(photoStore::load(3).isNull());
        QVERIFY(!photoStore::store(3, QImage()));

        // A file where the folder should be: nothing can be stored.
        QTemporaryDir blocked;
        programFolder::set(blocked.path());
        QFile blocker(blocked.filePath(u"Anagrafica"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(!photoStore::store(1, picture));
        QVERIFY(photoStore::load(1).isNull());
    }

    void bitmapsAndMisnamedFilesLoad()
    {
        QTemporaryDir dir;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::green);
        // A bitmap given a .jpg name is read by its content.
        const QString misnamed = dir.filePath(u"foto.jpg"_s);
        QVERIFY(picture.save(misnamed, "BMP"));
        QCOMPARE(photoStore::read(misnamed).size(), QSize(40, 30));
        const QString bitmap = dir.filePath(u"foto.bmp"_s);
        QVERIFY(picture.save(bitmap, "BMP"));
        QCOMPARE(photoStore::read(bitmap).size(), QSize(40, 30));
    }
};

QTEST_GUILESS_MAIN(TestPlayerRules)
#include "tst_playerrules.moc"

// The player archive editor: its field table, its refusals, the count, capitals and date fields,
// and the photo that follows each record through save, duplicate and navigation.
#include "common/HelpTopics.h"
#include "editor/RecordEditing.h"
#include "platform/ChooserFolders.h"
#include "players/Calendario.h"
#include "players/PlayerSheet.h"
#include "players/Zoom.h"
#include "tools/CodFisc.h"
#include "tools/PartitaIva.h"
#include "player_editor.h"

#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QElapsedTimer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

const QStringList fieldNames = {
    u"txtGiocatore"_s, u"txtSesso"_s, u"txtDataNasc"_s, u"txtCittadinanza"_s, u"txtLuogoNasc"_s, u"txtIndirizzo"_s,
    u"txtCitta"_s, u"txtCap"_s, u"txtNazione"_s, u"txtCodFisc"_s, u"txtSquadra"_s, u"txtMaglia"_s, u"txtRuolo"_s,
    u"txtAltezza"_s, u"txtPeso"_s, u"txtPiede"_s, u"txtEmail"_s, u"txtTel"_s, u"txtCel"_s, u"txtTessera"_s,
    u"txtInizioTes"_s, u"txtFineTes"_s, u"txtPresenze"_s, u"txtReti"_s, u"txtRiconoscimenti"_s,
    u"txtAmmonizioni"_s, u"txtEspulsioni"_s, u"txtInfortuni"_s, u"txtNote"_s,
};

QString writePicture(const QString& path, const QImage& picture, const char* format)
{
    picture.save(path, format);
    return path;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A uniform grey baseline JPEG of side x side pixels, written directly: one Huffman code of one
// bit for "no change" and one for "end of block", so every 8 x 8 block is two zero bits. A huge
// picture in a file of a few megabytes, made in no time.
QByteArray hugeGreyJpeg(int side)
{
    const auto word = [](int value) {
        QByteArray bytes;
        bytes.append(char(value >> 8)).append(char(value & 0xFF));
        return bytes;
    };
    QByteArray jpeg("\xFF\xD8", 2);
    jpeg += QByteArray("\xFF\xDB\x00\x43\x00", 5) + QByteArray(64, 1);
    jpeg += QByteArray("\xFF\xC0\x00\x0B\x08", 5) + word(side) + word(side) + QByteArray("\x01\x01\x11\x00", 4);
    for (const char table : {'\x00', '\x10'})
        jpeg += QByteArray("\xFF\xC4\x00\x14", 4) + table + QByteArray("\x01", 1) + QByteArray(15, 0) + QByteArray(1, 0);
    jpeg += QByteArray("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    const qint64 blocks = qint64((side + 7) / 8) * ((side + 7) / 8);
    jpeg += QByteArray(qsizetype((blocks * 2 + 7) / 8), 0);
    jpeg += QByteArray("\xFF\xD9", 2);
    return jpeg;
}

}  // namespace

class TestPlayers : public QObject {
    Q_OBJECT

private slots:
    void fieldsFollowTheRecord()
    {
        PlayerEditor e;
        QCOMPARE(e.find<QLabel>(u"panInfo"_s)->text(), u"Pronto per archiviare una nuova scheda..."_s);
        QVERIFY(e.open());
        QCOMPARE(e.find<QWidget>(u"panContent"_s)->size(), QSize(995, 692));
        for (int i = 0; i < fieldNames.size(); ++i) {
            QLineEdit* field = e.field(fieldNames[i]);
            QCOMPARE(field->maxLength(), int(PlayerRecord::Layout.fields[i].capacity));
            // Enter walks the record order, and from the notes back to the name.
            field->setFocus();
            QTest::keyClick(field, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), e.field(fieldNames[(i + 1) % fieldNames.size()]));
        }
        for (const QString& count : {u"txtPresenze"_s, u"txtReti"_s, u"txtAmmonizioni"_s, u"txtEspulsioni"_s})
            QCOMPARE(e.field(count)->text(), u"0"_s);
        QVERIFY(e.field(u"txtInizioTes"_s)->isReadOnly());
        QVERIFY(e.field(u"txtFineTes"_s)->isReadOnly());
        QCOMPARE(e.screen.windowTitle(), u" Golvera - Archivio Giocatori"_s);
        QCOMPARE(e.photo(), placeholder());
    }

    void buttons()
    {
        PlayerEditor e;
        QCOMPARE(widgets::names<PictureButton>(&e.screen),
                 (QStringList{u"btnCancFoto"_s, u"btnCaricaFoto"_s, u"btnCodFisc"_s, u"btnEmail"_s, u"btnSalvaFoto"_s,
                              u"btnWebcam"_s, u"btnZoomFoto"_s, u"cmdAnteprima"_s, u"cmdAvanti"_s, u"cmdDuplica"_s,
                              u"cmdEsci"_s, u"cmdEsporta"_s, u"cmdFile"_s, u"cmdGuida"_s, u"cmdImporta"_s, u"cmdIndietro"_s,
                              u"cmdNuovo"_s, u"cmdPrimo"_s, u"cmdRitira"_s, u"cmdSalva"_s, u"cmdScadCertificati"_s, u"cmdScadTessere"_s, u"cmdStampa"_s,
                              u"cmdTrova"_s, u"cmdUltimo"_s}));
        // Every button of the editor is in use.
        QStringList unavailable;
        for (const PictureButton* button : e.screen.findChildren<PictureButton*>()) {
            if (!button->isEnabled())
                unavailable << button->objectName();
        }
        unavailable.sort();
        QCOMPARE(unavailable, QStringList());
        QCOMPARE(e.find<PictureButton>(u"cmdFile"_s)->hint(), u"Allega file alla scheda."_s);
        QCOMPARE(e.find<PictureButton>(u"btnZoomFoto"_s)->hint(), u"Visualizza la foto nelle sue dimensioni reali."_s);
    }

    void mandatoryWarnings_data()
    {
        QTest::addColumn<int>("filled");  // how many of the six mandatory fields are filled, in order
        QTest::addColumn<QString>("focus");
        QTest::newRow("all empty") << 0 << u"txtGiocatore"_s;
        QTest::newRow("only the name") << 1 << u"txtSesso"_s;
        QTest::newRow("certificate expiry missing") << 5 << u"txtFineTes"_s;
    }
    void mandatoryWarnings()
    {
        QFETCH(int, filled);
        QFETCH(QString, focus);
        PlayerEditor e;
        QVERIFY(e.open());
        e.fillMandatory();
        const QStringList order = {u"txtGiocatore"_s, u"txtSesso"_s, u"txtSquadra"_s, u"txtTessera"_s,
                                   u"txtInizioTes"_s, u"txtFineTes"_s};
        for (const QString& name : order.mid(filled))
            e.field(name)->setText(u"  "_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
        QVERIFY(e.fake.lastMessage().text.startsWith(u"Attenzione: per salvare la scheda"_s));
        QCOMPARE(QApplication::focusWidget(), e.field(focus));
        QVERIFY(!QFile::exists(e.path) || e.records().isEmpty());
    }

    // The picture is kept as large as the printed sheet shows it.
    void saveAppendsAndStoresThePhotoAtTheSheetsSize()
    {
        PlayerEditor e;
        e.write({player(u"Primo"_s), player(u"Secondo"_s)});
        QVERIFY(e.open());
        e.fillMandatory(u"  Terzo Giocatore  "_s);
        e.field(u"txtCitta"_s)->setText(u"Citt\u00E0"_s);
        const QString big = writePicture(e.folder.file(u"grande.jpg"_s), plainPicture({3000, 2000}, Qt::red), "JPEG");
        e.fake.fileAnswers = {big};
        e.click(u"btnCaricaFoto"_s);
        const QSize kept = QSize(3000, 2000).scaled(playerSheet::photoLimit(), Qt::KeepAspectRatio);
        QCOMPARE(e.photo().size(), kept);

        e.click(u"cmdSalva"_s);
        QCOMPARE(e.fake.lastMessage().text, recordEditing::insertedMessage);
        QCOMPARE(e.position()->text(), u"3"_s);
        const QList<PlayerRecord> stored = e.records();
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored[2].Giocatore, u"Terzo Giocatore"_s);
        QCOMPARE(stored[2].Citta, u"Citt\u00E0"_s);
        QCOMPARE(stored[2].Presenze, u"0"_s);
        QCOMPARE(photoStore::load(3).size(), kept);
        QVERIFY(!QFile::exists(photoStore::path(1)));
        QVERIFY(!QFile::exists(photoStore::path(2)));
    }

    void aPhotoThatCannotBeStoredIsReported()
    {
        PlayerEditor e;
        QVERIFY(e.open());
        // A file where the photo folder should be.
        QFile blocker(e.folder.file(photoStore::folderName));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        e.fillMandatory();
        const QImage picture = plainPicture({50, 60}, Qt::green);
        e.screen.setPhoto(picture);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.records().size(), 1);
        QCOMPARE(e.position()->text(), u"1"_s);
        QCOMPARE(e.fake.messages.size(), 2);
        QCOMPARE(e.fake.messages[0].kind, MessageKind::Warning);
        QVERIFY(e.fake.messages[0].text.contains(u"non \u00E8 stato possibile salvare la foto"_s));
        QCOMPARE(e.fake.messages[1].text, recordEditing::insertedMessage);
        QCOMPARE(e.photo(), picture);
    }

    void duplicateDropsPhotoAndAttachments()
    {
        PlayerEditor e;
        e.write({player(u"Primo"_s, u"tessera.pdf"_s, u"Tessera"_s)});
        QVERIFY(photoStore::store(1, plainPicture({80, 100}, Qt::blue)));
        QVERIFY(e.open());
        e.screen.showRecord(1);
        QCOMPARE(e.photo().size(), QSize(80, 100));

        e.click(u"cmdDuplica"_s);
        QCOMPARE(e.fake.lastMessage().text, recordEditing::duplicateReadyMessage);
        QCOMPARE(e.position()->text(), QString());
        QCOMPARE(e.field(u"txtGiocatore"_s)->text(), u"Primo"_s);
        QCOMPARE(e.photo(), placeholder());
        QCOMPARE(QApplication::focusWidget(), e.field(u"txtGiocatore"_s));

        e.click(u"cmdSalva"_s);
        const QList<PlayerRecord> stored = e.records();
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[1].Giocatore, u"Primo"_s);
        QCOMPARE(stored[1].File01, QString());
        QCOMPARE(stored[1].Desc01, QString());
        QCOMPARE(stored[0].File01, u"tessera.pdf"_s);
        QCOMPARE(photoStore::load(2).size(), QSize(307, 394));
        QCOMPARE(photoStore::load(1).size(), QSize(80, 100));
    }

    void navigationLoadsEachRecordsPhoto()
    {
        PlayerEditor e;
        e.write({player(u"Uno"_s), player(u"Due"_s), player(u"Tre"_s)});
        QVERIFY(photoStore::store(1, plainPicture({40, 50}, Qt::red)));
        QVERIFY(photoStore::store(3, plainPicture({60, 70}, Qt::blue)));
        QVERIFY(e.open());
        e.click(u"cmdPrimo"_s);
        QCOMPARE(e.photo().size(), QSize(40, 50));
        e.click(u"cmdAvanti"_s);
        QCOMPARE(e.field(u"txtGiocatore"_s)->text(), u"Due"_s);
        QCOMPARE(e.photo(), placeholder());
        e.click(u"cmdUltimo"_s);
        QCOMPARE(e.photo().size(), QSize(60, 70));
        e.click(u"cmdIndietro"_s);
        QCOMPARE(e.photo(), placeholder());
        e.click(u"cmdUltimo"_s);
        e.click(u"cmdNuovo"_s);
        QCOMPARE(e.photo(), placeholder());
        QCOMPARE(e.position()->text(), QString());
        QVERIFY(e.fake.messages.isEmpty());
        // A new photo is a change: leaving it unsaved asks, and No leaves the photo file alone.
        e.click(u"cmdPrimo"_s);
        e.screen.setPhoto(plainPicture({10, 10}, Qt::black));
        e.fake.answers = {platform::Answer::No};
        e.click(u"cmdAvanti"_s);
        QCOMPARE(e.field(u"txtGiocatore"_s)->text(), u"Due"_s);
        QCOMPARE(photoStore::load(1).size(), QSize(40, 50));
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Question});
        QCOMPARE(e.fake.lastMessage().text, recordEditing::saveChangesQuestion);
    }

    // A photo put in or cleared is a change, as a field is: leaving it asks.
    void photoChangesAsk_data()
    {
        QTest::addColumn<int>("position");  // 1 has a photo, 2 has none
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("asked");
        QTest::newRow("nothing done") << 1 << u"none"_s << false;
        QTest::newRow("a new photo") << 2 << u"load"_s << true;
        QTest::newRow("photo cleared") << 1 << u"clear"_s << true;
    }
    void photoChangesAsk()
    {
        QFETCH(int, position);
        QFETCH(QString, action);
        QFETCH(bool, asked);
        PlayerEditor e;
        e.write({player(u"Uno"_s), player(u"Due"_s)});
        QVERIFY(photoStore::store(1, plainPicture({40, 50}, Qt::red)));
        QVERIFY(e.open());
        e.screen.showRecord(position);
        if (action.startsWith(u"load"_s))
            e.screen.setPhoto(plainPicture({10, 10}, Qt::black));
        if (action.endsWith(u"clear"_s))
            e.click(u"btnCancFoto"_s);
        e.fake.answers = {platform::Answer::Cancel};
        e.click(u"cmdNuovo"_s);
        QCOMPARE(e.fake.messages.size(), asked ? 1 : 0);
        QCOMPARE(e.position()->text(), asked ? QString::number(position) : QString());
    }

    // A photo of 16000 x 16000 pixels, as an old copy stored it or as the user picks it with
    // "Carica foto": the window is never held up (the photo is decoded on a worker, reduced to
    // what the sheet prints), and the picture then shown is no larger than that.
    // GOLVERA_BIG_PHOTO names a real photo to measure instead of the drawn one.
    void aHugePhotoNeverFreezesTheWindow_data()
    {
        QTest::addColumn<bool>("picked");
        QTest::newRow("stored photo of the player shown") << false;
        QTest::newRow("picked with Carica foto") << true;
    }

    void aHugePhotoNeverFreezesTheWindow()
    {
        QFETCH(bool, picked);
        PlayerEditor e;
        e.write({player(u"Gigante"_s)});
        QVERIFY(photoStore::makeFolder());
        const QString photo = picked ? e.folder.file(u"gigante.jpg"_s) : photoStore::path(1);
        const QString real = qEnvironmentVariable("GOLVERA_BIG_PHOTO");
        if (real.isEmpty())
            QVERIFY(writeFile(photo, hugeGreyJpeg(16000)));
        else
            QVERIFY(QFile::copy(real, photo));
        QVERIFY(e.open());
        QTest::qWait(50);  // the editor settles on its new, empty record
        e.fake.fileAnswers = {photo};
        const qsizetype messagesBefore = e.fake.messages.size();

        auto* box = e.screen.findChild<PictureBox*>(u"imgFoto"_s);
        QElapsedTimer clock;
        qint64 last = 0;
        qint64 longest = 0;
        QTimer ticks;
        ticks.setInterval(1);
        connect(&ticks, &QTimer::timeout, [&] {
            longest = std::max(longest, clock.elapsed() - last);
            last = clock.elapsed();
        });
        QSignalSpy loaded(box, &PictureBox::pictureLoaded);
        clock.start();
        ticks.start();
        QTimer::singleShot(5, &e.screen, [&] {
            if (picked)
                e.click(u"btnCaricaFoto"_s);
            else
                e.screen.showRecord(1);
        });
        QVERIFY(loaded.wait(30000));
        QTest::qWait(50);  // the repaint of the loaded photo
        ticks.stop();
        qInfo("longest event-loop block while the photo was shown: %lld ms (photo loaded after %lld ms)", longest, last);
        QVERIFY2(longest < 100, qPrintable(u"%1 ms"_s.arg(longest)));
        if (!picked)
            QCOMPARE(e.position()->text(), u"1"_s);
        const QSize shown = box->picture().size();
        QVERIFY(shown.width() <= playerSheet::photoLimit().width() && shown.height() <= playerSheet::photoLimit().height());
        QVERIFY(shown.width() > 1000);
        QCOMPARE(e.fake.messages.size(), messagesBefore);  // read, so nothing to report
    }

    void keysOfTheFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");  // after leaving the field
        QTest::newRow("count: letters have no effect") << u"txtReti"_s << u"a1b2,"_s << u"12"_s;
        QTest::newRow("count: leading zeros dropped") << u"txtPresenze"_s << u"0012"_s << u"12"_s;
        QTest::newRow("count: emptied gives 0") << u"txtEspulsioni"_s << QString() << u"0"_s;
        QTest::newRow("sex in capitals") << u"txtSesso"_s << u"m"_s << u"M"_s;
        QTest::newRow("tax code in capitals") << u"txtCodFisc"_s << u"rssmra85t10a562s"_s << u"RSSMRA85T10A562S"_s;
        QTest::newRow("e-mail trimmed") << u"txtEmail"_s << u" a@b.it "_s << u"a@b.it"_s;
    }
    void keysOfTheFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        PlayerEditor e;
        QVERIFY(e.open());
        QLineEdit* edit = e.field(field);
        edit->setFocus();
        edit->end(false);
        while (!edit->text().isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, typed);
        e.field(u"txtNote"_s)->setFocus();
        QCOMPARE(edit->text(), shown);
    }

    // A count field arriving with the focus has its text selected, so typing replaces the 0: by a
    // click, by Enter from the field before, by Tab.
    void countFieldsSelectOnArrival_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("arrival");  // "click", "enter" or "tab"
        QTest::newRow("appearances, Tab") << u"txtPresenze"_s << u"tab"_s;  // from a date: counts swallow Tab
        QTest::newRow("goals, Enter") << u"txtReti"_s << u"enter"_s;
        QTest::newRow("bookings, click") << u"txtAmmonizioni"_s << u"click"_s;
        QTest::newRow("sendings-off, Enter") << u"txtEspulsioni"_s << u"enter"_s;
    }
    void countFieldsSelectOnArrival()
    {
        QFETCH(QString, field);
        QFETCH(QString, arrival);
        PlayerEditor e;
        QVERIFY(e.open());
        QLineEdit* count = e.field(field);
        QCOMPARE(count->text(), u"0"_s);
        if (arrival == u"click"_s) {
            QTest::mouseClick(count, Qt::LeftButton, {}, QPoint(count->width() - 4, count->height() / 2));
        } else {
            // From the field before it in the record order.
            QLineEdit* before = e.field(fieldNames.at(fieldNames.indexOf(field) - 1));
            before->setFocus();
            QTest::keyClick(before, arrival == u"enter"_s ? Qt::Key_Return : Qt::Key_Tab);
        }
        QTRY_COMPARE(QApplication::focusWidget(), count);
        QTRY_COMPARE(count->selectedText(), u"0"_s);
        QTest::keyClick(count, Qt::Key_2);
        QCOMPARE(count->text(), u"2"_s);
    }

    // A key or a click opens the calendar on the field's date (today when it holds none); a digit
    // that opened it begins the typed date, which the calendar follows and Enter imports.
    void dateFieldsOpenTheCalendar_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opening");  // a key's text, or "click"
        QTest::addColumn<QDate>("startsOn");   // invalid: today
        QTest::addColumn<QString>("typedAfter");
        QTest::addColumn<QString>("imported");
        QTest::newRow("card, a letter") << u"txtInizioTes"_s << u"01/01/2020"_s << u"a"_s << QDate(2020, 1, 1) << QString()
                                        << u"01/01/2020"_s;
        QTest::newRow("certificate, a click") << u"txtFineTes"_s << u"31/12/2026"_s << u"click"_s << QDate(2026, 12, 31)
                                              << QString() << u"31/12/2026"_s;
        QTest::newRow("empty field, a click") << u"txtInizioTes"_s << QString() << u"click"_s << QDate() << QString()
                                              << u"14/02/2026"_s;
        QTest::newRow("impossible date, a click") << u"txtFineTes"_s << u"31/02/2026"_s << u"click"_s << QDate() << QString()
                                                  << u"14/02/2026"_s;
        QTest::newRow("a digit starts the date") << u"txtFineTes"_s << u"01/01/2020"_s << u"1"_s << QDate(2020, 1, 1)
                                                 << u"5032027"_s << u"15/03/2027"_s;
        QTest::newRow("a digit, empty field") << u"txtInizioTes"_s << QString() << u"0"_s << QDate() << u"7022028"_s
                                              << u"07/02/2028"_s;
    }
    void dateFieldsOpenTheCalendar()
    {
        QFETCH(QString, field);
        QFETCH(QString, stored);
        QFETCH(QString, opening);
        QFETCH(QDate, startsOn);
        QFETCH(QString, typedAfter);
        QFETCH(QString, imported);
        PlayerEditor e;
        e.fake.now = QDateTime(QDate(2026, 2, 14), QTime(10, 0));
        QVERIFY(e.open());
        QLineEdit* date = e.field(field);
        date->setText(stored);
        QDate startedOn;
        e.fake.onDialog = [&](QObject* opened) {
            auto* dialog = qobject_cast<QDialog*>(opened);
            dialog->show();
            startedOn = widgets::find<QCalendarWidget>(dialog, u"calAppuntamenti"_s)->selectedDate();
            auto* typed = widgets::find<QLineEdit>(dialog, u"txtData"_s);
            if (opening != u"click"_s && opening.front().isDigit()) {
                QCOMPARE(dialog->focusWidget(), typed);
                QTest::keyClicks(typed, typedAfter);
                QTest::keyClick(typed, Qt::Key_Return);  // imports
            } else {
                widgets::find<QPushButton>(dialog, u"btnImportaData"_s)->click();
            }
        };
        if (opening == u"click"_s) {
            QTest::mouseClick(date, Qt::LeftButton);
        } else {
            date->setFocus();
            QTest::keyClick(date, opening.front().toLatin1());
        }
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmCalendario"_s});
        QCOMPARE(startedOn, startsOn.isValid() ? startsOn : e.fake.now.date());
        QCOMPARE(date->text(), imported);
        QCOMPARE(e.field(field == u"txtInizioTes"_s ? u"txtFineTes"_s : u"txtInizioTes"_s)->text(), QString());

        // "Annulla" after browsing leaves the date; Delete empties it; it is never typed into.
        e.fake.onDialog = [](QObject* dialog) {
            widgets::find<QCalendarWidget>(dialog, u"calAppuntamenti"_s)->showNextMonth();
            widgets::find<QPushButton>(dialog, u"btnAnnulla"_s)->click();
        };
        QTest::keyClick(date, Qt::Key_5);
        QCOMPARE(date->text(), imported);
        QTest::keyClick(date, Qt::Key_Delete);
        QCOMPARE(date->text(), QString());
        QCOMPARE(e.fake.dialogsRun.size(), 2);
    }

    void taxCodeButtonChoosesTheChecker_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("fieldName");
        QTest::newRow("digits only") << u"12345670587"_s << u"TfrmPartitaIva"_s << u"txtPartitaIva"_s;
        QTest::newRow("16 digits, handed over whole") << u"1234567058712345"_s << u"TfrmPartitaIva"_s << u"txtPartitaIva"_s;
        QTest::newRow("empty") << QString() << u"TfrmCodFisc"_s << u"txtCodFisc"_s;
        QTest::newRow("a tax code") << u"RSSMRA85T10A562S"_s << u"TfrmCodFisc"_s << u"txtCodFisc"_s;
        QTest::newRow("digits and one letter") << u"1234567058A"_s << u"TfrmCodFisc"_s << u"txtCodFisc"_s;
    }
    void taxCodeButtonChoosesTheChecker()
    {
        QFETCH(QString, code);
        QFETCH(QString, dialog);
        QFETCH(QString, fieldName);
        PlayerEditor e;
        QVERIFY(e.open());
        e.field(u"txtCodFisc"_s)->setText(code);
        QString handedOver;
        e.fake.onDialog = [&](QObject* opened) { handedOver = widgets::find<QLineEdit>(opened, fieldName)->text(); };
        e.click(u"btnCodFisc"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{dialog});
        QCOMPARE(handedOver, code);
        QCOMPARE(e.field(u"txtCodFisc"_s)->text(), code);
    }

    // Opened from the editor, the checker also compares a valid code with the player's record.
    void taxCodeCheckedAgainstThePlayer_data()
    {
        QTest::addColumn<QString>("born");
        QTest::addColumn<QString>("sex");
        QTest::addColumn<QStringList>("boxes");
        const QString valid = u"Il codice fiscale digitato \u00E8 VALIDO."_s;
        QTest::newRow("agrees") << u"10/12/1985"_s << u"M"_s << QStringList{valid};
        QTest::newRow("fields empty") << QString() << QString() << QStringList{valid};
        QTest::newRow("recorded as a woman")
            << u"10/12/1985"_s << u"F"_s
            << QStringList{valid, u"Il sesso della scheda non corrisponde al codice fiscale.\r\n\r\n"
                                  "Il codice fiscale indica un uomo nato il 10/12/1985."_s};
    }
    void taxCodeCheckedAgainstThePlayer()
    {
        QFETCH(QString, born);
        QFETCH(QString, sex);
        QFETCH(QStringList, boxes);
        PlayerEditor e;
        QVERIFY(e.open());
        e.field(u"txtCodFisc"_s)->setText(u"RSSMRA85T10A562S"_s);
        e.field(u"txtDataNasc"_s)->setText(born);
        e.field(u"txtSesso"_s)->setText(sex);
        e.fake.onDialog = [](QObject* opened) { widgets::find<QPushButton>(opened, u"btnControlla"_s)->click(); };
        e.click(u"btnCodFisc"_s);
        QStringList shown;
        for (const ShownMessage& message : e.fake.messages)
            shown << message.text;
        QCOMPARE(shown, boxes);
    }

    void photoButtons()
    {
        PlayerEditor e;
        QVERIFY(e.open());
        const QImage loaded = plainPicture({120, 90}, Qt::yellow);
        const QString bitmap = writePicture(e.folder.file(u"foto.bmp"_s), loaded, "BMP");

        e.fake.fileAnswers = {bitmap};
        e.click(u"btnCaricaFoto"_s);
        QCOMPARE(e.photo(), loaded.convertToFormat(e.photo().format()));
        QCOMPARE(e.fake.fileRequests.last().title, u"Selezionare un file di immagine in formato Jpeg o Bitmap."_s);
        // The first filter shows what the title promises; every file on request.
        QCOMPARE(e.fake.fileRequests.last().filters,
                 (QStringList{u"Immagine JPEG o Bitmap (*.jpg *.jpeg *.bmp)"_s, u"Immagine JPEG (*.jpg *.jpeg)"_s,
                              u"Immagine Bitmap (*.bmp)"_s, u"Tutti i file (*)"_s}));
        QCOMPARE(e.fake.fileRequests.last().folder, chooserFolders::pictures());

        // Cancelled, or a file that is no picture: the picture stays.
        e.click(u"btnCaricaFoto"_s);
        QCOMPARE(e.photo().size(), QSize(120, 90));
        QFile junk(e.folder.file(u"rotta.jpg"_s));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("niente");
        junk.close();
        e.fake.fileAnswers = {junk.fileName()};
        e.click(u"btnCaricaFoto"_s);
        QCOMPARE(e.photo().size(), QSize(120, 90));
        // Reported once the worker is done, from the event loop.
        QTRY_COMPARE(e.fake.messages.size() > 0 && e.fake.lastMessage().kind == MessageKind::Warning, true);

        // A copy saved under a name without extension gets .jpg.
        e.fake.fileAnswers = {e.folder.file(u"copia"_s)};
        e.click(u"btnSalvaFoto"_s);
        QCOMPARE(e.fake.fileRequests.last().initialName, u"Foto.jpg"_s);
        QCOMPARE(e.fake.fileRequests.last().folder, chooserFolders::pictures());
        QCOMPARE(photoStore::read(e.folder.file(u"copia.jpg"_s)).size(), QSize(120, 90));
        QCOMPARE(e.fake.fileRequests.last().defaultSuffix, u"jpg"_s);
        // The name typed again: now copia.jpg exists, so the extension comes with the question,
        // whose default keeps the file.
        const auto bytesOf = [](const QString& path) {
            QFile file(path);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        const QByteArray copy = bytesOf(e.folder.file(u"copia.jpg"_s));
        e.screen.setPhoto(plainPicture({60, 40}, Qt::yellow));
        e.fake.fileAnswers = {e.folder.file(u"copia"_s)};
        e.click(u"btnSalvaFoto"_s);
        QCOMPARE(e.fake.lastMessage().choices.preset, platform::Answer::No);
        QVERIFY(e.fake.lastMessage().text.contains(u"\"copia.jpg\" esiste gi\u00E0"_s));
        QCOMPARE(bytesOf(e.folder.file(u"copia.jpg"_s)), copy);
        e.fake.fileAnswers = {e.folder.file(u"copia"_s)};
        e.fake.answers = {platform::Answer::Yes};
        e.click(u"btnSalvaFoto"_s);
        QCOMPARE(photoStore::read(e.folder.file(u"copia.jpg"_s)).size(), QSize(60, 40));
        e.screen.setPhoto(plainPicture({120, 90}, Qt::red));
        // A copy that cannot be written is reported and leaves the picture.
        const int boxes = e.fake.messages.size();
        e.fake.fileAnswers = {e.folder.file(u"manca/copia.jpg"_s)};
        e.click(u"btnSalvaFoto"_s);
        QCOMPARE(e.fake.messages.size(), boxes + 1);
        QCOMPARE(e.photo().size(), QSize(120, 90));

        QSize zoomed;
        e.fake.onDialog = [&](QObject* dialog) {
            zoomed = widgets::find<PictureBox>(dialog, u"imgFoto"_s)->picture().size();
        };
        e.click(u"btnZoomFoto"_s);
        QCOMPARE(e.fake.dialogsRun.last(), u"TfrmZoom"_s);
        QCOMPARE(zoomed, QSize(120, 90));

        e.click(u"btnCancFoto"_s);
        QCOMPARE(e.photo(), placeholder());
    }

    // The photo at its real size, centred; only one larger than the screen's area (its size less
    // 60 by 90) is scaled down, without distortion. A click on it closes the view.
    void zoomShowsTheRealSize_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<bool>("fits");
        QTest::newRow("300 x 400, as it is") << QSize(300, 400) << true;
        QTest::newRow("wider than the screen") << QSize(3000, 2000) << false;
        QTest::newRow("taller than the screen") << QSize(200, 2000) << false;
    }
    void zoomShowsTheRealSize()
    {
        QFETCH(QSize, picture);
        QFETCH(bool, fits);
        FakePlatform fake;
        TfrmZoom zoom(nullptr);
        zoom.setPicture(plainPicture(picture, Qt::red));
        zoom.show();
        QVERIFY(QTest::qWaitForWindowExposed(&zoom));
        const QSize area = zoom.screen()->size() - QSize(60, 90);
        auto* photo = widgets::find<PictureBox>(&zoom, u"imgFoto"_s);
        QCOMPARE(photo->size(), fits ? picture : picture.scaled(area, Qt::KeepAspectRatio));
        QVERIFY(QRect(QPoint(0, 0), area).contains(photo->geometry()));
        QCOMPARE(photo->geometry().center(), QRect(QPoint(0, 0), area).center());
        QTest::mouseClick(photo, Qt::LeftButton, {}, photo->rect().center());
        QVERIFY(!zoom.isVisible());
        QCOMPARE(zoom.result(), int(QDialog::Accepted));
    }

    // On a screen smaller than the panel the panel scrolls, and nothing is out of reach: the notes,
    // the last field, come into view when the Enter chain reaches them, the hint line at the foot
    // by scrolling down. At the full size nothing scrolls and the panel stays centred.
    void panelScrollsWhereTheWindowIsSmaller_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("1024 x 600") << QSize(1024, 600) << true;
        // What a 1280 x 720 desk leaves a window under its title bar, above a taskbar.
        QTest::newRow("1280 x 650") << QSize(1280, 650) << true;
        QTest::newRow("1280 x 800") << QSize(1280, 800) << false;
    }
    void panelScrollsWhereTheWindowIsSmaller()
    {
        QFETCH(QSize, window);
        QFETCH(bool, scrolls);
        PlayerEditor e;
        QVERIFY(e.open());
        e.screen.showNormal();
        e.screen.resize(window);
        auto* area = e.find<QScrollArea>(u"scrPannello"_s);
        QTRY_COMPARE(area->size(), window);
        QTest::qWait(20);  // the scroll bars show or hide a turn of the event loop later
        QCOMPARE(area->verticalScrollBar()->maximum() > 0, scrolls);
        QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
        const auto inView = [area](const QWidget* widget) {
            const QRect shown(widget->mapTo(area->viewport(), QPoint(0, 0)), widget->size());
            return area->viewport()->rect().contains(shown);
        };
        auto* panel = e.find<QWidget>(u"panContent"_s);
        if (!scrolls) {
            const QPoint offCentre = panel->mapTo(&e.screen, panel->rect().center()) - e.screen.rect().center();
            QVERIFY2(offCentre.manhattanLength() <= 2, qPrintable(u"%1, %2"_s.arg(offCentre.x()).arg(offCentre.y())));
        }

        e.field(u"txtGiocatore"_s)->setFocus();
        QVERIFY(inView(e.field(u"txtGiocatore"_s)));
        e.field(u"txtInfortuni"_s)->setFocus();
        QTest::keyClick(e.field(u"txtInfortuni"_s), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), e.field(u"txtNote"_s));
        QVERIFY(inView(e.field(u"txtNote"_s)));
        area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
        QVERIFY(inView(e.find<QLabel>(u"panInfo"_s)));
        QVERIFY(inView(e.find<PictureButton>(u"btnZoomFoto"_s)));
    }

    void emailAndHelp()
    {
        PlayerEditor e;
        QVERIFY(e.open());
        e.field(u"txtEmail"_s)->setText(u"rossi@example.it"_s);
        e.click(u"btnEmail"_s);
        QCOMPARE(e.fake.opened.size(), 1);
        QCOMPARE(e.fake.opened.first().toString(), u"mailto:rossi@example.it"_s);
        e.click(u"cmdGuida"_s);
        QCOMPARE(e.fake.dialogsRun.last(), u"TfrmGuida"_s);
        const HelpTopic topic = help::topic(u"giocatori"_s);
        QCOMPARE(topic.title, u"App Archivio Giocatori"_s);
        const QStringList paragraphs = topic.text.split(u"\r\n\r\n"_s);
        QCOMPARE(paragraphs.size(), 11);
        QVERIFY(paragraphs.first().startsWith(
            u"L'app Archivio Giocatori \u00E8 uno schedario in cui registrare i dati di ogni calciatore"_s));
        QVERIFY(paragraphs[2].contains(u"monitorare le scadenze delle tessere di iscrizione e dei certificati medici"_s));
    }
};

QTEST_MAIN(TestPlayers)
#include "tst_players.moc"

// The player's photo file at a save: written only when the photo changed (or has no file yet),
// byte for byte when it came from a JPEG file, and never over a photo another station wrote
// after the record was shown.
#include "editor/RecordEditing.h"
#include "players/PlayerSheet.h"
#include "player_editor.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray encoded(const QImage& picture, const char* format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format, quality);
    return bytes;
}

// A picture with some detail, so that every encoding of it gives different bytes.
QImage stripes(QSize size, QColor colour)
{
    QImage picture = plainPicture(size, colour);
    for (int y = 0; y < size.height(); y += 3)
        for (int x = 0; x < size.width(); ++x)
            picture.setPixelColor(x, y, QColor((x * 7) % 256, (y * 5) % 256, (x + y) % 256));
    return picture;
}

// What a photo file is: its bytes and its times, which a rewrite with the same bytes would change.
struct FileState {
    QByteArray bytes;
    QDateTime modified;
    QDateTime created;
    bool operator==(const FileState&) const = default;
};
FileState fileState(const QString& path)
{
    QFileInfo info(path);
    return {bytesOf(path), info.fileTime(QFileDevice::FileModificationTime), info.fileTime(QFileDevice::FileBirthTime)};
}

// A second station: its own player editor on the same program folder, saving as a user would.
struct OtherStation {
    Navigator navigator;
    QWidget launcher;
    TfrmGiocatori screen{navigator};
    OtherStation()
    {
        navigator.add(Screen::Launcher, &launcher);
        navigator.add(Screen::PlayerArchive, &screen);
        navigator.go(Screen::PlayerArchive, nullptr);
    }
    QLineEdit* field(const QString& name) const { return widgets::find<QLineEdit>(&screen, name); }
    void save() const { QTest::mouseClick(widgets::find<PictureButton>(&screen, u"cmdSalva"_s), Qt::LeftButton); }
};

}  // namespace

class TestPlayerPhotoFile : public QObject {
    Q_OBJECT

private slots:
    // A JPEG within the sheet's size is stored as the file has it; what must be encoded (a
    // bitmap, a JPEG too large for the sheet, a captured frame) is stored as a JPEG of it.
    void storedBytes_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("asTheFileIs");
        QTest::newRow("JPEG file") << u"foto.jpg"_s << QSize(120, 90) << true;
        QTest::newRow("JPEG file named .jpeg") << u"foto.jpeg"_s << QSize(90, 120) << true;
        QTest::newRow("bitmap file") << u"foto.bmp"_s << QSize(120, 90) << false;
        QTest::newRow("JPEG larger than the sheet") << u"grande.jpg"_s << QSize(3000, 2000) << false;
        QTest::newRow("camera frame") << QString() << QSize(640, 480) << false;
    }
    void storedBytes()
    {
        QFETCH(QString, source);
        QFETCH(QSize, size);
        QFETCH(bool, asTheFileIs);
        PlayerEditor e;
        QVERIFY(e.open());
        e.fillMandatory();
        const QImage picture = stripes(size, Qt::red);
        QByteArray file;
        if (source.isEmpty()) {
            e.screen.setPhoto(picture);
        } else {
            file = encoded(picture, source.endsWith(u".bmp"_s) ? "BMP" : "JPEG", 40);
            QVERIFY(writeFile(e.folder.file(source), file));
            e.fake.fileAnswers = {e.folder.file(source)};
            e.click(u"btnCaricaFoto"_s);
        }
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.fake.lastMessage().text, recordEditing::insertedMessage);
        const QByteArray stored = bytesOf(photoStore::path(1));
        QVERIFY(stored.startsWith("\xFF\xD8"));
        QCOMPARE(stored == file, asTheFileIs);
        QCOMPARE(photoStore::load(1).size(), size.boundedTo(size.scaled(playerSheet::photoLimit(), Qt::KeepAspectRatio)));
    }

    // A save that did not change the photo leaves its file as it was, bytes and times; a changed
    // photo is written by its save, once. A record with no photo file yet gets the placeholder.
    void photoWrittenOnlyWhenChanged()
    {
        PlayerEditor e;
        e.write({player(u"Uno"_s), player(u"Due"_s)});
        QVERIFY(photoStore::makeFolder());
        QVERIFY(writeFile(photoStore::path(1), encoded(stripes({100, 80}, Qt::blue), "JPEG", 30)));
        const FileState before = fileState(photoStore::path(1));
        QVERIFY(e.open());
        e.screen.showRecord(1);
        QCOMPARE(e.photo().size(), QSize(100, 80));
        QTest::qWait(20);  // a rewrite now would carry a later time

        e.field(u"txtNote"_s)->setText(u"presenze aggiornate"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.fake.lastMessage().text, recordEditing::updatedMessage);
        QCOMPARE(e.records()[0].Note, u"presenze aggiornate"_s);
        QCOMPARE(fileState(photoStore::path(1)), before);
        e.click(u"cmdSalva"_s);
        QCOMPARE(fileState(photoStore::path(1)), before);

        // A new photo: written by the save, then left alone by the next one.
        e.screen.setPhoto(stripes({60, 70}, Qt::green));
        e.click(u"cmdSalva"_s);
        const FileState changed = fileState(photoStore::path(1));
        QVERIFY(changed.bytes != before.bytes);
        QCOMPARE(photoStore::load(1).size(), QSize(60, 70));
        QTest::qWait(20);
        e.field(u"txtNote"_s)->setText(u"ancora"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(fileState(photoStore::path(1)), changed);

        // Record 2 has no photo file: its first save gives it the placeholder.
        e.screen.showRecord(2);
        QVERIFY(!QFile::exists(photoStore::path(2)));
        e.click(u"cmdSalva"_s);
        QCOMPARE(photoStore::load(2).size(), placeholder().size());
    }

    // Another station saved the player after this screen showed it, changing the photo (and
    // perhaps the fields): this save writes nothing, offers the record as it is now, and the
    // reload brings the other station's photo too.
    void photoChangedByAnotherStation_data()
    {
        QTest::addColumn<bool>("theirFields");  // the other station changed a field as well
        QTest::addColumn<bool>("ourPhoto");     // this screen changed the photo, not a field
        QTest::addColumn<bool>("reload");
        QTest::newRow("their photo only; our field; reload") << false << false << true;
        QTest::newRow("their photo only; our photo; reload") << false << true << true;
        QTest::newRow("their photo and field; our field; reload") << true << false << true;
        QTest::newRow("their photo only; our field; keep the screen") << false << false << false;
    }
    void photoChangedByAnotherStation()
    {
        QFETCH(bool, theirFields);
        QFETCH(bool, ourPhoto);
        QFETCH(bool, reload);
        PlayerEditor e;
        e.write({player(u"Uno"_s)});
        QVERIFY(photoStore::store(1, plainPicture({40, 50}, Qt::red)));
        QVERIFY(e.open());
        e.screen.showRecord(1);
        QCOMPARE(e.photo().size(), QSize(40, 50));

        OtherStation other;
        other.screen.showRecord(1);
        other.screen.setPhoto(plainPicture({60, 70}, Qt::blue));
        if (theirFields)
            other.field(u"txtNote"_s)->setText(u"dalla segreteria"_s);
        other.save();
        QCOMPARE(e.fake.lastMessage().text, recordEditing::updatedMessage);
        const QByteArray theirRecord = bytesOf(e.path);
        const QByteArray theirPhoto = bytesOf(photoStore::path(1));
        e.fake.messages.clear();

        if (ourPhoto)
            e.screen.setPhoto(plainPicture({30, 30}, Qt::green));
        else
            e.field(u"txtNote"_s)->setText(u"dal campo"_s);
        e.fake.answers = FakePlatform::yesNo({reload});
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Question});
        QCOMPARE(e.fake.lastMessage().text, recordEditing::changedElsewhereQuestion);
        QCOMPARE(bytesOf(e.path), theirRecord);
        QCOMPARE(bytesOf(photoStore::path(1)), theirPhoto);

        if (!reload) {
            QCOMPARE(e.photo().size(), ourPhoto ? QSize(30, 30) : QSize(40, 50));
            return;
        }
        QCOMPARE(e.photo().size(), QSize(60, 70));
        QCOMPARE(e.field(u"txtNote"_s)->text(), theirFields ? u"dalla segreteria"_s : QString());
        // The screen is the archive's again: leaving asks nothing, and a save of a field goes
        // through and leaves the other station's photo as it wrote it.
        e.field(u"txtNote"_s)->setText(u"dopo"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.fake.lastMessage().text, recordEditing::updatedMessage);
        QCOMPARE(e.records()[0].Note, u"dopo"_s);
        QCOMPARE(bytesOf(photoStore::path(1)), theirPhoto);
    }
};

QTEST_MAIN(TestPlayerPhotoFile)
#include "tst_playerphotofile.moc"

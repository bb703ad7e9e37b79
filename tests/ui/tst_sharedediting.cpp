// Saving an entry while other stations work on the same tournament file, and the failures a shared
// folder brings: a record changed meanwhile, an archive kept locked, a disk that does not take the
// data, two tournaments whose names differ only by a blank.
#include "app/Avvio.h"
#include "app/Screens.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "storage/ArchiveLock.h"
#include "storage/FileFaults.h"
#include "storage/TournamentRecord.h"
#include "tournament/Torneo.h"
#include "FakePlatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

using platform::MessageKind;
using namespace std::chrono_literals;

namespace {

const QString archiveFailure = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i privilegi di "
    "scrittura nella cartella di installazione del programma.");
const QString changedElsewhere = QStringLiteral(
    "Attenzione: un'altra postazione ha modificato la scheda corrente dopo che \u00E8 stata visualizzata, pertanto "
    "le modifiche non sono state salvate.\n\r\n\rSi desidera visualizzare la scheda cos\u00EC come \u00E8 ora in "
    "archivio?");
const QString updated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

TournamentRecord entry(const QString& team, const QString& note)
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Note = note;
    record.Punteggio = QStringLiteral("1,00");
    record.setCompletato(false);
    return record;
}

QByteArray content(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void store(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The entry editor on a tournament of two entries, showing the first.
struct Station {
    FakePlatform fake;
    TempProgramFolder folder;
    Navigator navigator;
    QWidget launcher;
    TfrmTorneo screen{navigator};
    QString path = folder.file(QStringLiteral("Coppa.vai"));

    explicit Station(const QByteArray& first = entry(QStringLiteral("Aquile"), QStringLiteral("prima")).toBytes())
    {
        store(path, first + entry(QStringLiteral("Falchi"), QString()).toBytes());
        navigator.add(Screen::Launcher, &launcher);
        navigator.add(Screen::TournamentEditor, &screen);
        screen.setTournament(path, QStringLiteral("Coppa"));
        navigator.go(Screen::TournamentEditor, nullptr);
        click(QStringLiteral("cmdPrimo"));
    }
    QLineEdit* field(const QString& name) const { return screen.findChild<QLineEdit*>(name); }
    QString position() const { return screen.findChild<QLabel*>(QStringLiteral("lblPosizione"))->text(); }
    void click(const QString& button) { QTest::mouseClick(screen.findChild<PictureButton*>(button), Qt::LeftButton); }
    QByteArray record(qint64 position) const
    {
        return content(path).mid((position - 1) * TournamentRecord::Size, TournamentRecord::Size);
    }
};

}  // namespace

class TestSharedEditing : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { ArchiveLock::setPatience(4000ms); }

    // Another station saved the entry on screen after it was shown: nothing is written, the user
    // is told and may see the entry as the other station left it.
    void changedByAnotherStation_data()
    {
        QTest::addColumn<bool>("reload");
        QTest::newRow("user reloads the entry") << true;
        QTest::newRow("user keeps the screen") << false;
    }
    void changedByAnotherStation()
    {
        QFETCH(bool, reload);
        Station s;
        const QByteArray theirs = entry(QStringLiteral("Aquile"), QStringLiteral("dalla segreteria")).toBytes();
        store(s.path, theirs + s.record(2));

        s.field(QStringLiteral("txtNote"))->setText(QStringLiteral("dal campo"));
        s.fake.answers = FakePlatform::yesNo({reload});
        s.click(QStringLiteral("cmdSalva"));

        QCOMPARE(s.fake.messages.size(), 1);
        QCOMPARE(s.fake.lastMessage().kind, MessageKind::Question);
        QCOMPARE(s.fake.lastMessage().text, changedElsewhere);
        QCOMPARE(s.record(1), theirs);
        QCOMPARE(s.position(), QStringLiteral("1"));
        QCOMPARE(s.field(QStringLiteral("txtNote"))->text(), reload ? QStringLiteral("dalla segreteria") : QStringLiteral("dal campo"));

        // After a reload the entry is the file's again, and a change to it is saved.
        if (reload) {
            s.field(QStringLiteral("txtNote"))->setText(QStringLiteral("dopo"));
            s.click(QStringLiteral("cmdSalva"));
            QCOMPARE(s.fake.lastMessage().text, updated);
            QCOMPARE(TournamentRecord::fromBytes(s.record(1)).Note, QStringLiteral("dopo"));
        }
    }

    // Saving the same entry twice, or an entry that an older program wrote with leftovers after
    // its texts, is no conflict: only what the entry says counts.
    void ownSavesAreNoConflict()
    {
        QByteArray old = entry(QStringLiteral("Aquile"), QStringLiteral("prima")).toBytes();
        old[TournamentRecord::Layout.offsetOf("Note") + 10] = 'x';  // after the note's terminator
        Station s(old);
        for (const QString& note : {QStringLiteral("uno"), QStringLiteral("due")}) {
            s.field(QStringLiteral("txtNote"))->setText(note);
            s.click(QStringLiteral("cmdSalva"));
            QCOMPARE(s.fake.lastMessage().text, updated);
            QCOMPARE(TournamentRecord::fromBytes(s.record(1)).Note, note);
        }
    }

    // Another station keeps the archive locked: the user learns which one, and nothing is written.
    void archiveKeptLockedByAnotherStation()
    {
        Station s;
        ArchiveLock::setPatience(200ms);
        store(ArchiveLock::lockPathFor(s.path), "4242\ngolvera\nsegreteria-2\n");
        const QByteArray before = content(s.path);
        s.field(QStringLiteral("txtNote"))->setText(QStringLiteral("dal campo"));
        s.click(QStringLiteral("cmdSalva"));
        QCOMPARE(s.fake.lastMessage().kind, MessageKind::Plain);
        QCOMPARE(s.fake.lastMessage().text,
                 QStringLiteral("Attenzione: l'archivio \u00E8 in uso dalla postazione \"segreteria-2\", che non ha ancora "
                                "terminato di scriverlo. La scheda corrente non \u00E8 stata salvata.\n\r\n\rRiprovare tra "
                                "qualche istante."));
        QCOMPARE(content(s.path), before);
    }

    // A lock file that is a folder (or a FIFO) blocks every save until someone removes it: the
    // message names it.
    void lockThatIsNotAFileIsNamed()
    {
        Station s;
        const QString lock = ArchiveLock::lockPathFor(s.path);
        QVERIFY(QDir().mkdir(lock));
        const QByteArray before = content(s.path);
        s.field(QStringLiteral("txtNote"))->setText(QStringLiteral("dal campo"));
        s.click(QStringLiteral("cmdSalva"));
        QCOMPARE(s.fake.lastMessage().kind, MessageKind::Plain);
        QVERIFY2(s.fake.lastMessage().text.contains(QStringLiteral("\"%1\"").arg(lock)), qPrintable(s.fake.lastMessage().text));
        QVERIFY(s.fake.lastMessage().text.startsWith(QStringLiteral("Attenzione: il file di blocco")));
        QCOMPARE(content(s.path), before);
    }

    // A save the disk does not take (full, or a network share that fails the flush) is reported
    // and leaves the entry as it was.
    void diskThatDoesNotTakeTheSave_data()
    {
        QTest::addColumn<fileFaults::Fault>("fault");
        QTest::addColumn<bool>("append");
        QTest::newRow("update on a full disk") << fileFaults::Fault::WriteFails << false;
        QTest::newRow("update whose flush fails") << fileFaults::Fault::FlushFails << false;
        QTest::newRow("new entry on a full disk") << fileFaults::Fault::ShortWrite << true;
        QTest::newRow("new entry whose flush fails") << fileFaults::Fault::FlushFails << true;
    }
    void diskThatDoesNotTakeTheSave()
    {
        QFETCH(fileFaults::Fault, fault);
        QFETCH(bool, append);
        Station s;
        if (append)
            s.click(QStringLiteral("cmdNuovo"));
        s.field(QStringLiteral("txtConcorrente"))->setText(QStringLiteral("Leoni"));
        const QByteArray before = content(s.path);
        const fileFaults::Injected injected({fault, 0, s.path});
        s.click(QStringLiteral("cmdSalva"));
        QVERIFY(injected.strikes() > 0);
        QCOMPARE(s.fake.lastMessage().kind, MessageKind::Plain);
        QCOMPARE(s.fake.lastMessage().text, archiveFailure);
        QCOMPARE(content(s.path), before);
        QCOMPARE(s.position(), append ? QString() : QStringLiteral("1"));
    }

    // " Coppa.vai" and "Coppa.vai" are two tournaments: opening one opens that one, deleting it
    // leaves the other.
    void listedNameIsUsedAsItIs()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        store(folder.file(QStringLiteral(" Coppa.vai")), "con spazio");
        store(folder.file(QStringLiteral("Coppa.vai")), "senza");
        Screens screens;
        QWidget* open = screens.navigator().screen(Screen::OpenTournament);
        auto* list = open->findChild<QListWidget*>(QStringLiteral("lstFiles"));
        const auto choose = [&] {
            screens.navigator().go(Screen::OpenTournament, screens.launcher());
            list->findItems(QStringLiteral(" Coppa.vai"), Qt::MatchExactly).front()->setSelected(true);
        };

        choose();
        QTest::mouseClick(open->findChild<PictureButton*>(QStringLiteral("btnApri")), Qt::LeftButton);
        auto* editor = qobject_cast<TfrmTorneo*>(screens.navigator().screen(Screen::TournamentEditor));
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->tournamentPath(), folder.file(QStringLiteral(" Coppa.vai")));

        choose();
        fake.answers = {platform::Answer::Yes};
        QTest::mouseClick(open->findChild<PictureButton*>(QStringLiteral("btnElimina")), Qt::LeftButton);
        QCOMPARE(fake.lastMessage().text, QStringLiteral("Il torneo \u00E8 stato eliminato con successo."));
        QVERIFY(!QFileInfo::exists(folder.file(QStringLiteral(" Coppa.vai"))));
        QCOMPARE(content(folder.file(QStringLiteral("Coppa.vai"))), QByteArray("senza"));
        QCOMPARE(list->count(), 1);
    }
};

QTEST_MAIN(TestSharedEditing)
#include "tst_sharedediting.moc"

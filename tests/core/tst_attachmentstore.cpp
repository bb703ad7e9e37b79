// Copying attached files into Documenti_Allegati: a new name, a name already there (replaced or
// kept), a file picked from the folder itself, and a copy that fails.
#include "app/ProgramFolder.h"
#include "attachments/AttachmentStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using Outcome = attachmentStore::Attached::Outcome;

Q_DECLARE_METATYPE(Outcome)

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestAttachmentStore : public QObject {
    Q_OBJECT

private slots:
    void attach_data()
    {
        QTest::addColumn<QByteArray>("stored");    // already in the folder under the same name; null: none
        QTest::addColumn<bool>("fromFolder");      // the file is picked from the folder itself
        QTest::addColumn<bool>("answer");          // to the question, if asked
        QTest::addColumn<bool>("asked");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<QByteArray>("after");     // the folder's file afterwards
        QTest::newRow("new name") << QByteArray() << false << true << false << Outcome::Copied << "nuovo"_ba;
        QTest::newRow("same name, replaced") << "vecchio"_ba << false << true << true << Outcome::Copied << "nuovo"_ba;
        QTest::newRow("same name, kept") << "vecchio"_ba << false << false << true << Outcome::KeptExisting
                                         << "vecchio"_ba;
        QTest::newRow("picked from the folder") << "vecchio"_ba << true << true << false << Outcome::AlreadyThere
                                                << "vecchio"_ba;
    }
    void attach()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, fromFolder);
        QFETCH(bool, answer);
        QFETCH(bool, asked);
        QFETCH(Outcome, outcome);
        QFETCH(QByteArray, after);
        QTemporaryDir program;
        QTemporaryDir elsewhere;
        programFolder::set(program.path());
        const QString target = attachmentStore::path(u"Certificato Medico.PDF"_s);
        QCOMPARE(target, program.filePath(u"Documenti_Allegati/Certificato Medico.PDF"_s));
        if (!stored.isNull()) {
            QVERIFY(QDir().mkpath(attachmentStore::folder()));
            writeFile(target, stored);
        }
        const QString source = fromFolder ? target : elsewhere.filePath(u"Certificato Medico.PDF"_s);
        if (!fromFolder)
            writeFile(source, "nuovo");

        bool questioned = false;
        const attachmentStore::Attached attached = attachmentStore::attach(source, [&](const QList<attachmentStore::Holder>&) {
            questioned = true;
            return answer;
        });
        QCOMPARE(attached.outcome, outcome);
        QCOMPARE(attached.name, u"Certificato Medico.PDF"_s);  // the case kept
        QCOMPARE(questioned, asked);
        QCOMPARE(readFile(target), after);
        QCOMPARE(QDir(attachmentStore::folder()).entryList(QDir::Files).size(), 1);
    }

    void aFailedCopyKeepsTheStoredFile()
    {
        QTemporaryDir program;
        programFolder::set(program.path());
        QVERIFY(QDir().mkpath(attachmentStore::folder()));
        writeFile(attachmentStore::path(u"mem"_s), "vecchio");
        // A file that opens but cannot be read: the copy fails part way.
        const attachmentStore::Attached attached = attachmentStore::attach(u"/proc/self/mem"_s, [](const QList<attachmentStore::Holder>&) { return true; });
        QCOMPARE(attached.outcome, Outcome::Failed);
        QCOMPARE(readFile(attachmentStore::path(u"mem"_s)), "vecchio"_ba);
        QCOMPARE(QDir(attachmentStore::folder()).entryList(QDir::Files), QStringList{u"mem"_s});
    }

    void aFolderThatCannotBeMadeFails()
    {
        QTemporaryDir program;
        QTemporaryDir elsewhere;
        programFolder::set(program.path());
        writeFile(program.filePath(u"Documenti_Allegati"_s), "a file, not a folder");
        writeFile(elsewhere.filePath(u"a.txt"_s), "a");
        QCOMPARE(attachmentStore::attach(elsewhere.filePath(u"a.txt"_s), [](const QList<attachmentStore::Holder>&) { return true; }).outcome, Outcome::Failed);
        QCOMPARE(attachmentStore::attach(elsewhere.filePath(u"missing.txt"_s), [](const QList<attachmentStore::Holder>&) { return true; }).outcome,
                 Outcome::Failed);
    }
};

QTEST_APPLESS_MAIN(TestAttachmentStore)
#include "tst_attachmentstore.moc"

// "Allega file": the dialog on a minimal editor of its own and on the player editor; what it
// copies into Documenti_Allegati at once, and what reaches the editor only on "Applica e chiudi".
#include "attachments/AttachmentStore.h"
#include "common/AllegaCartella.h"
#include "platform/ChooserFolders.h"
#include "player_editor.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QPushButton>
#include <QtTest>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

// The least an editor needs to use the dialog: a window to own it and the six values.
struct StandInEditor final : AttachmentHolder {
    QWidget window;
    Attachments values;
    int applied = 0;

    Attachments attachments() const override { return values; }
    void setAttachments(const Attachments& attachments) override
    {
        values = attachments;
        ++applied;
    }
};

QLineEdit* line(const QObject* dialog, const QString& name) { return widgets::find<QLineEdit>(dialog, name); }
QPushButton* button(const QObject* dialog, const QString& name) { return widgets::find<QPushButton>(dialog, name); }

QString writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestAttachmentsDialog : public QObject {
    Q_OBJECT

private slots:
    void layoutAndValuesHandedOver()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        StandInEditor editor;
        editor.values = {Attachment{u"  tessera.pdf "_s, u" Tessera 2026"_s}, Attachment{}, Attachment{u"foto.jpg"_s, {}}};
        QStringList shown;
        QList<bool> openable;
        QSize size;
        QString title;
        fake.onDialog = [&](QObject* dialog) {
            size = static_cast<QWidget*>(dialog)->size();
            title = static_cast<QWidget*>(dialog)->windowTitle();
            for (const QString& slot : {u"01"_s, u"02"_s, u"03"_s}) {
                shown << line(dialog, u"txtFile"_s + slot)->text() << line(dialog, u"txtDesc"_s + slot)->text();
                openable << button(dialog, u"btnApri"_s + slot)->isEnabled();
                QVERIFY(line(dialog, u"txtFile"_s + slot)->isReadOnly());
                QVERIFY(widgets::find<PictureButton>(dialog, u"imgCancella"_s + slot));
                QCOMPARE(button(dialog, u"btnSfoglia"_s + slot)->text(), u"Sfoglia..."_s);
            }
        };
        TfrmAllegaCartella::edit(&editor.window, editor);
        QCOMPARE(fake.dialogsRun, QStringList{u"TfrmAllegaCartella"_s});
        QCOMPARE(size, QSize(634, 534));
        QCOMPARE(title, u" Allega file"_s);
        QCOMPARE(shown, (QStringList{u"tessera.pdf"_s, u"Tessera 2026"_s, {}, {}, u"foto.jpg"_s, {}}));
        QCOMPARE(openable, (QList<bool>{true, false, true}));
        QCOMPARE(editor.applied, 0);  // the dialog ended without "Applica e chiudi"
    }

    void applyAndCancel_data()
    {
        QTest::addColumn<bool>("apply");
        QTest::newRow("apply") << true;
        QTest::newRow("cancel") << false;
    }
    void applyAndCancel()
    {
        QFETCH(bool, apply);
        FakePlatform fake;
        TempProgramFolder folder;
        QTemporaryDir elsewhere;
        StandInEditor editor;
        editor.values = {Attachment{u"vecchio.pdf"_s, u"Vecchio"_s}, Attachment{u"due.txt"_s, u"Due"_s}, Attachment{}};
        const Attachments before = editor.values;
        const QString source = writeFile(elsewhere.filePath(u"Referto.PDF"_s), "referto");
        fake.fileAnswers = {source};
        fake.onDialog = [&](QObject* dialog) {
            button(dialog, u"btnSfoglia03"_s)->click();
            QCOMPARE(line(dialog, u"txtFile03"_s)->text(), u"Referto.PDF"_s);
            QVERIFY(button(dialog, u"btnApri03"_s)->isEnabled());
            line(dialog, u"txtDesc03"_s)->setText(u"  Referto medico  "_s);
            // Clearing a name keeps its description.
            QTest::mouseClick(widgets::find<PictureButton>(dialog, u"imgCancella02"_s), Qt::LeftButton);
            QCOMPARE(line(dialog, u"txtFile02"_s)->text(), QString());
            QVERIFY(!button(dialog, u"btnApri02"_s)->isEnabled());
            button(dialog, apply ? u"btnApplica"_s : u"btnAnnulla"_s)->click();
        };
        const QString startFolder = chooserFolders::attachments();
        TfrmAllegaCartella::edit(&editor.window, editor);

        QCOMPARE(fake.fileRequests.size(), 1);
        QCOMPARE(fake.fileRequests[0].title, u"Selezionare il file da allegare:"_s);
        QCOMPARE(fake.fileRequests[0].folder, startFolder);
        // The next chooser opens where this file came from.
        QCOMPARE(chooserFolders::attachments(), elsewhere.path());
        QVERIFY(fake.messages.isEmpty());
        // The copy is made at once, whatever the user does next.
        QCOMPARE(readFile(attachmentStore::path(u"Referto.PDF"_s)), "referto"_ba);
        if (apply) {
            QCOMPARE(editor.applied, 1);
            QCOMPARE(editor.values, (Attachments{Attachment{u"vecchio.pdf"_s, u"Vecchio"_s}, Attachment{{}, u"Due"_s},
                                                 Attachment{u"Referto.PDF"_s, u"Referto medico"_s}}));
        } else {
            QCOMPARE(editor.applied, 0);
            QCOMPARE(editor.values, before);
        }
    }

    void browsing_data()
    {
        QTest::addColumn<QString>("picked");     // "outside", "inside", "cancel", "unreadable"
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<QString>("name");       // the slot's name afterwards
        QTest::addColumn<QByteArray>("stored");  // the folder's uno.txt afterwards
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("warnings");
        QTest::newRow("same name, replaced") << u"outside"_s << QList<bool>{true} << u"uno.txt"_s << "nuovo"_ba << 1 << 0;
        QTest::newRow("same name, kept") << u"outside"_s << QList<bool>{false} << u"uno.txt"_s << "vecchio"_ba << 1 << 0;
        QTest::newRow("picked from the folder") << u"inside"_s << QList<bool>() << u"uno.txt"_s << "vecchio"_ba << 0 << 0;
        QTest::newRow("cancelled") << u"cancel"_s << QList<bool>() << u"prima.doc"_s << "vecchio"_ba << 0 << 0;
        QTest::newRow("copy fails") << u"unreadable"_s << QList<bool>{true} << u"prima.doc"_s << "vecchio"_ba << 1 << 1;
    }
    void browsing()
    {
        QFETCH(QString, picked);
        QFETCH(QList<bool>, answers);
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        QFETCH(int, questions);
        QFETCH(int, warnings);
        FakePlatform fake;
        TempProgramFolder folder;
        QTemporaryDir elsewhere;
        QVERIFY(QDir().mkpath(attachmentStore::folder()));
        writeFile(attachmentStore::path(u"uno.txt"_s), "vecchio");
        writeFile(attachmentStore::path(u"mem"_s), "vecchio");
        if (picked == u"outside"_s)
            fake.fileAnswers = {writeFile(elsewhere.filePath(u"uno.txt"_s), "nuovo")};
        else if (picked == u"inside"_s)
            fake.fileAnswers = {attachmentStore::path(u"uno.txt"_s)};
        else if (picked == u"unreadable"_s)
            fake.fileAnswers = {u"/proc/self/mem"_s};  // opens, but cannot be read
        fake.answers = FakePlatform::yesNo(answers);

        StandInEditor editor;
        editor.values[0] = {u"prima.doc"_s, u"Prima"_s};
        fake.onDialog = [&](QObject* dialog) {
            button(dialog, u"btnSfoglia01"_s)->click();
            QCOMPARE(line(dialog, u"txtFile01"_s)->text(), name);
            button(dialog, u"btnApplica"_s)->click();
        };
        TfrmAllegaCartella::edit(&editor.window, editor);
        QCOMPARE(editor.values[0].file, name);
        QCOMPARE(readFile(attachmentStore::path(u"uno.txt"_s)), stored);
        QCOMPARE(readFile(attachmentStore::path(u"mem"_s)), "vecchio"_ba);
        int asked = 0;
        int warned = 0;
        for (const ShownMessage& message : fake.messages) {
            asked += message.kind == MessageKind::Question;
            warned += message.kind == MessageKind::Warning;
        }
        QCOMPARE(asked, questions);
        QCOMPARE(warned, warnings);
        if (questions)
            QVERIFY(fake.messages.first().text.startsWith(
                u"Attenzione: nella cartella dei documenti allegati \u00E8 presente un file con lo stesso nome."_s));
    }

    // The name a file is copied under is the name the record keeps and "Apri" opens: blanks
    // trimmed, letters Windows-1252 cannot hold turned into "?" as the record turns them (and the
    // user told so).
    void namesRoundTrip_data()
    {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("told");
        QTest::newRow("blanks around") << u"  visita medica.pdf "_s << u"visita medica.pdf"_s << false;
        QTest::newRow("Polish and Chinese") << u"\u0142\u00F3d\u017A \u6587\u4EF6.pdf"_s << u"?\u00F3d? ??.pdf"_s << true;
        QTest::newRow("Greek") << u"\u0395\u03BB\u03BB\u03AC\u03B4\u03B1.txt"_s << u"??????.txt"_s << true;
    }
    void namesRoundTrip()
    {
        QFETCH(QString, picked);
        QFETCH(QString, stored);
        QFETCH(bool, told);
        PlayerEditor e;
        e.write({player(u"Uno"_s)});
        QVERIFY(e.open());
        e.screen.showRecord(1);
        QTemporaryDir elsewhere;
        e.fake.fileAnswers = {writeFile(elsewhere.filePath(picked), "contenuto")};
        e.fake.onDialog = [&](QObject* dialog) {
            button(dialog, u"btnSfoglia01"_s)->click();
            QCOMPARE(line(dialog, u"txtFile01"_s)->text(), stored);
            button(dialog, u"btnApplica"_s)->click();
        };
        e.click(u"cmdFile"_s);
        QCOMPARE(QDir(attachmentStore::folder()).entryList(QDir::Files | QDir::Hidden), QStringList{stored});
        QCOMPARE(readFile(attachmentStore::path(stored)), "contenuto"_ba);
        QCOMPARE(e.fake.messages.size(), told ? 1 : 0);
        if (told) {
            QCOMPARE(e.fake.lastMessage().kind, MessageKind::Information);
            QVERIFY(e.fake.lastMessage().text.contains(u"\""_s + stored + u"\""_s));
        }

        e.click(u"cmdSalva"_s);
        QCOMPARE(e.records()[0].File01, stored);
        e.click(u"cmdPrimo"_s);
        e.fake.onDialog = [&](QObject* dialog) { button(dialog, u"btnApri01"_s)->click(); };
        e.click(u"cmdFile"_s);
        QCOMPARE(e.fake.opened.size(), 1);
        QCOMPARE(e.fake.opened[0].toLocalFile(), attachmentStore::path(stored));
        QVERIFY(QFileInfo::exists(e.fake.opened[0].toLocalFile()));
    }

    // A file of that name that a record already uses: the question says which record, and a
    // hurried Enter keeps the file.
    void overwritingAFileARecordUses()
    {
        PlayerEditor e;
        e.write({player(u"Rossi Mario"_s, u"tessera.pdf"_s, u"Tessera"_s), player(u"Verdi Luca"_s)});
        QVERIFY(QDir().mkpath(attachmentStore::folder()));
        writeFile(attachmentStore::path(u"tessera.pdf"_s), "la tessera di Rossi");
        QVERIFY(e.open());
        e.screen.showRecord(2);
        QTemporaryDir elsewhere;
        e.fake.fileAnswers = {writeFile(elsewhere.filePath(u"tessera.pdf"_s), "la tessera di Verdi")};
        e.fake.onDialog = [&](QObject* dialog) {
            button(dialog, u"btnSfoglia01"_s)->click();
            button(dialog, u"btnApplica"_s)->click();
        };
        e.click(u"cmdFile"_s);
        QCOMPARE(e.fake.messages.size(), 1);
        QCOMPARE(e.fake.lastMessage().choices.preset, platform::Answer::No);
        QVERIFY2(e.fake.lastMessage().text.contains(u"alla scheda del giocatore \"Rossi Mario\""_s),
                 qPrintable(e.fake.lastMessage().text));
        QCOMPARE(readFile(attachmentStore::path(u"tessera.pdf"_s)), "la tessera di Rossi"_ba);
    }

    void openHandsTheFileToTheDesktop()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        StandInEditor editor;
        editor.values[1] = {u"Tessera 2026.pdf"_s, {}};
        fake.onDialog = [&](QObject* dialog) { button(dialog, u"btnApri02"_s)->click(); };
        TfrmAllegaCartella::edit(&editor.window, editor);
        QCOMPARE(fake.opened.size(), 1);
        QCOMPARE(fake.opened[0].toLocalFile(), folder.file(u"Documenti_Allegati/Tessera 2026.pdf"_s));
    }

    void playerEditorKeepsTheAttachmentsUntilSaved()
    {
        PlayerEditor e;
        e.write({player(u"Uno"_s, u"tessera.pdf"_s, u"Tessera"_s)});
        QVERIFY(e.open());
        e.screen.showRecord(1);
        QTemporaryDir elsewhere;
        e.fake.fileAnswers = {writeFile(elsewhere.filePath(u"visita.pdf"_s), "visita")};
        QStringList handedOver;
        e.fake.onDialog = [&](QObject* dialog) {
            handedOver << line(dialog, u"txtFile01"_s)->text() << line(dialog, u"txtDesc01"_s)->text();
            button(dialog, u"btnSfoglia02"_s)->click();
            line(dialog, u"txtDesc02"_s)->setText(u"Visita medica"_s);
            button(dialog, u"btnApplica"_s)->click();
        };
        e.click(u"cmdFile"_s);
        QCOMPARE(handedOver, (QStringList{u"tessera.pdf"_s, u"Tessera"_s}));
        // Applied, but not saved: the archive keeps the old attachments.
        QCOMPARE(e.records()[0].File02, QString());
        e.click(u"cmdSalva"_s);
        const PlayerRecord saved = e.records()[0];
        QCOMPARE(saved.File01, u"tessera.pdf"_s);
        QCOMPARE(saved.File02, u"visita.pdf"_s);
        QCOMPARE(saved.Desc02, u"Visita medica"_s);

        // Cancelled: nothing reaches the record.
        e.fake.onDialog = [&](QObject* dialog) {
            QTest::mouseClick(widgets::find<PictureButton>(dialog, u"imgCancella01"_s), Qt::LeftButton);
            button(dialog, u"btnAnnulla"_s)->click();
        };
        e.click(u"cmdFile"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.records()[0].File01, u"tessera.pdf"_s);
        // A new record starts without attachments.
        e.click(u"cmdNuovo"_s);
        e.fake.onDialog = [&](QObject* dialog) {
            handedOver = {line(dialog, u"txtFile01"_s)->text(), line(dialog, u"txtFile02"_s)->text()};
        };
        e.click(u"cmdFile"_s);
        QCOMPARE(handedOver, (QStringList{{}, {}}));
    }
};

QTEST_MAIN(TestAttachmentsDialog)
#include "tst_attachmentsdialog.moc"

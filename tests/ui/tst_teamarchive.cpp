// The team archive editor: its table of fields and buttons, the road of a record from new to
// saved, changed and duplicated, navigation, the failure boxes, hints and help, and the ways the
// search, the selected-teams list and the sheet print lead back to it.
#include "app/ProgramFolder.h"
#include "app/Screens.h"
#include "common/HelpTopics.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "output/RecordListScreen.h"
#include "storage/TeamRecord.h"
#include "teams/Squadre.h"
#include "EditorFixture.h"
#include "FakePlatform.h"
#include "Widgets.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

const QString teamMissing = u"Attenzione: per salvare la scheda \u00E8 necessario indicare il nome della squadra."_s;
const QString inserted = u"La scheda corrente \u00E8 stata inserita in archivio."_s;
const QString updated = u"Le modifiche apportate alla scheda corrente sono state salvate in archivio."_s;
const QString noRecords = u"L'archivio non contiene nessuna scheda."_s;
const QString duplicateUnsaved =
    u"Attenzione: la duplicazione di una scheda pu\u00F2 avvenire soltanto dopo che questa \u00E8 stata inserita in archivio."_s;
const QString archiveFailure =
    u"Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i privilegi di "
    "scrittura nella cartella di installazione del programma."_s;

TeamRecord team(const QString& name, const QString& selected = u"No"_s, const QString& coach = {})
{
    TeamRecord record;
    record.Squadra = name;
    record.Allenatore = coach;
    record.Campo = u"Comunale"_s;
    record.Selezionata = selected;
    return record;
}

// The editor over a team archive in its own temporary program folder, with a stand-in launcher.
struct Editor : EditorFixture<TfrmSquadre, TeamRecord> {
    Editor()
        : EditorFixture(Screen::TeamArchive, programFolder::teamArchiveName)
    {
    }

    QCheckBox* selected() const { return find<QCheckBox>(u"chkSelezionata"_s); }
    QString position() const { return find<QLabel>(u"lblPosizione"_s)->text(); }
};

}  // namespace

class TestTeamArchive : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fieldsAndLayout()
    {
        Editor e;
        QCOMPARE(e.find<QLabel>(u"panInfo"_s)->text(), u"Pronto per archiviare una nuova scheda..."_s);
        QVERIFY(e.open());
        QCOMPARE(e.screen.windowTitle(), u" Golvera - Archivio Squadre"_s);
        QCOMPARE(e.find<QWidget>(u"panContent"_s)->size(), QSize(994, 692));

        // Name, position, width and capacity of the 19 fields, in Enter order.
        const struct {
            const char* name;
            QPoint at;
            int width;
            int capacity;
        } fields[] = {
            {"txtSquadra", {82, 116}, 240, 50},       {"txtColori", {328, 116}, 240, 50},
            {"txtSede", {574, 116}, 190, 120},        {"txtCampo", {770, 116}, 190, 50},
            {"txtPresidente", {34, 188}, 220, 120},   {"txtAllenatore", {260, 188}, 220, 120},
            {"txtCapitano", {486, 188}, 190, 120},    {"txtCapocannoniere", {752, 188}, 208, 120},
            {"txtPortieri", {312, 258}, 648, 250},    {"txtDifensori", {312, 306}, 648, 250},
            {"txtCentrocampisti", {312, 354}, 648, 250}, {"txtAttaccanti", {312, 402}, 648, 250},
            {"txtFondazione", {34, 474}, 140, 30},    {"txtFondatore", {180, 474}, 178, 120},
            {"txtResponsabile", {364, 474}, 200, 120}, {"txtTelefono", {570, 474}, 140, 50},
            {"txtEmail", {716, 474}, 216, 50},        {"txtPalmares", {114, 544}, 687, 250},
            {"txtNote", {114, 592}, 846, 250},
        };
        QStringList names;
        for (const auto& f : fields) {
            QLineEdit* edit = e.field(QLatin1String(f.name));
            names << QLatin1String(f.name);
            QCOMPARE(edit->pos(), f.at);
            QCOMPARE(edit->width(), f.width);
            QCOMPARE(edit->maxLength(), f.capacity);
            QCOMPARE(edit->font().family(), u"Verdana"_s);
            QVERIFY(edit->font().bold());
        }
        names.sort();
        QCOMPARE(widgets::names<QLineEdit>(&e.screen), names);  // no other edit field

        // Enter follows the table and goes round from the notes to the name.
        QLineEdit* first = e.field(u"txtSquadra"_s);
        QVERIFY(first->hasFocus());
        for (const auto& f : fields) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(f.name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }
        QCOMPARE(QApplication::focusWidget(), first);

        QCOMPARE(e.selected()->text(), u"Selezionata"_s);
        QCOMPARE(e.selected()->pos(), QPoint(858, 540));
        QCOMPARE(e.find<QLabel>(u"lblPosizione"_s)->geometry(), QRect(619, 20, 74, 32));

        const QStringList buttons = {u"btnEmail"_s,  u"cmdAvanti"_s, u"cmdDuplica"_s, u"cmdEsci"_s,
                                     u"cmdEsporta"_s, u"cmdFile"_s,  u"cmdGuida"_s,   u"cmdImporta"_s, u"cmdIndietro"_s,
                                     u"cmdNuovo"_s,  u"cmdPrimo"_s,  u"cmdRitira"_s,  u"cmdSalva"_s,   u"cmdSelezionate"_s,
                                     u"cmdStampa"_s, u"cmdTrova"_s,  u"cmdUltimo"_s};
        QCOMPARE(widgets::names<PictureButton>(&e.screen), buttons);
        for (PictureButton* b : e.screen.findChildren<PictureButton*>()) {
            QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
            if (b->objectName() == u"btnEmail"_s)
                QCOMPARE(b->geometry(), QRect(938, 474, 22, 22));
            else if (b->objectName() == u"cmdFile"_s || b->objectName() == u"cmdStampa"_s)
                QCOMPARE(b->size(), QSize(148, 32));
            else if (b->objectName() == u"cmdRitira"_s)  // under the full toolbar
                QCOMPARE(b->geometry(), QRect(944, 60, 28, 28));
            else
                QCOMPARE(b->size(), QSize(37, 39));
        }
        QCOMPARE(e.find<PictureButton>(u"cmdSelezionate"_s)->x(), 835);
    }

    // "Allega file" edits the record's attachments, which reach the archive with the next save.
    void attachmentsReachTheRecordWithTheSave()
    {
        Editor e;
        TeamRecord stored = team(u"Aquile"_s);
        stored.File01 = u"statuto.pdf"_s;
        stored.Desc01 = u"Statuto"_s;
        e.write({stored});
        QVERIFY(e.open());
        e.screen.showRecord(1);
        QString handedOver;
        e.fake.onDialog = [&](QObject* dialog) {
            handedOver = widgets::find<QLineEdit>(dialog, u"txtFile01"_s)->text();
            widgets::find<QLineEdit>(dialog, u"txtDesc01"_s)->setText(u"Statuto 2026"_s);
            widgets::find<QPushButton>(dialog, u"btnApplica"_s)->click();
        };
        e.click(u"cmdFile"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmAllegaCartella"_s});
        QCOMPARE(handedOver, u"statuto.pdf"_s);
        QCOMPARE(e.records()[0].Desc01, u"Statuto"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.records()[0].File01, u"statuto.pdf"_s);
        QCOMPARE(e.records()[0].Desc01, u"Statuto 2026"_s);
    }

    void recordRoad()
    {
        Editor e;
        QVERIFY(e.open());
        QCOMPARE(e.position(), QString());
        QTest::keyClicks(e.field(u"txtSquadra"_s), u"  Aquile  "_s);
        e.field(u"txtEmail"_s)->setText(u"info@aquile.it"_s);
        e.selected()->setChecked(true);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Information});
        QCOMPARE(e.fake.lastMessage().text, inserted);
        QCOMPARE(e.position(), u"1"_s);
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), u"  Aquile  "_s);  // the screen is not reloaded
        QList<TeamRecord> saved = e.records();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].Squadra, u"Aquile"_s);
        QCOMPARE(saved[0].Email, u"info@aquile.it"_s);
        QCOMPARE(saved[0].Selezionata, u"S\u00EC"_s);

        // A change is written in place.
        e.write({team(u"Lupi"_s), team(u"Orsi"_s), team(u"Falchi"_s, u"S\u00EC"_s)});
        TeamRecord third = e.records()[2];
        third.File01 = u"rosa.pdf"_s;
        third.Desc02 = u"Foto"_s;
        e.write({team(u"Lupi"_s), team(u"Orsi"_s), third});
        const qint64 length = QFileInfo(e.path).size();
        e.click(u"cmdUltimo"_s);
        QCOMPARE(e.position(), u"3"_s);
        QVERIFY(e.selected()->isChecked());
        QCOMPARE(e.screen.attachment(u"File01"_s), u"rosa.pdf"_s);
        e.field(u"txtAllenatore"_s)->setText(u"Bianchi"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.fake.lastMessage().text, updated);
        QCOMPARE(e.position(), u"3"_s);
        QCOMPARE(QFileInfo(e.path).size(), length);
        saved = e.records();
        QCOMPARE(saved[2].Allenatore, u"Bianchi"_s);
        QCOMPARE(saved[2].File01, u"rosa.pdf"_s);
        QCOMPARE(saved[2].Desc02, u"Foto"_s);

        // A duplicate is appended, not selected and without attachments; the original stays.
        e.click(u"cmdDuplica"_s);
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Information);
        QCOMPARE(e.fake.lastMessage().text,
                 u"E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine premere "
                 "Salva per inserire la scheda in archivio."_s);
        QCOMPARE(e.position(), QString());
        QVERIFY(!e.selected()->isChecked());
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), u"Falchi"_s);
        QVERIFY(e.field(u"txtSquadra"_s)->hasFocus());
        e.field(u"txtSquadra"_s)->setText(u"Falchi B"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.fake.lastMessage().text, inserted);
        QCOMPARE(e.position(), u"4"_s);
        saved = e.records();
        QCOMPARE(saved.size(), 4);
        QCOMPARE(saved[3].Squadra, u"Falchi B"_s);
        QCOMPARE(saved[3].Allenatore, u"Bianchi"_s);
        QCOMPARE(saved[3].Selezionata, u"No"_s);
        for (const QString& none : {saved[3].File01, saved[3].File02, saved[3].File03, saved[3].Desc01,
                                    saved[3].Desc02, saved[3].Desc03})
            QCOMPARE(none, QString());
        QCOMPARE(saved[2].Squadra, u"Falchi"_s);
        QCOMPARE(saved[2].Selezionata, u"S\u00EC"_s);
        QCOMPARE(saved[2].File01, u"rosa.pdf"_s);

        // New empties everything, the hidden values too.
        e.click(u"cmdNuovo"_s);
        QCOMPARE(e.position(), QString());
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), QString());
        QCOMPARE(e.screen.attachment(u"File01"_s), QString());
    }

    void saveRefusalsAndDuplicateWarning()
    {
        Editor e;
        QVERIFY(e.open());
        e.field(u"txtColori"_s)->setText(u"Rosso"_s);
        e.field(u"txtSquadra"_s)->setText(u"   "_s);
        e.field(u"txtColori"_s)->setFocus();
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Warning});
        QCOMPARE(e.fake.lastMessage().text, teamMissing);
        QVERIFY(e.field(u"txtSquadra"_s)->hasFocus());
        QVERIFY(!QFileInfo::exists(e.path) || e.records().isEmpty());

        e.click(u"cmdDuplica"_s);
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(e.fake.lastMessage().text, duplicateUnsaved);
        QCOMPARE(e.field(u"txtColori"_s)->text(), u"Rosso"_s);
        QVERIFY(!QFileInfo::exists(e.path) || e.records().isEmpty());
    }

    void navigation_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("from");  // position label before the step
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown");  // position label after; "-" with the no-records box
        QTest::newRow("empty: first") << 0 << "" << "cmdPrimo" << "-";
        QTest::newRow("empty: next") << 0 << "" << "cmdAvanti" << "-";
        QTest::newRow("one: last") << 1 << "" << "cmdUltimo" << "1";
        QTest::newRow("one: next on the last") << 1 << "1" << "cmdAvanti" << "1";
        QTest::newRow("three: next from new") << 3 << "" << "cmdAvanti" << "1";
        QTest::newRow("three: previous from new") << 3 << "" << "cmdIndietro" << "1";
        QTest::newRow("three: previous on the first") << 3 << "1" << "cmdIndietro" << "1";
        QTest::newRow("three: next") << 3 << "2" << "cmdAvanti" << "3";
        QTest::newRow("three: previous") << 3 << "3" << "cmdIndietro" << "2";
        QTest::newRow("three: last") << 3 << "1" << "cmdUltimo" << "3";
    }

    void navigation()
    {
        QFETCH(int, count);
        QFETCH(QString, from);
        QFETCH(QString, button);
        QFETCH(QString, shown);
        Editor e;
        const QList<TeamRecord> all = {team(u"Lupi"_s), team(u"Orsi"_s), team(u"Falchi"_s)};
        e.write(all.mid(0, count));
        QVERIFY(e.open());
        if (!from.isEmpty())
            e.screen.showRecord(from.toLongLong());
        e.click(button);
        if (shown == u"-"_s) {
            QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Information});
            QCOMPARE(e.fake.lastMessage().text, noRecords);
            QCOMPARE(e.position(), QString());
            return;
        }
        QVERIFY(e.fake.messages.isEmpty());
        QCOMPARE(e.position(), shown);
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), all[shown.toInt() - 1].Squadra);
    }

    void saveFailureKeepsTheScreen()
    {
        Editor e;
        programFolder::set(e.folder.file(u"manca"_s));
        QVERIFY(e.open());
        e.field(u"txtSquadra"_s)->setText(u"Aquile"_s);
        e.click(u"cmdSalva"_s);
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Error});
        QCOMPARE(e.fake.lastMessage().text, archiveFailure);
        QCOMPARE(e.position(), QString());
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), u"Aquile"_s);
        QVERIFY(e.screen.isVisible());

        e.click(u"cmdPrimo"_s);
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Error);
        // Duplicate, the changes not wanted in the archive, reports the same failure in a warning box.
        e.screen.findChild<QLabel*>(u"lblPosizione"_s)->setText(u"1"_s);
        e.fake.answers = {platform::Answer::No};
        e.click(u"cmdDuplica"_s);
        QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
        QCOMPARE(e.fake.lastMessage().text, archiveFailure);
    }

    void textStopsAtCapacity()
    {
        Editor e;
        QVERIFY(e.open());
        QLineEdit* founded = e.field(u"txtFondazione"_s);
        QTest::keyClicks(founded, QString(35, u'9'));
        QCOMPARE(founded->text(), QString(30, u'9'));
        // Blanks typed at the ends of the e-mail disappear at once; inside they stay.
        QLineEdit* email = e.field(u"txtEmail"_s);
        QTest::keyClicks(email, u" ab "_s);
        QCOMPARE(email->text(), u"ab"_s);
        QTest::keyClick(email, Qt::Key_Left);
        QTest::keyClick(email, Qt::Key_Space);
        QCOMPARE(email->text(), u"a b"_s);
    }

    // The same keys as in the tournament editor, from any field.
    void shortcuts_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("labelAfter");
        QTest::addColumn<QStringList>("dialogs");
        const auto keys = [](RecordEditor::Command command) { return RecordEditor::keysFor(command); };
        using C = RecordEditor::Command;
        QTest::newRow("next from the notes") << "txtNote" << keys(C::Next) << "3" << QStringList{};
        QTest::newRow("first from the coach") << "txtAllenatore" << keys(C::First) << "1" << QStringList{};
        QTest::newRow("new from the phone") << "txtTelefono" << keys(C::New) << "" << QStringList{};
        QTest::newRow("duplicate from the name") << "txtSquadra" << keys(C::Duplicate) << "" << QStringList{};
        QTest::newRow("search") << "txtSede" << keys(C::Search) << "2" << QStringList{u"TfrmTrovaSquadre"_s};
        QTest::newRow("print") << "txtPalmares" << keys(C::Print) << "2" << QStringList{u"TfrmStampaSquadra"_s};
    }

    void shortcuts()
    {
        QFETCH(QString, field);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, labelAfter);
        QFETCH(QStringList, dialogs);
        Editor e;
        e.write({team(u"Lupi"_s), team(u"Orsi"_s), team(u"Falchi"_s)});
        QVERIFY(e.open());
        e.screen.showRecord(2);
        QWidget* focus = e.find<QWidget>(field);
        focus->setFocus();
        QTest::keySequence(focus, keys);
        QCOMPARE(e.position(), labelAfter);
        QCOMPARE(e.fake.dialogsRun, dialogs);
    }

    void hints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cmdNuovo") << "cmdNuovo" << "Prepara la schermata per la registrazione di una nuova scheda.";
        QTest::newRow("cmdDuplica") << "cmdDuplica"
                                    << "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti.";
        QTest::newRow("cmdFile") << "cmdFile" << "Allega file alla scheda.";
        QTest::newRow("cmdStampa") << "cmdStampa" << "Stampa la scheda.";
        QTest::newRow("cmdEsporta") << "cmdEsporta" << "Esporta l'archivio in un file di Microsoft Excel.";
        QTest::newRow("cmdSelezionate") << "cmdSelezionate" << "Visualizza l'elenco delle squadre selezionate.";
        QTest::newRow("cmdGuida") << "cmdGuida" << "Visualizza la guida in linea.";
        QTest::newRow("btnEmail") << "btnEmail" << "Invia una e-mail all'indirizzo indicato.";
        QTest::newRow("chkSelezionata")
            << "chkSelezionata" << "Spunta questa casella per includere la scheda nell'elenco di squadre selezionate.";
        QTest::newRow("a band") << "shpBanda3" << "";
        QTest::newRow("the formation") << "imgFormazione" << "";
    }

    void hints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        Editor e;
        QVERIFY(e.open());
        auto* panInfo = e.find<QLabel>(u"panInfo"_s);
        panInfo->setText(u"x"_s);
        QWidget* target = e.find<QWidget>(control);
        QTest::mouseMove(target, QPoint(5, 5));
        QTRY_COMPARE(panInfo->text(), hint);
    }

    void help()
    {
        const HelpTopic topic = help::topic(u"squadre"_s);
        QCOMPARE(topic.title, u"App Archivio Squadre"_s);
        const QStringList paragraphs = topic.text.split(u"\r\n\r\n"_s);
        QCOMPARE(paragraphs.size(), 8);
        QCOMPARE(paragraphs.last(), u"La scheda della singola squadra pu\u00F2 essere stampata su carta, mentre l'intero "
                                    "archivio pu\u00F2 essere esportato in un file di Microsoft Excel."_s);

        Editor e;
        QVERIFY(e.open());
        e.click(u"cmdGuida"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmGuida"_s});
        e.click(u"cmdEsci"_s);
        QVERIFY(!e.screen.isVisible());
        QVERIFY(e.launcher.isVisible());
    }

    // The search and the selected-teams list open the record their row was built from, even
    // when another team gives the same row; the list shows only selected teams.
    void listsOpenTheirRecord_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("filters");  // typed into the search's first filters
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowCount");
        QTest::addColumn<QString>("opened");
        QTest::newRow("search, first of two equal rows") << "cmdTrova" << QStringList{"orsi"} << 0 << 2 << "2";
        QTest::newRow("search, second of two equal rows") << "cmdTrova" << QStringList{"orsi"} << 1 << 2 << "4";
        QTest::newRow("search by name and seat") << "cmdTrova" << QStringList{"LUPI", "roma"} << 0 << 1 << "1";
        QTest::newRow("selected only") << "cmdSelezionate" << QStringList{} << 0 << 1 << "2";
    }

    void listsOpenTheirRecord()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, filters);
        QFETCH(int, row);
        QFETCH(int, rowCount);
        QFETCH(QString, opened);
        Editor e;
        TeamRecord lupi = team(u"Lupi"_s);
        lupi.Sede = u"Lazio, Roma est"_s;
        TeamRecord falchi = team(u"Lupi Falchi"_s);
        falchi.Sede = u"Milano"_s;
        // Records 2 and 4 give the same row; only record 2 is selected.
        e.write({lupi, team(u"Orsi"_s, u"S\u00EC"_s), falchi, team(u"Orsi"_s, u"No"_s)});
        QVERIFY(e.open());

        int rowsSeen = -1;
        e.fake.onDialog = [&](QObject* dialog) {
            auto* screen = qobject_cast<RecordListScreen*>(dialog);
            QVERIFY(screen);
            screen->show();
            if (button == u"cmdTrova"_s) {
                const QStringList names = {u"txtSquadra"_s, u"txtSede"_s};
                for (int i = 0; i < filters.size(); ++i)
                    widgets::find<QLineEdit>(screen, names[i])->setText(filters[i]);
                QTest::mouseClick(widgets::find<PictureButton>(screen, u"btnCerca"_s), Qt::LeftButton);
            }
            rowsSeen = int(screen->rows().size());
            auto* list = widgets::find<QTableView>(screen, u"lstRecords"_s);
            const QModelIndex index = list->model()->index(row, 0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
            QVERIFY(!screen->isVisible());
        };
        e.click(button);
        QCOMPARE(rowsSeen, rowCount);
        QCOMPARE(e.position(), opened);
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), e.records()[opened.toInt() - 1].Squadra);
        QCOMPARE(e.selected()->isChecked(), opened == u"2"_s);
    }

    // A row whose record has left the archive since the list was filled (another station, a
    // backup restored) is told as such, before any question, and the editor keeps what it had.
    void listRowOfARecordGone()
    {
        Editor e;
        e.write({team(u"Aquile"_s, u"S\u00EC"_s), team(u"Falchi"_s, u"S\u00EC"_s)});
        QVERIFY(e.open());
        e.click(u"cmdPrimo"_s);
        e.field(u"txtNote"_s)->setText(u"da salvare"_s);
        e.fake.onDialog = [&](QObject* list) {
            e.write({team(u"Aquile"_s, u"S\u00EC"_s)});
            widgets::doubleClickRow(list, 1);  // Falchi, record 2
        };
        e.click(u"cmdSelezionate"_s);
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Warning});
        QCOMPARE(e.fake.lastMessage().text, u"La scheda non \u00E8 pi\u00F9 presente in archivio: forse l'archivio \u00E8 "
                                             "stato modificato da un'altra postazione."_s);
        QCOMPARE(e.position(), u"1"_s);
        QCOMPARE(e.field(u"txtSquadra"_s)->text(), u"Aquile"_s);
        QCOMPARE(e.field(u"txtNote"_s)->text(), u"da salvare"_s);
    }

    void printsTheScreenAsItIs()
    {
        Editor e;
        QVERIFY(e.open());
        e.fake.now = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
        e.field(u"txtSquadra"_s)->setText(u"  Aquile  "_s);
        e.field(u"txtNote"_s)->setText(u"non salvata"_s);
        e.fake.onDialog = [](QObject* dialog) {
            auto* print = widgets::find<QPushButton>(dialog, u"btnStampa"_s);
            QCOMPARE(print->size(), QSize(137, 28));
            QCOMPARE(widgets::find<QPushButton>(dialog, u"btnAnnulla"_s)->text(), u"Annulla"_s);
            QCOMPARE(qobject_cast<QWidget*>(dialog)->size(), QSize(364, 287));
            QCOMPARE(qobject_cast<QWidget*>(dialog)->windowTitle(), u" Stampa scheda"_s);
            print->click();
        };
        e.click(u"cmdStampa"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmStampaSquadra"_s});
        QCOMPARE(e.fake.printed().size(), 1);
        const report::PreparedPage page = e.fake.printed().first().pages.first();
        QCOMPARE(page.orientation, QPageLayout::Portrait);
        QCOMPARE(page.itemsNamed(u"txtSquadra"_s).first()->text(), u"Aquile"_s);
        QCOMPARE(page.itemsNamed(u"txtNote"_s).first()->text(), u"non salvata"_s);
        QCOMPARE(page.itemsNamed(u"txtColori"_s).first()->text(), QString());
        QCOMPARE(page.itemsNamed(u"txtCalce"_s).first()->text(), u"Stampa eseguita in data 05/03/2024 alle ore 14:07:09"_s);
        QVERIFY(e.fake.messages.isEmpty());
        QCOMPARE(e.records().size(), 0);  // printing saves nothing

        // Cancelling prints nothing.
        e.fake.onDialog = [](QObject* dialog) { widgets::find<QPushButton>(dialog, u"btnAnnulla"_s)->click(); };
        e.click(u"cmdStampa"_s);
        QCOMPARE(e.fake.printed().size(), 1);
    }

    // The export shows the whole archive in its grid and writes the spreadsheet of the program
    // folder.
    void exportsTheArchive()
    {
        Editor e;
        TeamRecord third = team(u"Falchi"_s, u"S\u00EC"_s);
        third.File01 = u"rosa.pdf"_s;
        e.write({team(u"Lupi"_s), team(u"Orsi"_s), third});
        QVERIFY(e.open());
        QStringList headers;
        QStringList firstColumn;
        QString mark;
        e.fake.answers = {platform::Answer::Yes, platform::Answer::No};  // write it; do not open it
        e.fake.onDialog = [&](QObject* dialog) {
            auto* screen = qobject_cast<QWidget*>(dialog);
            screen->show();
            QCOMPARE(screen->windowTitle(), u" Esporta archivio squadre in Microsoft Excel"_s);
            auto* grid = widgets::find<QTableView>(screen, u"grdRecords"_s);
            for (int c = 0; c < grid->model()->columnCount(); ++c)
                headers << grid->model()->headerData(c, Qt::Horizontal).toString();
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                firstColumn << grid->model()->index(r, 0).data().toString();
            mark = grid->model()->index(2, 20).data().toString();
            QTest::mouseClick(widgets::find<PictureButton>(screen, u"cmdEsporta"_s), Qt::LeftButton);
        };
        e.click(u"cmdEsporta"_s);
        QCOMPARE(e.fake.dialogsRun, QStringList{u"TfrmExpSquadre"_s});
        QCOMPARE(headers.size(), 21);
        QCOMPARE(headers.first(), u"N."_s);
        QCOMPARE(headers.at(8), u"Capocannoniere di squadra"_s);
        QCOMPARE(headers.last(), u"Selezionata"_s);
        QCOMPARE(firstColumn, (QStringList{u"1"_s, u"2"_s, u"3"_s}));
        QCOMPARE(mark, u"S\u00EC"_s);
        QFile written(e.folder.file(u"Archivio_Squadre.xls"_s));
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray document = written.readAll();
        QCOMPARE(document.count("<tr>"), 4);  // the header and the three teams
        QVERIFY(document.contains(">Falchi</td>"));
        QVERIFY(!document.contains("rosa.pdf"));

        const HelpTopic topic = help::topic(u"esporta_squadre"_s);
        QCOMPARE(topic.title, u"Esportazione archivio squadre in Microsoft Excel."_s);
        QCOMPARE(topic.text.split(u"\r\n\r\n"_s).size(), 3);
    }

    void theMenuLeadsHere()
    {
        FakePlatform fake;
        TempProgramFolder folder;
        programFolder::set(folder.path());
        Screens screens;
        QVERIFY(screens.navigator().has(Screen::TeamArchive));
        QWidget* menu = screens.navigator().screen(Screen::TeamsMenu);
        screens.navigator().go(Screen::TeamsMenu, nullptr);
        auto* teams = widgets::find<PictureButton>(menu, u"btnSquadre"_s);
        QVERIFY(teams->isEnabled());
        QTest::mouseClick(teams, Qt::LeftButton);
        QWidget* editor = screens.navigator().screen(Screen::TeamArchive);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->windowTitle(), u" Golvera - Archivio Squadre"_s);
        editor->close();
        QVERIFY(screens.navigator().screen(Screen::Launcher)->isVisible());
    }
};

// A screen large enough for the editor's whole panel, so the mouse reaches every control.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" GOLVERA_SOURCE_DIR "/tests/support/large-screen.json");
    QApplication app(argc, argv);
    TestTeamArchive test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_teamarchive.moc"

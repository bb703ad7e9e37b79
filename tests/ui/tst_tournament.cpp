// The tournament entry editor: the road of an entry from new to saved and updated, navigation,
// the points field, the failure boxes, the keyboard shortcuts and the hints.
#include "app/Guida.h"
#include "app/ProgramFolder.h"
#include "common/HelpTopics.h"
#include "common/Navigator.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "editor/RecordEditing.h"
#include "output/RecordListModel.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "tournament/Torneo.h"
#include "EditorFixture.h"
#include "FakePlatform.h"
#include "Widgets.h"
#include "tst_tournament_folders.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QPlainTextEdit>
#include <QtTest>

#include <optional>

using platform::MessageKind;
using namespace Qt::StringLiterals;

namespace {

const QString teamMissing =
    QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il nome della squadra.");
const QString pointsMissing =
    QStringLiteral("Attenzione: per salvare la scheda \u00E8 necessario indicare il punteggio totale.");
const QString pointsTooLong = QStringLiteral(
    "Attenzione: il punteggio totale \u00E8 troppo lungo per essere salvato.\r\n\r\n"
    "Il punteggio pu\u00F2 occupare al massimo 15 caratteri, segno e virgola compresi.");
const QString noRecords = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString inserted = QStringLiteral("La scheda corrente \u00E8 stata inserita in archivio.");
const QString updated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString archiveFailure = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di possedere i "
    "privilegi di scrittura nella cartella di installazione del programma.");

TournamentRecord entry(const QString& team, const QString& points = QStringLiteral("0,00"),
                       const QString& completed = QStringLiteral("No"))
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Punteggio = points;
    record.Completato = completed;
    return record;
}

// The editor on a tournament of its own temporary program folder, with a stand-in launcher to
// return to.
struct Editor : EditorFixture<TfrmTorneo, TournamentRecord> {
    Editor()
        : EditorFixture(Screen::TournamentEditor, QStringLiteral("Coppa Estate.vai"))
    {
        screen.setTournament(path, QStringLiteral("Coppa Estate"));
    }

    QPlainTextEdit* matches() const { return find<QPlainTextEdit>(QStringLiteral("txtGare")); }
    QCheckBox* completed() const { return find<QCheckBox>(QStringLiteral("chkCompletato")); }
    QLabel* position() const { return find<QLabel>(QStringLiteral("lblPosizione")); }

    // The team archive holds Lupi; the tournament the entries `first` and Falchi, and the editor
    // shows the entry at `label` (empty: a new one).
    bool openWithLupi(const QString& first, const QString& label)
    {
        TeamRecord lupi;
        lupi.Squadra = QStringLiteral("Lupi");
        if (!archiveFiles::writeRecords(folder.file(programFolder::teamArchiveName), QList<TeamRecord>{lupi}))
            return false;
        write({entry(first), entry(QStringLiteral("Falchi"))});
        if (!open())
            return false;
        if (!label.isEmpty())
            screen.showRecord(label.toLongLong());
        return true;
    }

    // Replaces the points text by typing, as far as the field's keys allow.
    void typePoints(const QString& keys) const
    {
        QLineEdit* points = field(QStringLiteral("txtPunteggio"));
        points->setFocus();
        points->end(false);
        while (!points->text().isEmpty())
            QTest::keyClick(points, Qt::Key_Backspace);
        QTest::keyClicks(points, keys);
    }
};

}  // namespace

class TestTournamentEditor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutAndFields()
    {
        Editor e;
        QCOMPARE(e.find<QLabel>(QStringLiteral("panInfo"))->text(),
                 QStringLiteral("Pronto per archiviare una nuova scheda..."));
        QVERIFY(e.open());
        QCOMPARE(e.screen.windowTitle(), QStringLiteral(" Golvera - Gestione torneo"));
        QCOMPARE(e.find<QLabel>(QStringLiteral("lblNome"))->text(), QStringLiteral("Coppa Estate"));
        QCOMPARE(e.screen.tournamentPath(), e.path);
        QCOMPARE(e.find<QWidget>(QStringLiteral("panContent"))->size(), QSize(995, 692));
        QVERIFY(e.position()->isVisible());

        const QList<std::pair<const char*, int>> limits = {{"txtConcorrente", 120}, {"txtResponsabile", 120},
                                                           {"txtTelefono", 50},     {"txtEmail", 50},
                                                           {"txtPunteggio", 15},    {"txtNote", 500}};
        for (const auto& [name, limit] : limits) {
            QLineEdit* edit = e.field(QLatin1String(name));
            QCOMPARE(edit->maxLength(), limit);
            QCOMPARE(edit->font().family(), QStringLiteral("Verdana"));
            QVERIFY(edit->font().bold());
        }
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

        // Every button leads somewhere now.
        const QStringList later;
        const QRect panel(QPoint(0, 0), QSize(995, 692));
        const QStringList names = {
            u"btnCalcolatrice"_s, u"btnEmail"_s, u"cmdAnteprima"_s, u"cmdAvanti"_s, u"cmdCalendario"_s, u"cmdEsci"_s, u"cmdExcel"_s,
            u"cmdGuida"_s, u"cmdIndietro"_s, u"cmdNonPagati"_s, u"cmdNuovo"_s, u"cmdPrimo"_s, u"cmdRitira"_s, u"cmdSalva"_s,
            u"cmdStampa"_s, u"cmdTrova"_s, u"cmdUltimo"_s, u"impSquadra"_s};
        QCOMPARE(widgets::names<PictureButton>(&e.screen), names);
        for (PictureButton* b : e.screen.findChildren<PictureButton*>()) {
            QCOMPARE(b->isEnabled(), !later.contains(b->objectName()));
            QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
            QVERIFY2(panel.contains(b->geometry()), qPrintable(b->objectName()));
        }

        // Focus highlight: yellow while the field has the focus, light again when it is left.
        QLineEdit* notes = e.field(QStringLiteral("txtNote"));
        const auto fill = [](QLineEdit* edit) {
            const QImage image = edit->grab().toImage();
            return image.pixelColor(image.width() / 2, image.height() - 5);
        };
        QCOMPARE(fill(notes), QColor(0xF0, 0xF8, 0xFF));
        notes->setFocus();
        QCOMPARE(fill(notes), QColor(0xFF, 0xFF, 0x00));
        e.field(QStringLiteral("txtConcorrente"))->setFocus();
        QCOMPARE(fill(notes), QColor(0xF0, 0xF8, 0xFF));
    }

    void entryRoad()
    {
        Editor e;
        QVERIFY(e.open());
        // Opening a tournament starts on a new entry.
        QLineEdit* team = e.field(QStringLiteral("txtConcorrente"));
        QVERIFY(team->hasFocus());
        QCOMPARE(e.position()->text(), QString());
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("0,00"));

        QTest::keyClicks(team, QStringLiteral("Aquile"));
        QTest::keyClick(team, Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Mario Rossi"));
        e.matches()->setFocus();
        QTest::keyClicks(e.matches(), QStringLiteral("12/05 Aquile - Falchi 2-1"));
        QTest::keyClick(e.matches(), Qt::Key_Return);
        QTest::keyClicks(e.matches(), QStringLiteral("19/05 Leoni - Aquile 0-0"));
        e.click(QStringLiteral("cmdSalva"));

        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Information});
        QCOMPARE(e.fake.lastMessage().text, inserted);
        QCOMPARE(e.position()->text(), QStringLiteral("1"));
        QList<TournamentRecord> saved = e.records();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].Concorrente, QStringLiteral("Aquile"));
        QCOMPARE(saved[0].Responsabile, QStringLiteral("Mario Rossi"));
        QCOMPARE(saved[0].Gare, QStringLiteral("12/05 Aquile - Falchi 2-1\r\n19/05 Leoni - Aquile 0-0"));
        QCOMPARE(saved[0].Punteggio, QStringLiteral("0,00"));
        QCOMPARE(saved[0].Completato, QStringLiteral("No"));

        // After the match: new points (left unfinished in the field) and the completed mark.
        e.typePoints(QStringLiteral("12"));
        QTest::mouseClick(e.completed(), Qt::LeftButton, {}, QPoint(8, e.completed()->height() / 2));
        QVERIFY(e.completed()->isChecked());
        e.click(QStringLiteral("cmdSalva"));
        QCOMPARE(e.fake.lastMessage().text, updated);
        QCOMPARE(e.position()->text(), QStringLiteral("1"));
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("12,00"));
        saved = e.records();
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved[0].Punteggio, QStringLiteral("12,00"));
        QCOMPARE(saved[0].Completato, QStringLiteral("S\u00EC"));
        QCOMPARE(saved[0].Gare, QStringLiteral("12/05 Aquile - Falchi 2-1\r\n19/05 Leoni - Aquile 0-0"));

        // A second team: new clears everything, the next save appends.
        e.click(QStringLiteral("cmdNuovo"));
        QVERIFY(team->hasFocus());
        QCOMPARE(e.position()->text(), QString());
        QCOMPARE(team->text(), QString());
        QCOMPARE(e.field(QStringLiteral("txtResponsabile"))->text(), QString());
        QCOMPARE(e.matches()->toPlainText(), QString());
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("0,00"));
        QVERIFY(!e.completed()->isChecked());
        QTest::keyClicks(team, QStringLiteral("Falchi"));
        e.typePoints(QStringLiteral("3,5"));
        // The points field swallows every key but digits and the comma; the save key still works.
        QTest::keyClick(e.field(QStringLiteral("txtPunteggio")), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(e.fake.lastMessage().text, inserted);
        QCOMPARE(e.position()->text(), QStringLiteral("2"));
        saved = e.records();
        QCOMPARE(saved.size(), 2);
        QCOMPARE(saved[1].Concorrente, QStringLiteral("Falchi"));
        QCOMPARE(saved[1].Punteggio, QStringLiteral("3,50"));
        QCOMPARE(saved[0].Concorrente, QStringLiteral("Aquile"));
        // Typing goes on in the field it was in.
        QVERIFY(e.field(QStringLiteral("txtPunteggio"))->hasFocus());
    }

    void entryIsShownAsStored()
    {
        Editor e;
        TournamentRecord first = entry(QStringLiteral(" Aquile "), QStringLiteral("7"), QStringLiteral("S\u00EC"));
        first.Responsabile = QStringLiteral("Mario Rossi");
        first.Telefono = QStringLiteral("333 1234567");
        first.Email = QStringLiteral("mario@aquile.example");
        first.Gare = QStringLiteral("andata\r\nritorno");
        first.Note = QStringLiteral("girone A");
        e.write({first, entry(QStringLiteral("Falchi"), QStringLiteral("1,00"), QStringLiteral("forse"))});
        QVERIFY(e.open());

        e.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(e.field(QStringLiteral("txtConcorrente"))->text(), QStringLiteral(" Aquile "));
        QCOMPARE(e.field(QStringLiteral("txtResponsabile"))->text(), QStringLiteral("Mario Rossi"));
        QCOMPARE(e.field(QStringLiteral("txtTelefono"))->text(), QStringLiteral("333 1234567"));
        QCOMPARE(e.field(QStringLiteral("txtEmail"))->text(), QStringLiteral("mario@aquile.example"));
        QCOMPARE(e.matches()->toPlainText(), QStringLiteral("andata\nritorno"));
        QCOMPARE(e.field(QStringLiteral("txtNote"))->text(), QStringLiteral("girone A"));
        QVERIFY(e.completed()->isChecked());
        // The stored points stay as they are until the field is left.
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("7"));

        // A mark that is neither "Sì" nor "No" leaves the box as it was.
        e.click(QStringLiteral("cmdAvanti"));
        QCOMPARE(e.field(QStringLiteral("txtConcorrente"))->text(), QStringLiteral("Falchi"));
        QVERIFY(e.completed()->isChecked());

        e.click(QStringLiteral("cmdIndietro"));
        e.field(QStringLiteral("txtPunteggio"))->setFocus();
        QTest::keyClick(e.field(QStringLiteral("txtPunteggio")), Qt::Key_Return);
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("7,00"));
    }

    void saveFailureKeepsTheScreen_data()
    {
        QTest::addColumn<bool>("lockFolder");
        QTest::newRow("folder that is not there") << false;
        QTest::newRow("read-only program folder") << true;
    }

    void saveFailureKeepsTheScreen()
    {
        QFETCH(bool, lockFolder);
        Editor e;
        std::optional<LockedFolder> lock;
        if (lockFolder) {
            lock.emplace(e.folder.path());
        } else {
            e.path = e.folder.file(QStringLiteral("manca/Coppa Estate.vai"));
            e.screen.setTournament(e.path, QStringLiteral("Coppa Estate"));
        }
        QVERIFY(e.open());
        QTest::keyClicks(e.field(QStringLiteral("txtConcorrente")), QStringLiteral("Aquile"));
        e.typePoints(QStringLiteral("5"));

        e.click(QStringLiteral("cmdSalva"));
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Plain});
        QCOMPARE(e.fake.lastMessage().text, archiveFailure);
        QVERIFY(e.screen.isVisible());
        QCOMPARE(e.position()->text(), QString());
        QCOMPARE(e.field(QStringLiteral("txtConcorrente"))->text(), QStringLiteral("Aquile"));
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("5,00"));
        QVERIFY(!QFileInfo::exists(e.path));

        // Navigation failures are reported in the error box.
        e.click(QStringLiteral("cmdUltimo"));
        QCOMPARE(e.kinds(), (QList<MessageKind>{MessageKind::Plain, MessageKind::Error}));
        QCOMPARE(e.fake.lastMessage().text, archiveFailure);
    }

    void saveRefusals_data()
    {
        QTest::addColumn<QString>("team");
        QTest::addColumn<QString>("typedPoints");   // typed into the field, or
        QTest::addColumn<QString>("storedPoints");  // loaded as another program left them
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");

        QTest::newRow("no team name") << "" << "5" << "" << teamMissing << "txtConcorrente";
        QTest::newRow("team name of blanks") << "   " << "5" << "" << teamMissing << "txtConcorrente";
        QTest::newRow("points emptied elsewhere") << "Aquile" << "" << "  " << pointsMissing << "txtPunteggio";
        QTest::newRow("points too long to store") << "Aquile" << "1234567890123" << "" << pointsTooLong
                                                  << "txtPunteggio";
        QTest::newRow("negative points too long") << "Aquile" << "" << "-123456789012,5" << pointsTooLong
                                                  << "txtPunteggio";
    }

    void saveRefusals()
    {
        QFETCH(QString, team);
        QFETCH(QString, typedPoints);
        QFETCH(QString, storedPoints);
        QFETCH(QString, message);
        QFETCH(QString, focus);

        Editor e;
        e.write({storedPoints.isEmpty() ? entry(QStringLiteral("Prima")) : entry(team, storedPoints)});
        const QByteArray before = e.records().front().toBytes();
        QVERIFY(e.open());
        if (!storedPoints.isEmpty())
            e.screen.showRecord(1);
        e.field(QStringLiteral("txtConcorrente"))->setText(team);
        if (!typedPoints.isEmpty())
            e.typePoints(typedPoints);
        // A points text that needs its normal form gets it when the field is left by the save.
        if (!storedPoints.isEmpty() && storedPoints.trimmed().size() > 0)
            e.field(QStringLiteral("txtPunteggio"))->setFocus();

        e.click(QStringLiteral("cmdSalva"));
        QCOMPARE(e.kinds(), QList<MessageKind>{MessageKind::Warning});
        QCOMPARE(e.fake.lastMessage().text, message);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        QCOMPARE(e.records().size(), 1);
        QCOMPARE(e.records().front().toBytes(), before);
        // A points text too long for the field is shown whole, not cut to another number.
        if (message == pointsTooLong)
            QVERIFY(e.field(QStringLiteral("txtPunteggio"))->text().size() > 15);
    }

    // Digits and the comma are typed, a point becomes the comma, anything else is refused; the
    // editing keys, Tab and Shift+Tab work as in any other field.
    void pointsKeys_data()
    {
        QTest::addColumn<QString>("start");   // typed first
        QTest::addColumn<QTestEventList>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("focus");   // where the focus is afterwards
        const auto keys = [](std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> pressed,
                             const QString& typed = {}) {
            QTestEventList list;
            for (const auto& [key, modifiers] : pressed)
                list.addKeyClick(key, modifiers);
            list.addKeyClicks(typed);
            return list;
        };
        const QString points = u"txtPunteggio"_s;
        QTest::newRow("digits and comma") << "" << keys({}, u"12,5"_s) << "12,5" << points;
        QTest::newRow("a point is the comma") << "" << keys({}, u"1.5"_s) << "1,5" << points;
        QTest::newRow("letters, minus, blank, plus refused") << "" << keys({}, u"1a-2 +"_s) << "12" << points;
        QTest::newRow("Home") << "12" << keys({{Qt::Key_Home, {}}}, u"3"_s) << "312" << points;
        QTest::newRow("End") << "12" << keys({{Qt::Key_Home, {}}, {Qt::Key_End, {}}}, u"3"_s) << "123" << points;
        QTest::newRow("Left and Right") << "12" << keys({{Qt::Key_Left, {}}, {Qt::Key_Left, {}}, {Qt::Key_Right, {}}}, u"3"_s)
                                        << "132" << points;
        QTest::newRow("Shift+Left selects") << "123" << keys({{Qt::Key_Left, Qt::ShiftModifier}, {Qt::Key_Left, Qt::ShiftModifier}}, u"9"_s)
                                            << "19" << points;
        QTest::newRow("Shift+Home selects") << "123" << keys({{Qt::Key_Home, Qt::ShiftModifier}}, u"4"_s) << "4" << points;
        QTest::newRow("Ctrl+A selects all") << "123" << keys({{Qt::Key_A, Qt::ControlModifier}}, u"7"_s) << "7" << points;
        QTest::newRow("Delete and Backspace") << "123" << keys({{Qt::Key_Left, {}}, {Qt::Key_Delete, {}}, {Qt::Key_Backspace, {}}})
                                              << "1" << points;
        QTest::newRow("Tab leaves") << "12" << keys({{Qt::Key_Tab, {}}}) << "12,00" << u"chkCompletato"_s;
        QTest::newRow("Shift+Tab leaves backwards") << "1.5" << keys({{Qt::Key_Backtab, Qt::ShiftModifier}}) << "1,50" << u"txtGare"_s;
    }

    void pointsKeys()
    {
        QFETCH(QString, start);
        QFETCH(QTestEventList, keys);
        QFETCH(QString, shown);
        QFETCH(QString, focus);
        Editor e;
        QVERIFY(e.open());
        e.typePoints(start);
        QLineEdit* points = e.field(QStringLiteral("txtPunteggio"));
        keys.simulate(points);
        QCOMPARE(points->text(), shown);
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    }

    // Clicking into the field on "0,00" and typing a digit gives that digit, not a digit before
    // the zeros; arriving with Tab selects too.
    void pointsAreSelectedOnArrival_data()
    {
        QTest::addColumn<bool>("click");
        QTest::newRow("click") << true;
        QTest::newRow("Tab") << false;
    }

    void pointsAreSelectedOnArrival()
    {
        QFETCH(bool, click);
        Editor e;
        QVERIFY(e.open());
        QLineEdit* points = e.field(QStringLiteral("txtPunteggio"));
        QCOMPARE(points->text(), QStringLiteral("0,00"));
        if (click) {
            QTest::mouseClick(points, Qt::LeftButton, {}, QPoint(4, points->height() / 2));
        } else {
            e.matches()->setFocus();
            QTest::keyClick(e.matches(), Qt::Key_Tab);
        }
        QTRY_VERIFY(points->hasSelectedText());
        QTest::keyClicks(points, QStringLiteral("9"));
        QTest::keyClick(points, Qt::Key_Return);
        QCOMPARE(points->text(), QStringLiteral("9,00"));
    }

    void pointsNormalFormOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("whole number") << "7" << "7,00";
        QTest::newRow("rounded") << "2,456" << "2,46";
        QTest::newRow("leading zero") << "012" << "12,00";
        QTest::newRow("emptied") << "" << "0,00";
        QTest::newRow("not a number") << "1,2,3" << "0,00";
    }

    void pointsNormalFormOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Editor e;
        QVERIFY(e.open());
        e.typePoints(typed);
        QLineEdit* points = e.field(QStringLiteral("txtPunteggio"));
        // Enter leaves for the notes; the mouse leaves for anywhere.
        QTest::keyClick(points, Qt::Key_Return);
        QVERIFY(e.field(QStringLiteral("txtNote"))->hasFocus());
        QCOMPARE(points->text(), shown);

        e.typePoints(typed);
        QTest::mouseClick(e.field(QStringLiteral("txtTelefono")), Qt::LeftButton);
        QCOMPARE(points->text(), shown);
    }

    void pastedNegativePointsAreKept()
    {
        Editor e;
        QVERIFY(e.open());
        QTest::keyClicks(e.field(QStringLiteral("txtConcorrente")), QStringLiteral("Falchi"));
        QLineEdit* points = e.field(QStringLiteral("txtPunteggio"));
        points->setFocus();
        points->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("-3,5"));
        points->paste();
        QCOMPARE(points->text(), QStringLiteral("-3,5"));
        e.click(QStringLiteral("cmdSalva"));
        QCOMPARE(points->text(), QStringLiteral("-3,50"));
        QCOMPARE(e.records().front().Punteggio, QStringLiteral("-3,50"));
    }

    void enterChain()
    {
        Editor e;
        QVERIFY(e.open());
        const QStringList chain = {QStringLiteral("txtConcorrente"), QStringLiteral("txtResponsabile"),
                                   QStringLiteral("txtTelefono"), QStringLiteral("txtEmail"),
                                   QStringLiteral("txtGare")};
        for (qsizetype i = 1; i < chain.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget()->objectName(), chain[i]);
        }
        // In the matches box Enter starts a new line.
        QTest::keyClicks(e.matches(), QStringLiteral("a"));
        QTest::keyClick(e.matches(), Qt::Key_Return);
        QVERIFY(e.matches()->hasFocus());
        QCOMPARE(e.matches()->toPlainText(), QStringLiteral("a\n"));
        // Tab leaves it for the points, as in every other field.
        QTest::keyClick(e.matches(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtPunteggio"));
        QCOMPARE(e.matches()->toPlainText(), QStringLiteral("a\n"));

        e.field(QStringLiteral("txtPunteggio"))->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtNote"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtConcorrente"));
    }

    void matchesAreCutToTheirCapacity_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("one long line") << QString(6000, u'x') << 5000;
        // Every line break takes two characters in the file.
        QTest::newRow("lines") << QString(4996, u'x') + QStringLiteral("\nyy\nzz") << 5000;
    }

    void matchesAreCutToTheirCapacity()
    {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        Editor e;
        QVERIFY(e.open());
        e.field(QStringLiteral("txtConcorrente"))->setText(QStringLiteral("Aquile"));
        e.matches()->setFocus();
        e.matches()->insertPlainText(typed);
        e.click(QStringLiteral("cmdSalva"));
        const QString gare = e.records().front().Gare;
        QCOMPARE(gare.size(), stored);
        QVERIFY(QString(typed).replace(u'\n', QStringLiteral("\r\n")).startsWith(gare));
    }

    void shortcutsWorkFromEveryField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("labelAfter");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("dialogs");

        const auto keys = [](RecordEditor::Command command) { return RecordEditor::keysFor(command); };
        using C = RecordEditor::Command;
        QTest::newRow("first from the matches box") << "txtGare" << keys(C::First) << "1" << "" << QStringList{};
        QTest::newRow("last from the team name") << "txtConcorrente" << keys(C::Last) << "3" << "" << QStringList{};
        QTest::newRow("previous from the points") << "txtPunteggio" << keys(C::Previous) << "1" << "" << QStringList{};
        QTest::newRow("next from the notes") << "txtNote" << keys(C::Next) << "3" << "" << QStringList{};
        QTest::newRow("new from the phone") << "txtTelefono" << keys(C::New) << "" << "" << QStringList{};
        QTest::newRow("save from the points") << "txtPunteggio" << keys(C::Save) << "2" << updated << QStringList{};
        QTest::newRow("save from the matches box") << "txtGare" << keys(C::Save) << "2" << updated << QStringList{};
        // Commands that open a dialog, and one the tournament editor does not have.
        QTest::newRow("search") << "txtConcorrente" << keys(C::Search) << "2" << "" << QStringList{u"TfrmTrovaPagina"_s};
        QTest::newRow("print") << "txtPunteggio" << keys(C::Print) << "2" << "" << QStringList{u"TfrmStampaPagina"_s};
        QTest::newRow("duplicate") << "txtEmail" << keys(C::Duplicate) << "2" << "" << QStringList{};
    }

    void shortcutsWorkFromEveryField()
    {
        QFETCH(QString, field);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, labelAfter);
        QFETCH(QString, message);
        QFETCH(QStringList, dialogs);

        Editor e;
        e.write({entry(QStringLiteral("Squadra 1")), entry(QStringLiteral("Squadra 2")),
                 entry(QStringLiteral("Squadra 3"))});
        QVERIFY(e.open());
        e.click(QStringLiteral("cmdPrimo"));
        e.click(QStringLiteral("cmdAvanti"));
        QCOMPARE(e.position()->text(), QStringLiteral("2"));
        QWidget* focus = e.find<QWidget>(field);
        focus->setFocus();
        const QString matchesBefore = e.matches()->toPlainText();

        QTest::keySequence(focus, keys);
        QCOMPARE(e.position()->text(), labelAfter);
        QCOMPARE(e.fake.messages.isEmpty() ? QString() : e.fake.lastMessage().text, message);
        QCOMPARE(e.fake.dialogsRun, dialogs);
        QVERIFY(e.screen.isVisible());
        // The key went to the command, not to the field.
        if (labelAfter == QStringLiteral("2"))
            QCOMPARE(e.matches()->toPlainText(), matchesBefore);
    }

    void escapeCloses_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Esc from the matches box") << "key";
        QTest::newRow("exit picture") << "cmdEsci";
        QTest::newRow("window close button") << "window";
    }

    void escapeCloses()
    {
        QFETCH(QString, how);
        Editor e;
        QVERIFY(e.open());
        if (how == QStringLiteral("key")) {
            e.matches()->setFocus();
            QTest::keyClick(e.matches(), Qt::Key_Escape);
        } else if (how == QStringLiteral("window")) {
            e.screen.close();
        } else {
            e.click(how);
        }
        QVERIFY(!e.screen.isVisible());
        QVERIFY(e.launcher.isVisible());
    }

    void shortcutsAreShownAndListed()
    {
        Editor e;
        const QMap<RecordEditor::Command, QString> buttons = {
            {RecordEditor::Command::New, QStringLiteral("cmdNuovo")},
            {RecordEditor::Command::Save, QStringLiteral("cmdSalva")},
            {RecordEditor::Command::First, QStringLiteral("cmdPrimo")},
            {RecordEditor::Command::Previous, QStringLiteral("cmdIndietro")},
            {RecordEditor::Command::Next, QStringLiteral("cmdAvanti")},
            {RecordEditor::Command::Last, QStringLiteral("cmdUltimo")},
            {RecordEditor::Command::Search, QStringLiteral("cmdTrova")},
            {RecordEditor::Command::Print, QStringLiteral("cmdStampa")},
            {RecordEditor::Command::Close, QStringLiteral("cmdEsci")},
        };
        const HelpTopic help = help::topic(QStringLiteral("tornei"));
        QCOMPARE(help.title, QStringLiteral("Gestione tornei"));
        QSet<QKeySequence> distinct;
        for (const RecordEditor::Shortcut& shortcut : RecordEditor::shortcuts()) {
            const QString keys = shortcut.keys.toString(QKeySequence::NativeText);
            QVERIFY2(help.text.contains(keys), qPrintable(keys));
            distinct.insert(shortcut.keys);
            if (!buttons.contains(shortcut.command))
                continue;
            auto* button = e.find<PictureButton>(buttons.value(shortcut.command));
            QCOMPARE(button->toolTip(), button->hint() + QStringLiteral("\nScorciatoia da tastiera: ") + keys);
        }
        QCOMPARE(distinct.size(), RecordEditor::shortcuts().size());
    }

    void hints_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("hint");
        QTest::newRow("cmdNuovo") << "cmdNuovo" << "Prepara la schermata per l'inserimento di una nuova scheda.";
        QTest::newRow("cmdSalva") << "cmdSalva" << "Salva la scheda corrente in archivio.";
        QTest::newRow("cmdTrova") << "cmdTrova" << "Trova una scheda in archivio.";
        QTest::newRow("cmdAnteprima") << "cmdAnteprima" << "Visualizza l'anteprima di stampa della scheda corrente.";
        QTest::newRow("cmdStampa") << "cmdStampa" << "Stampa la scheda corrente.";
        QTest::newRow("cmdPrimo") << "cmdPrimo" << "Visualizza la prima scheda in archivio.";
        QTest::newRow("cmdIndietro") << "cmdIndietro" << "Visualizza la scheda precedente in archivio.";
        QTest::newRow("cmdAvanti") << "cmdAvanti" << "Visualizza la scheda successiva in archivio.";
        QTest::newRow("cmdUltimo") << "cmdUltimo" << "Visualizza l'ultima scheda in archivio.";
        QTest::newRow("cmdExcel") << "cmdExcel" << "Esporta le schede in archivio in un file di Microsoft Excel.";
        QTest::newRow("cmdNonPagati") << "cmdNonPagati"
                                      << "Visualizza l'elenco delle squadre che hanno ancora gare da disputare.";
        QTest::newRow("cmdGuida") << "cmdGuida" << "Visualizza la pagina della guida in linea sensibile al contesto.";
        QTest::newRow("cmdEsci") << "cmdEsci" << "Esci da questa schermata di lavoro.";
        QTest::newRow("impSquadra") << "impSquadra" << "Importa i dati dall'archivio delle squadre.";
        QTest::newRow("btnEmail") << "btnEmail" << "Invia una e-mail all'indirizzo indicato.";
        QTest::newRow("btnCalcolatrice") << "btnCalcolatrice" << "Apri calcolatrice.";
        QTest::newRow("chkCompletato")
            << "chkCompletato" << "Spunta questa casella per annotare che la squadra ha disputato tutte le gare del torneo.";
    }

    void hints()
    {
        QFETCH(QString, control);
        QFETCH(QString, hint);
        Editor e;
        QVERIFY(e.open());
        // The test screen is smaller than the panel: give the window the panel's whole size, so
        // the mouse can reach every control.
        e.screen.showNormal();
        e.screen.setGeometry(0, 0, 1019, 716);
        QVERIFY(QTest::qWaitForWindowExposed(&e.screen));
        auto* panInfo = e.find<QLabel>(QStringLiteral("panInfo"));
        QWidget* target = e.find<QWidget>(control);
        if (auto* button = qobject_cast<PictureButton*>(target))
            QCOMPARE(button->hint(), hint);
        QTest::mouseMove(target, QPoint(5, 5));
        QTRY_COMPARE(panInfo->text(), hint);
        // An edit field keeps the hint; the panel's background empties it.
        QTest::mouseMove(e.field(QStringLiteral("txtNote")), QPoint(5, 5));
        QCOMPARE(panInfo->text(), hint);
        QTest::mouseMove(e.find<QWidget>(QStringLiteral("panContent")), QPoint(900, 300));
        QTRY_COMPARE(panInfo->text(), QString());
    }

    void emailAndHelp()
    {
        Editor e;
        QVERIFY(e.open());
        QTest::keyClicks(e.field(QStringLiteral("txtEmail")), QStringLiteral(" mario@aquile.example "));
        QCOMPARE(e.field(QStringLiteral("txtEmail"))->text(), QStringLiteral("mario@aquile.example"));
        e.click(QStringLiteral("btnEmail"));
        QCOMPARE(e.fake.opened, QList<QUrl>{QUrl(QStringLiteral("mailto:mario@aquile.example"))});

        QString title;
        QString text;
        e.fake.onDialog = [&](QObject* dialog) {
            title = dialog->findChild<QLabel*>(QStringLiteral("lblTitolo"))->text();
            text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("txtGuida"))->toPlainText();
        };
        e.click(QStringLiteral("cmdGuida"));
        QCOMPARE(e.fake.dialogsRun, QStringList{QStringLiteral("TfrmGuida")});
        QCOMPARE(title, QStringLiteral("Gestione tornei"));
        for (const char* subject : {"Crea nuovo torneo", "Apri archivio", "cestino", "Completato", "calcolatrice",
                                    "foglio di calcolo"})
            QVERIFY2(text.contains(QLatin1String(subject)), subject);
    }

    // The green arrow lists the team archive; a double-click copies the clicked team's name,
    // contact, phone and e-mail into the entry, which keeps its matches, points and position.
    void importFromTheTeamArchive_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("email");
        QTest::newRow("first of two equal rows") << 0 << "prima@lupi.example";
        QTest::newRow("second of two equal rows") << 1 << "seconda@lupi.example";
    }

    void importFromTheTeamArchive()
    {
        QFETCH(int, row);
        QFETCH(QString, email);
        Editor e;
        programFolder::set(e.folder.path());
        const auto team = [](const QString& name, const QString& contact, const QString& mail) {
            TeamRecord record;
            record.Squadra = name;
            record.Responsabile = contact;
            record.Telefono = QStringLiteral("06 123");
            record.Email = mail;
            return record;
        };
        // A 50-character name is listed cut to 28 but copied whole; two teams give the same row.
        const QString longName = QStringLiteral("Associazione Sportiva Dilettantistica Lupi Roma N");
        QVERIFY(archiveFiles::writeRecords(e.folder.file(programFolder::teamArchiveName),
                                           QList<TeamRecord>{team(longName, QStringLiteral("Neri"), QStringLiteral("prima@lupi.example")),
                                                             team(QStringLiteral("Falchi"), QString(), QString()),
                                                             team(longName, QStringLiteral("Neri"), QStringLiteral("seconda@lupi.example"))}));
        e.write({entry(QStringLiteral("Aquile"), QStringLiteral("7,50"), QStringLiteral("S\u00EC"))});
        TournamentRecord stored = e.records().first();
        stored.Gare = QStringLiteral("12/05 Aquile - Falchi 2-1");
        e.write({stored});
        QVERIFY(e.open());
        e.screen.showRecord(1);

        QStringList rows;
        e.fake.onDialog = [&](QObject* dialog) {
            auto* list = widgets::find<QTableView>(dialog, QStringLiteral("lstRecords"));
            qobject_cast<QWidget*>(dialog)->show();
            QCOMPARE(qobject_cast<QWidget*>(dialog)->windowTitle(), QStringLiteral(" Importa dati da archivio squadre"));
            for (int i = 0; i < list->model()->rowCount(); ++i)
                rows << list->model()->index(i, 0).data(RecordListModel::RowTextRole).toString();
            const QModelIndex index = list->model()->index(row, 0);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
            QVERIFY(!qobject_cast<QWidget*>(dialog)->isVisible());
        };
        // A change on screen is no reason to ask: the entry is not left.
        QTest::keyClicks(e.field(QStringLiteral("txtNote")), QStringLiteral("nota"));
        e.click(QStringLiteral("impSquadra"));
        QVERIFY(e.fake.messages.isEmpty());
        QCOMPARE(e.field(QStringLiteral("txtNote"))->text(), QStringLiteral("nota"));
        QCOMPARE(e.fake.dialogsRun, QStringList{QStringLiteral("TfrmImportaSquadra")});
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].startsWith(longName.left(28) + QStringLiteral("  Campo: ")));
        QCOMPARE(rows[0], rows[1]);
        QVERIFY(rows[2].startsWith(QStringLiteral("Falchi ")));

        QCOMPARE(e.field(QStringLiteral("txtConcorrente"))->text(), longName);
        QCOMPARE(e.field(QStringLiteral("txtResponsabile"))->text(), QStringLiteral("Neri"));
        QCOMPARE(e.field(QStringLiteral("txtTelefono"))->text(), QStringLiteral("06 123"));
        QCOMPARE(e.field(QStringLiteral("txtEmail"))->text(), email);
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("7,50"));
        QCOMPARE(e.matches()->toPlainText(), QStringLiteral("12/05 Aquile - Falchi 2-1"));
        QVERIFY(e.completed()->isChecked());
        QCOMPARE(e.position()->text(), QStringLiteral("1"));
        QCOMPARE(e.records().first().Concorrente, QStringLiteral("Aquile"));  // nothing saved yet
        e.click(QStringLiteral("cmdSalva"));
        QCOMPARE(e.records().size(), 1);
        QCOMPARE(e.records().first().Concorrente, longName);
        QCOMPARE(e.records().first().Gare, QStringLiteral("12/05 Aquile - Falchi 2-1"));
    }

    // One entry per team: importing a team that already has another entry asks first, naming that
    // entry, and Enter answers No.
    void importOfATeamWithAnEntry_data()
    {
        QTest::addColumn<QString>("stored");   // the first entry's team name
        QTest::addColumn<QString>("label");    // the entry on screen: empty for a new one
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("name");     // the entry's team name afterwards
        QTest::newRow("same name: No keeps the entry") << "Lupi" << "" << true << false << "";
        QTest::newRow("same name: S\u00EC imports") << "Lupi" << "" << true << true << "Lupi";
        QTest::newRow("blanks and case differ") << "  lUPI " << "" << true << false << "";
        QTest::newRow("that entry is the one on screen") << "Lupi" << "1" << false << true << "Lupi";
        QTest::newRow("an accented letter differs") << "L\u00DApi" << "" << false << true << "Lupi";
        QTest::newRow("another team") << "Lupi Rossi" << "2" << false << true << "Lupi";
    }
    void importOfATeamWithAnEntry()
    {
        QFETCH(QString, stored);
        QFETCH(QString, label);
        QFETCH(bool, asked);
        QFETCH(bool, yes);
        QFETCH(QString, name);
        Editor e;
        QVERIFY(e.openWithLupi(stored, label));
        e.fake.answers = FakePlatform::yesNo({yes});
        e.fake.onDialog = [](QObject* list) { widgets::doubleClickRow(list, 0); };
        e.click(QStringLiteral("impSquadra"));

        if (asked) {
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.fake.lastMessage().kind, MessageKind::Question);
            QCOMPARE(e.fake.lastMessage().text,
                     QStringLiteral("Attenzione: la squadra \"Lupi\" ha gi\u00E0 una scheda in questo torneo (scheda "
                                    "n. 1).\r\n\r\nSi desidera importare comunque i suoi dati nella scheda corrente?"));
            QCOMPARE(e.fake.lastMessage().choices.preset, platform::Answer::No);
        } else {
            QVERIFY(e.fake.messages.isEmpty());
        }
        QCOMPARE(e.field(QStringLiteral("txtConcorrente"))->text(), name);
        QCOMPARE(e.records().size(), 2);  // nothing saved
    }

    // Saving an entry under the name of a team that has another entry asks the same way; a name
    // the entry already had, or one the import asked about, is not asked again.
    void savingATeamWithAnEntry_data()
    {
        QTest::addColumn<QString>("label");      // the entry shown first: empty for a new one
        QTest::addColumn<QString>("typed");      // typed over the team name; empty: imported "Lupi"
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("entries");        // in the file afterwards
        QTest::newRow("new entry, No") << "" << "Lupi" << QList<bool>{false} << 1 << 2;
        QTest::newRow("new entry, S\u00EC") << "" << " lupi" << QList<bool>{true} << 1 << 3;
        QTest::newRow("renamed entry, No") << "2" << "LUPI" << QList<bool>{false} << 1 << 2;
        QTest::newRow("another team") << "" << "Lupi Rossi" << QList<bool>{} << 0 << 3;
        QTest::newRow("imported, S\u00EC, then saved") << "" << "" << QList<bool>{true} << 1 << 3;
    }
    void savingATeamWithAnEntry()
    {
        QFETCH(QString, label);
        QFETCH(QString, typed);
        QFETCH(QList<bool>, answers);
        QFETCH(int, questions);
        QFETCH(int, entries);
        Editor e;
        QVERIFY(e.openWithLupi(QStringLiteral("Lupi"), label));
        e.fake.answers = FakePlatform::yesNo(answers);
        QLineEdit* team = e.field(QStringLiteral("txtConcorrente"));
        if (typed.isEmpty()) {
            e.fake.onDialog = [](QObject* list) { widgets::doubleClickRow(list, 0); };
            e.click(QStringLiteral("impSquadra"));
        } else {
            team->setFocus();
            team->selectAll();
            QTest::keyClicks(team, typed);
        }
        e.click(QStringLiteral("cmdSalva"));

        int asked = 0;
        for (const auto& message : e.fake.messages) {
            if (message.kind == MessageKind::Question) {
                ++asked;
                QVERIFY(message.text.startsWith(u"Attenzione: la squadra \""_s));
                QVERIFY(message.text.contains(u"(scheda n. 1)"_s));
                QCOMPARE(message.choices.preset, platform::Answer::No);
            }
        }
        QCOMPARE(asked, questions);
        QCOMPARE(e.records().size(), entries);
        if (questions == 1 && !typed.isEmpty())
            QVERIFY(e.fake.messages.front().text.endsWith(u"Si desidera salvare comunque la scheda corrente?"_s));
        if (!answers.isEmpty() && !answers.front())
            QVERIFY(team->hasFocus());
    }

    void showingAgainStartsANewEntry()
    {
        Editor e;
        e.write({entry(QStringLiteral("Aquile"), QStringLiteral("3,00"), QStringLiteral("S\u00EC"))});
        QVERIFY(e.open());
        e.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(e.position()->text(), QStringLiteral("1"));
        e.click(QStringLiteral("cmdEsci"));
        e.screen.setTournament(e.folder.file(QStringLiteral("Altro.vai")), QStringLiteral("Altro"));
        QVERIFY(e.open());
        QCOMPARE(e.position()->text(), QString());
        QCOMPARE(e.field(QStringLiteral("txtConcorrente"))->text(), QString());
        QCOMPARE(e.field(QStringLiteral("txtPunteggio"))->text(), QStringLiteral("0,00"));
        QVERIFY(!e.completed()->isChecked());
        QCOMPARE(e.find<QLabel>(QStringLiteral("lblNome"))->text(), QStringLiteral("Altro"));
    }
};

QTEST_MAIN(TestTournamentEditor)
#include "tst_tournament.moc"

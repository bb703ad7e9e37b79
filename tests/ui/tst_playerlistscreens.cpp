// The player search and the two expiry lists, opened from the player editor as a user opens them:
// which players each lists, and the double-click that brings the chosen player, with the photo,
// back into the editor.
#include "output/RecordListScreen.h"
#include "players/PlayerRows.h"
#include "players/Scadute.h"
#include "players/TrovaGiocatori.h"
#include "player_editor.h"

#include <QTableView>
#include <QSpinBox>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

// Filter texts by the filter's object name.
using Filters = QHash<QString, QString>;

// The fields the filters search, each holding a text no other record has.
PlayerRecord searchable(const QString& name, const QString& team, const QString& role)
{
    PlayerRecord record = player(name);
    record.Squadra = team;
    record.Ruolo = role;
    record.DataNasc = u"12/05/1990"_s;
    record.Cittadinanza = u"italiana"_s;
    record.LuogoNasc = u"Roma"_s;
    record.CodFisc = u"RSSMRA90E12H501X"_s;
    record.Infortuni = u"nessuno"_s;
    record.Note = u"capitano"_s;
    return record;
}

PlayerRecord expiring(const QString& name, const QString& card, const QString& certificate)
{
    PlayerRecord record = player(name);
    record.ScadTessera = card;
    record.ScadCertificato = certificate;
    return record;
}

// What a list screen showed while it was open.
struct Seen {
    QString caption;
    QStringList rows;
    QString hint;
    bool countLabel = false;
};

QStringList rowTexts(const RecordListScreen& screen)
{
    QStringList texts;
    for (const ListRow& row : screen.rows())
        texts << row.text;
    return texts;
}


// Types the filters into the search (by their object names) and runs it.
void search(RecordListScreen* screen, const Filters& filters)
{
    for (auto it = filters.begin(); it != filters.end(); ++it)
        widgets::find<QLineEdit>(screen, it.key())->setText(it.value());
    QTest::mouseClick(widgets::find<PictureButton>(screen, u"btnCerca"_s), Qt::LeftButton);
}

// The first names in the rows (the name column ends before "  Squadra: ").
QStringList names(const QStringList& rows)
{
    QStringList result;
    for (const QString& row : rows)
        result << row.section(u"  Squadra: "_s, 0, 0).trimmed();
    return result;
}

}  // namespace

class TestPlayerListScreens : public QObject {
    Q_OBJECT

private slots:
    void buttonsOpenTheirScreens_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("countLabel");
        QTest::newRow("search") << "cmdTrova" << "TfrmTrovaGiocatori" << " Trova schede giocatori in archivio"
                                << "Fare doppio clic sulla voce in elenco per richiamare la scheda" << true;
        QTest::newRow("cards") << "cmdScadTessere" << "TfrmTessereScadute" << " Riepilogo tessere scadute"
                               << "Fare doppio clic su una voce in elenco per richiamare la scheda" << false;
        QTest::newRow("certificates") << "cmdScadCertificati" << "TfrmCertificatiScaduti"
                                      << " Riepilogo certificati medici scaduti"
                                      << "Fare doppio clic su una voce in elenco per richiamare la scheda" << false;
    }

    void buttonsOpenTheirScreens()
    {
        QFETCH(QString, button);
        QFETCH(QString, dialog);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(bool, countLabel);
        PlayerEditor e;
        QVERIFY(e.open());
        QVERIFY(e.find<PictureButton>(button)->isEnabled());
        Seen seen;
        e.fake.onDialog = [&](QObject* opened) {
            auto* screen = qobject_cast<RecordListScreen*>(opened);
            QVERIFY(screen);
            QVERIFY(screen->isModal());
            seen.caption = screen->windowTitle();
            seen.hint = widgets::find<QLabel>(screen, u"lblDoppioClic"_s)->text();
            seen.countLabel = screen->findChild<QLabel*>(u"lblTrovate"_s) != nullptr;
        };
        e.click(button);
        QCOMPARE(e.fake.dialogsRun, QStringList{dialog});
        QCOMPARE(seen.caption, caption);
        QCOMPARE(seen.hint, hint);
        QCOMPARE(seen.countLabel, countLabel);
    }

    // Which filter searches which field, and the rule they share: A to Z folded and nothing else,
    // every filter in use must occur, a filter of blanks is ignored.
    void searchFilters_data()
    {
        QTest::addColumn<Filters>("filters");
        QTest::addColumn<QStringList>("listed");
        using F = Filters;
        QTest::newRow("no filter: all, by name") << F{} << QStringList{u"Bianchi Luca"_s, u"rossi anna"_s, u"Verdi \u00C8lia"_s};
        QTest::newRow("name, capitals fold") << F{{u"txtGiocatore"_s, u"ROSSI"_s}} << QStringList{u"rossi anna"_s};
        QTest::newRow("accented capital is not folded") << F{{u"txtGiocatore"_s, u"\u00E8lia"_s}} << QStringList{};
        QTest::newRow("accented capital as stored") << F{{u"txtGiocatore"_s, u"\u00C8LIA"_s}} << QStringList{u"Verdi \u00C8lia"_s};
        QTest::newRow("team and role together") << F{{u"txtSquadra"_s, u"aquile"_s}, {u"txtRuolo"_s, u"port"_s}}
                                                << QStringList{u"Bianchi Luca"_s};
        QTest::newRow("blank-only filter ignored") << F{{u"txtSquadra"_s, u"aquile"_s}, {u"txtNote"_s, u"   "_s}}
                                                   << QStringList{u"Bianchi Luca"_s};
        QTest::newRow("trailing blank must occur") << F{{u"txtGiocatore"_s, u"rossi "_s}} << QStringList{u"rossi anna"_s};
        QTest::newRow("trailing blank at the end") << F{{u"txtGiocatore"_s, u"luca "_s}} << QStringList{};
        QTest::newRow("birth date") << F{{u"txtDataNasc"_s, u"1991"_s}} << QStringList{u"Verdi \u00C8lia"_s};
        QTest::newRow("citizenship") << F{{u"txtCittadinanza"_s, u"SVIZZ"_s}} << QStringList{u"Verdi \u00C8lia"_s};
        QTest::newRow("birth place") << F{{u"txtLuogoNasc"_s, u"napoli"_s}} << QStringList{u"Verdi \u00C8lia"_s};
        QTest::newRow("tax code") << F{{u"txtCodFisc"_s, u"vrd"_s}} << QStringList{u"Verdi \u00C8lia"_s};
        QTest::newRow("card") << F{{u"txtTessera"_s, u"t-verdi"_s}} << QStringList{u"Verdi \u00C8lia"_s};
        QTest::newRow("injuries") << F{{u"txtInfortuni"_s, u"ginocchio"_s}} << QStringList{u"Verdi \u00C8lia"_s};
        QTest::newRow("notes") << F{{u"txtNote"_s, u"riserva"_s}} << QStringList{u"Verdi \u00C8lia"_s};
    }

    void searchFilters()
    {
        QFETCH(Filters, filters);
        QFETCH(QStringList, listed);
        PlayerEditor e;
        PlayerRecord verdi = searchable(u"Verdi \u00C8lia"_s, u"Lupi"_s, u"ala"_s);
        verdi.DataNasc = u"01/02/1991"_s;
        verdi.Cittadinanza = u"svizzera"_s;
        verdi.LuogoNasc = u"Napoli"_s;
        verdi.CodFisc = u"VRDLEI91B41F839K"_s;
        verdi.Infortuni = u"ginocchio"_s;
        verdi.Note = u"riserva"_s;
        e.write({searchable(u"rossi anna"_s, u"Lupi"_s, u"portiere"_s), verdi,
                 searchable(u"Bianchi Luca"_s, u"Aquile"_s, u"portiere"_s)});
        QVERIFY(e.open());
        Seen seen;
        QString count;
        e.fake.onDialog = [&](QObject* opened) {
            auto* screen = qobject_cast<RecordListScreen*>(opened);
            screen->show();
            search(screen, filters);
            seen.rows = rowTexts(*screen);
            count = widgets::find<QLabel>(screen, u"lblTrovate"_s)->text();
            screen->close();
        };
        e.click(u"cmdTrova"_s);
        QCOMPARE(names(seen.rows), listed);
        QCOMPARE(count, u"Il presente riepilogo contiene %1 schede"_s.arg(listed.size()));
        QCOMPARE(e.position()->text(), QString());  // closing opens nothing
    }

    // The chosen row's player comes up with the photo of its own position, the placeholder where
    // there is none; of two players with the same row, each row opens its own.
    void searchOpensThePlayer_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QSize>("photo");  // empty: the placeholder
        QTest::newRow("with a photo") << 0 << "2" << QSize(40, 60);
        QTest::newRow("first of two equal rows, no photo") << 1 << "1" << QSize();
        QTest::newRow("second of two equal rows") << 2 << "4" << QSize(90, 120);
        QTest::newRow("name longer than the column") << 3 << "3" << QSize();
    }

    void searchOpensThePlayer()
    {
        QFETCH(int, row);
        QFETCH(QString, opened);
        QFETCH(QSize, photo);
        PlayerEditor e;
        PlayerRecord first = player(u"Orsi Paolo"_s);
        PlayerRecord second = first;
        second.Note = u"l'altro Orsi Paolo"_s;
        second.Indirizzo = u"Via Roma 1"_s;
        e.write({first, player(u"Bianchi Luca"_s), player(u"Zanetti Bartolomeo Giovanni Maria"_s), second});
        QVERIFY(photoStore::store(2, plainPicture({40, 60}, Qt::red)));
        QVERIFY(photoStore::store(4, plainPicture({90, 120}, Qt::blue)));
        QVERIFY(e.open());
        QStringList rows;
        e.fake.onDialog = [&](QObject* opened) {
            auto* screen = qobject_cast<RecordListScreen*>(opened);
            screen->show();
            search(screen, {});
            rows = rowTexts(*screen);
            widgets::doubleClickRow(screen, row);
            QVERIFY(!screen->isVisible());
        };
        e.click(u"cmdTrova"_s);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(1), rows.at(2));
        QCOMPARE(rows.at(3).left(28), u"Zanetti Bartolomeo Giovanni "_s);
        QCOMPARE(e.position()->text(), opened);
        const PlayerRecord stored = e.records().at(opened.toInt() - 1);
        QCOMPARE(e.field(u"txtGiocatore"_s)->text(), stored.Giocatore);
        QCOMPARE(e.field(u"txtNote"_s)->text(), stored.Note);
        QCOMPARE(e.field(u"txtIndirizzo"_s)->text(), stored.Indirizzo);
        if (photo.isEmpty())
            QCOMPARE(e.photo(), placeholder());
        else
            QCOMPARE(e.photo().size(), photo);
    }

    void searchPrintsItsTitle()
    {
        PlayerEditor e;
        e.write({player(u"Rossi Anna"_s)});
        QVERIFY(e.open());
        e.fake.onDialog = [&](QObject* opened) {
            auto* screen = qobject_cast<RecordListScreen*>(opened);
            screen->show();
            search(screen, {});
            QTest::mouseClick(widgets::find<PictureButton>(screen, u"btnStampa"_s), Qt::LeftButton);
            screen->close();
        };
        e.click(u"cmdTrova"_s);
        QCOMPARE(e.fake.printed().size(), 1);
        const report::PreparedReport printed = e.fake.printed().front();
        QCOMPARE(printed.pages.front().itemsNamed(u"txtTitolo"_s).front()->text(), u"Riepilogo schede giocatori in archivio"_s);
        QCOMPARE(printed.pages.front().itemsNamed(u"txtRiepilogo"_s).front()->lines,
                 QStringList{playerRows::cardRow(player(u"Rossi Anna"_s).toBytes())});
    }

    // Today is fixed by the clock; the horizon, 0 when the list opens, refills the list. Each row
    // is marked, in a word and a colour; under the list, how many of each kind, and the records
    // left out because their date is impossible (Rossi's card expires on 31 February).
    void expiryLists_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("horizon");
        QTest::addColumn<QStringList>("listed");  // name: mark
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("leftOut");
        const QString cardLeftOut = u"1 scheda non \u00E8 elencata perch\u00E9 la data di scadenza non \u00E8 leggibile: "
                                    "scheda n. 3 (Rossi)."_s;
        QTest::newRow("cards") << "cmdScadTessere" << 0 << QStringList{u"Bianchi: Scaduta"_s, u"Verdi: Scaduta"_s}
                               << "Riepilogo tessere scadute"
                               << u"Il presente riepilogo contiene 2 schede: 2 tessere scadute."_s << cardLeftOut;
        QTest::newRow("cards, 1 day ahead")
            << "cmdScadTessere" << 1
            << QStringList{u"Bianchi: Scaduta"_s, u"Gialli: In scadenza"_s, u"Neri: In scadenza"_s, u"Verdi: Scaduta"_s}
            << "Riepilogo tessere scadute o in scadenza entro 1 giorno"
            << u"Il presente riepilogo contiene 4 schede: 2 tessere scadute, 2 in scadenza entro 1 giorno."_s << cardLeftOut;
        QTest::newRow("certificates") << "cmdScadCertificati" << 0 << QStringList{u"Gialli: Scaduto"_s}
                                      << "Riepilogo certificati medici scaduti"
                                      << u"Il presente riepilogo contiene 1 scheda: 1 certificato scaduto."_s << QString();
        QTest::newRow("certificates, 30 days ahead")
            << "cmdScadCertificati" << 30
            << QStringList{u"Gialli: Scaduto"_s, u"Rossi: In scadenza"_s, u"Verdi: In scadenza"_s}
            << "Riepilogo certificati medici scaduti o in scadenza entro 30 giorni"
            << u"Il presente riepilogo contiene 3 schede: 1 certificato scaduto, 2 in scadenza entro 30 giorni."_s << QString();
    }

    void expiryLists()
    {
        QFETCH(QString, button);
        QFETCH(int, horizon);
        QFETCH(QStringList, listed);
        QFETCH(QString, title);
        QFETCH(QString, count);
        QFETCH(QString, leftOut);
        PlayerEditor e;
        e.fake.now = QDateTime(QDate(2024, 3, 5), QTime(23, 59));
        e.write({expiring(u"Verdi"_s, u"04/03/2024"_s, u"05/03/2024"_s),    // card expired yesterday
                 expiring(u"Neri"_s, u"05/03/2024"_s, u"01/01/2025"_s),     // card expires today
                 expiring(u"Rossi"_s, u"31/02/2024"_s, u"04/04/2024"_s),    // card date unreadable
                 expiring(u"Bianchi"_s, u"01/01/2020"_s, u"01/01/2025"_s),  // after the unreadable one
                 expiring(u"Gialli"_s, u"06/03/2024"_s, u"29/02/2024"_s)}); // card expires tomorrow
        QVERIFY(e.open());
        QStringList initial, rows, marked, words;
        QString countShown, leftOutShown;
        int initialHorizon = -1;
        e.fake.onDialog = [&](QObject* opened) {
            auto* screen = qobject_cast<RecordListScreen*>(opened);
            screen->show();
            auto* spin = widgets::find<QSpinBox>(screen, u"spnEntro"_s);
            initialHorizon = spin->value();
            initial = rowTexts(*screen);
            spin->setValue(horizon);
            rows = rowTexts(*screen);
            const QAbstractItemModel* model = widgets::find<QTableView>(screen, u"lstRecords"_s)->model();
            QBrush first;
            for (int row = 0; row < model->rowCount(); ++row) {
                const QString word = model->index(row, 0).data().toString();
                marked << model->index(row, 1).data().toString() + u": "_s + word;
                words << word;
                // One colour for each word, and none of them the plain rows' white.
                const auto brush = model->index(row, 0).data(Qt::BackgroundRole).value<QBrush>();
                QVERIFY(brush.style() != Qt::NoBrush && brush.color() != Qt::white);
                if (row == 0)
                    first = brush;
                else
                    QCOMPARE(brush == first, word == model->index(0, 0).data().toString());
            }
            countShown = widgets::find<QLabel>(screen, u"lblConteggio"_s)->text();
            leftOutShown = widgets::find<QLabel>(screen, u"lblEsclusi"_s)->text();
            QTest::mouseClick(widgets::find<PictureButton>(screen, u"btnStampa"_s), Qt::LeftButton);
            screen->close();
        };
        e.click(button);
        QCOMPARE(initialHorizon, 0);
        QCOMPARE(marked, listed);
        QCOMPARE(countShown, count);
        QCOMPARE(leftOutShown, leftOut);
        if (horizon == 0)
            QCOMPARE(initial, rows);
        QCOMPARE(e.fake.printed().size(), 1);
        const report::PreparedPage page = e.fake.printed().front().pages.front();
        QCOMPARE(page.itemsNamed(u"txtTitolo"_s).front()->text(), title);
        // The paper says what the screen says: each row's word, the count line and the left-out line.
        qsizetype width = 0;
        for (const QString& word : std::as_const(words))
            width = std::max(width, word.size());
        QStringList printed;
        for (qsizetype i = 0; i < rows.size(); ++i)
            printed << (width > 0 ? words.at(i).leftJustified(width + 2) : QString()) + rows.at(i);
        printed << QString() << count;
        if (!leftOut.isEmpty())
            printed << leftOut;
        QCOMPARE(page.itemsNamed(u"txtRiepilogo"_s).front()->lines, printed);
    }

    // The row's own record, expired or not, comes up with its photo; identical rows stay apart.
    void expiryListOpensThePlayer_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QSize>("photo");
        QTest::newRow("first of two equal rows") << 0 << "1" << QSize(40, 60);
        QTest::newRow("second of two equal rows") << 1 << "3" << QSize();
    }

    void expiryListOpensThePlayer()
    {
        QFETCH(int, row);
        QFETCH(QString, opened);
        QFETCH(QSize, photo);
        PlayerEditor e;
        e.fake.now = QDateTime(QDate(2024, 3, 5), QTime(9, 0));
        PlayerRecord first = expiring(u"Orsi Paolo"_s, u"01/03/2024"_s, u"01/03/2025"_s);
        PlayerRecord second = first;
        second.Note = u"l'altro"_s;
        e.write({first, expiring(u"Bianchi"_s, u"01/03/2025"_s, u"01/03/2025"_s), second});
        QVERIFY(photoStore::store(1, plainPicture({40, 60}, Qt::red)));
        QVERIFY(e.open());
        e.fake.onDialog = [&](QObject* opened) {
            auto* screen = qobject_cast<RecordListScreen*>(opened);
            screen->show();
            QCOMPARE(screen->rowCount(), 2);
            widgets::doubleClickRow(screen, row);
            QVERIFY(!screen->isVisible());
        };
        e.click(u"cmdScadTessere"_s);
        QCOMPARE(e.position()->text(), opened);
        QCOMPARE(e.field(u"txtNote"_s)->text(), e.records().at(opened.toInt() - 1).Note);
        if (photo.isEmpty())
            QCOMPARE(e.photo(), placeholder());
        else
            QCOMPARE(e.photo().size(), photo);
    }
};

QTEST_MAIN(TestPlayerListScreens)
#include "tst_playerlistscreens.moc"

// The entries as list rows, the entries still to complete, and the entry sheet filled from the
// editor's values.
#include "output/PackedRows.h"
#include "output/ReportLayout.h"
#include "tournament/EntryRows.h"
#include "tournament/EntrySheet.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

TournamentRecord entry(const QString& team, const QString& mark)
{
    TournamentRecord record;
    record.Concorrente = team;
    record.Completato = mark;
    return record;
}

RecordValues values()
{
    return {{u"Concorrente"_s, u"  Aquile [A] "_s}, {u"Responsabile"_s, u"Rossi"_s},   {u"Telefono"_s, u"555-1"_s},
            {u"Email"_s, u"a@b.it"_s},            {u"Gare"_s, u"1) [DATE] 2-1"_s},      {u"Punteggio"_s, u"12,50"_s},
            {u"Note"_s, u"nota"_s},               {u"Completato"_s, u"S\u00EC"_s}};
}

const report::Object& only(const report::PreparedReport& sheet, const QString& name)
{
    const QList<const report::Object*> found = sheet.pages.at(0).itemsNamed(name);
    if (found.size() != 1)
        qFatal("%s appears %d times", qPrintable(name), int(found.size()));
    return *found.front();
}

}  // namespace

class TestEntries : public QObject {
    Q_OBJECT

private slots:
    void row()
    {
        TournamentRecord record = entry(u" Aquile"_s, u"No"_s);
        record.Responsabile = u"Mario Rossi"_s;
        record.Note = QString(70, u'n');
        record.Punteggio = u" 12,50 "_s;
        const QString expected = u"Aquile                          Resp. Mario Rossi                     Note: "_s
                                 + QString(58, u'n') + u"  Punti: 12,50"_s;
        QCOMPARE(PackedRows::rowOf(recordFormat(TournamentRecord::Layout), entryRows::layout(), record.toBytes()), expected);
    }

    void pending_data()
    {
        QTest::addColumn<QByteArray>("mark");  // the mark's three stored bytes
        QTest::addColumn<bool>("pending");
        QTest::newRow("S\u00EC") << QByteArray("S\xEC\0", 3) << false;
        QTest::newRow("No") << QByteArray("No\0", 3) << true;
        QTest::newRow("No after a blank, no terminator") << QByteArray(" No", 3) << true;
        QTest::newRow("empty") << QByteArray(3, '\0') << false;
        QTest::newRow("other text") << QByteArray("no\0", 3) << false;
    }

    void pending()
    {
        QFETCH(QByteArray, mark);
        QFETCH(bool, pending);
        QByteArray bytes = entry(u"Aquile"_s, QString()).toBytes();
        bytes.replace(TournamentRecord::Layout.offsetOf("Completato"), 3, mark);
        QCOMPARE(entryRows::pending(bytes), pending);
    }

    void sheetShowsTheValuesAsTyped()
    {
        const report::PreparedReport sheet = report::prepare(
            entrySheet::make(u" Coppa Estate "_s, u" 3 "_s, values(), entrySheet::Copy::Preview), QDate(2026, 12, 9));
        QCOMPARE(sheet.pages.size(), 1);
        QCOMPARE(sheet.pages[0].orientation, QPageLayout::Portrait);
        QCOMPARE(only(sheet, u"lblNome"_s).text(), u"Coppa Estate"_s);
        QCOMPARE(only(sheet, u"txtPagina"_s).text(), u"p. 3"_s);
        QCOMPARE(only(sheet, u"txtConcorrente"_s).text(), u"Aquile [A]"_s);
        QCOMPARE(only(sheet, u"txtGare"_s).text(), u"1) [DATE] 2-1"_s);  // no variable in a typed text
        QCOMPARE(only(sheet, u"txtPunteggio"_s).text(), u"12,50"_s);
        QVERIFY(only(sheet, u"txtPunteggio"_s).alignment & Qt::AlignRight);
        QCOMPARE(only(sheet, u"txtConcorrente"_s).geometry, QRectF(128.50402, 65.00787, 616.063, 14.3622));
        QCOMPARE(only(sheet, u"shpSquadra"_s).fill, QColor(100, 149, 237));
        QCOMPARE(only(sheet, u"shpSfondoGare"_s).fill, QColor(245, 245, 220));
        QCOMPARE(only(sheet, u"lblSquadra"_s).color, QColor(255, 255, 224));
    }

    void unsavedEntryHasNoPosition()
    {
        const report::PreparedReport sheet =
            report::prepare(entrySheet::make(u"Coppa"_s, QString(), {}, entrySheet::Copy::Print), QDate(2026, 12, 9));
        QCOMPARE(only(sheet, u"txtPagina"_s).text(), u"p. "_s);
        QCOMPARE(only(sheet, u"txtConcorrente"_s).text(), QString());
        QCOMPARE(only(sheet, u"txtConcorrente"_s).geometry, QRectF(124.72449, 65.00787, 619.84253, 14.3622));
        QCOMPARE(only(sheet, u"lblSquadra"_s).geometry.width(), 73.32282);
    }

    // A match list longer than its box stays in the box, on the one page.
    void longMatchListStaysOnePage()
    {
        RecordValues entry = values();
        QStringList lines;
        for (int i = 1; i <= 200; ++i)
            lines.append(u"%1) Aquile - Lupi 2-1"_s.arg(i));
        entry[u"Gare"_s] = lines.join(u"\r\n"_s);
        const report::PreparedReport sheet =
            report::prepare(entrySheet::make(u"Coppa"_s, u"1"_s, entry, entrySheet::Copy::Preview), QDate(2026, 12, 9));
        QCOMPARE(sheet.pages.size(), 1);
        QCOMPARE(only(sheet, u"txtGare"_s).geometry, QRectF(49.13389, 158.74026, 695.43307, 823.18118));
        QVERIFY(only(sheet, u"txtGare"_s).wordWrap);
    }
};

QTEST_GUILESS_MAIN(TestEntries)
#include "tst_entries.moc"

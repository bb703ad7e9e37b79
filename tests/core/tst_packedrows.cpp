// The long lists' compact rows against the plain way of making them: every record decoded whole,
// its row text made and the texts sorted. Same texts, same order, same record positions, on
// records made to trip a byte-level sort (case, letters outside A to Z, the euro sign, blanks and
// controls around the texts, names equal beyond the sort key, identical rows).
#include "output/PackedRows.h"
#include "storage/TeamRecord.h"
#include "teams/TeamRows.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const RecordFormat& teamFormat()
{
    static const RecordFormat format = recordFormat(TeamRecord::Layout);
    return format;
}

// Names longer than the sort key that differ only after it, and the usual byte traps.
QByteArray trickyArchive(quint32 seed, int count)
{
    const QString longName = u"Polisportiva Dilettantistica Centro Sportivo "_s;
    const QStringList names{u"Aquile"_s, u"aquile"_s, u" Aquile "_s, u"AQUILE"_s, u"\u20ACuro"_s, u"\u00E0ncora"_s,
                            u"Zeta"_s, u"zeta\u0178"_s, u"\tOrsi"_s, longName + u"Roma"_s, longName + u"Rieti"_s,
                            longName + u"roma"_s, longName, QString(), u"a b"_s, u"[zz]"_s, u"_x"_s, u"~y"_s};
    const QStringList fields{QString(), u"Rossi"_s, u"rossi"_s, u"Comunale di Roma"_s, u"\u0160andor"_s,
                             QString(40, u'c'), u" spazio "_s};
    QRandomGenerator random(seed);
    const auto pick = [&random](const QStringList& from) { return from.at(random.bounded(int(from.size()))); };
    QByteArray file;
    for (int i = 0; i < count; ++i) {
        TeamRecord team;
        team.Squadra = pick(names);
        team.Campo = pick(fields);
        team.Allenatore = pick(fields);
        team.Responsabile = pick(fields);
        team.Telefono = pick(fields);
        team.Sede = pick(fields);
        team.Note = pick(fields);
        team.setSelezionata(random.bounded(2) == 0);
        QByteArray bytes = team.toBytes();
        // Blanks and controls around a stored name, as another program may have left them.
        if (i % 7 == 0) {
            const QByteArray raw = " \tAquile \r";
            bytes[TeamRecord::Layout.offsetOf("Squadra")] = char(raw.size());
            bytes.replace(TeamRecord::Layout.offsetOf("Squadra") + 1, raw.size(), raw);
        }
        file += bytes;
    }
    return file;
}

QList<ListRow> rowsMadeWhole(const listRows::Layout& layout, const QByteArray& file, bool selectedOnly)
{
    QList<ListRow> rows;
    for (qsizetype at = 0; at + TeamRecord::Size <= file.size(); at += TeamRecord::Size) {
        const QByteArrayView bytes = QByteArrayView(file).sliced(at, TeamRecord::Size);
        if (selectedOnly && !teamRows::isSelected(bytes))
            continue;
        const RecordValues values = teamFormat().decode(bytes);
        QStringList shown;
        for (const listRows::Column& column : layout)
            shown.append(values.value(column.field));
        rows.append({listRows::build(layout, shown), at / TeamRecord::Size + 1});
    }
    listRows::sort(rows);
    return rows;
}

listRows::Layout longFirstColumn()
{
    return {{u"> "_s, u"Squadra"_s, 50}, {u" | "_s, u"Sede"_s, 10}, {u" "_s, u"Note"_s, -1}};
}

}  // namespace

class TestPackedRows : public QObject {
    Q_OBJECT

private slots:
    void sameRowsAsWholeRecords_data()
    {
        QTest::addColumn<int>("layout");  // 0: the team lists' row, 1: a first column wider than the key
        QTest::addColumn<bool>("selectedOnly");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("records");
        QTest::newRow("team row, one record") << 0 << false << 1u << 1;
        QTest::newRow("team row, 3000 records") << 0 << false << 2u << 3000;
        QTest::newRow("team row, selected only") << 0 << true << 3u << 3000;
        QTest::newRow("wide first column, 3000 records") << 1 << false << 4u << 3000;
    }
    void sameRowsAsWholeRecords()
    {
        QFETCH(int, layout);
        QFETCH(bool, selectedOnly);
        QFETCH(quint32, seed);
        QFETCH(int, records);
        const listRows::Layout columns = layout == 0 ? teamRows::layout() : longFirstColumn();
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Archivio_Squadre.pro"_s);
        const QByteArray file = trickyArchive(seed, records);
        {
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QCOMPARE(out.write(file), file.size());
        }
        const auto rows = PackedRows::read(path, teamFormat(), columns,
                                           selectedOnly ? PackedRows::Accept(teamRows::isSelected) : PackedRows::Accept());
        QVERIFY(rows->error().isEmpty());
        const QList<ListRow> expected = rowsMadeWhole(columns, file, selectedOnly);
        QCOMPARE(rows->count(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(rows->text(i), expected.at(i).text);
            QCOMPARE(rows->position(i), expected.at(i).position);
        }
    }

    // Missing: created empty, as every list does. Unreadable: no rows and the failure told.
    void missingAndUnreadableArchives()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath(u"Archivio_Squadre.pro"_s);
        const auto none = PackedRows::read(missing, teamFormat(), teamRows::layout());
        QCOMPARE(none->count(), 0);
        QVERIFY(none->error().isEmpty());
        QVERIFY(QFile::exists(missing));

        const QString folderInstead = folder.filePath(u"cartella.pro"_s);
        QVERIFY(QDir().mkdir(folderInstead));
        const auto failed = PackedRows::read(folderInstead, teamFormat(), teamRows::layout());
        QCOMPARE(failed->count(), 0);
        QVERIFY(!failed->error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPackedRows)
#include "tst_packedrows.moc"

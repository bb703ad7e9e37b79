// Record list mechanics: the order of sorted lists, find-in-list and the search filter rule.
#include "output/FindInList.h"
#include "output/ListRows.h"
#include "output/SearchFilter.h"

#include <QTest>

namespace {

QList<ListRow> rowsOf(const QStringList& texts)
{
    QList<ListRow> rows;
    for (const QString& text : texts)
        rows.append({text, rows.size() + 1});
    return rows;
}

}  // namespace

class TestListRows : public QObject {
    Q_OBJECT

private slots:
    void columns_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("column");
        QTest::newRow("padded") << "Aquile" << 10 << "Aquile    ";
        QTest::newRow("exact") << "Aquile" << 6 << "Aquile";
        QTest::newRow("cut") << "Aquile Rosse" << 6 << "Aquile";
        QTest::newRow("blanks around removed before cutting") << "   Aquile Rosse  " << 8 << "Aquile R";
        QTest::newRow("controls around removed") << "\tAquile\r\n" << 7 << "Aquile ";
        QTest::newRow("inner blanks kept") << "A  B" << 5 << "A  B ";
        QTest::newRow("empty") << "" << 3 << "   ";
        QTest::newRow("accented letters count once") << QString::fromUtf8("Città") << 6 << QString::fromUtf8("Città ");
    }
    void columns()
    {
        QFETCH(QString, field);
        QFETCH(int, width);
        QFETCH(QString, column);
        QString row = QStringLiteral("|");
        listRows::appendColumn(row, field, width);
        QCOMPARE(row, QStringLiteral("|") + column);

        QString last = QStringLiteral("|");
        listRows::appendLast(last, field);
        QCOMPARE(last, QStringLiteral("|") + field.trimmed());
    }

    void order_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QStringList>("sorted");
        QTest::newRow("letters folded, the blank sorts before letters")
            << QStringList{"beta", "Alfa", "ALFA BIANCA"} << QStringList{"Alfa", "ALFA BIANCA", "beta"};
        QTest::newRow("padded names") << QStringList{"beta      x", "Alfa      x", "ALFA BIANCAx"}
                                      << QStringList{"Alfa      x", "ALFA BIANCAx", "beta      x"};
        QTest::newRow("digits before letters, lower case among upper")
            << QStringList{"zeta.vai", "Serie A 2024.vai", "2024 Coppa.vai", "coppa.vai", "Derby.vai"}
            << QStringList{"2024 Coppa.vai", "coppa.vai", "Derby.vai", "Serie A 2024.vai", "zeta.vai"};
        QTest::newRow("prefix first") << QStringList{"Roma Nord", "Roma", "ROMA "} << QStringList{"Roma", "ROMA ", "Roma Nord"};
        // After folding, "_" (5F) lies between "Z" (5A) and the accented capitals; accents are not folded.
        QTest::newRow("code units, accents as stored")
            << QStringList{QString::fromUtf8("èva"), QString::fromUtf8("Èva"), "_x", "zorro", "Eva"}
            << QStringList{"Eva", "zorro", "_x", QString::fromUtf8("Èva"), QString::fromUtf8("èva")};
        QTest::newRow("empty") << QStringList{} << QStringList{};
    }
    void order()
    {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, sorted);
        QStringList plain = texts;
        listRows::sort(plain);
        QCOMPARE(plain, sorted);

        QList<ListRow> rows = rowsOf(texts);
        listRows::sort(rows);
        QStringList rowTexts;
        for (const ListRow& row : rows) {
            rowTexts.append(row.text);
            QCOMPARE(row.text, texts.at(row.position - 1));  // each row keeps its own record
        }
        QCOMPARE(rowTexts, sorted);
        for (qsizetype i = 1; i < sorted.size(); ++i)
            QVERIFY(!listRows::orderLess(sorted.at(i), sorted.at(i - 1)));
    }

    void equalRowsKeepTheirRecords()
    {
        QList<ListRow> rows{{"beta", 1}, {"Uno", 2}, {"beta", 3}, {"BETA", 4}};
        listRows::sort(rows);
        QCOMPARE(rows.at(0).text, QStringLiteral("beta"));
        QCOMPARE(rows.at(0).position, 1);
        QCOMPARE(rows.at(1).position, 3);
        QCOMPARE(rows.at(2).position, 4);
        QCOMPARE(rows.at(3).position, 2);
    }

    // A sequence of "Trova" presses: each step is the typed text and the row selected after it.
    void find_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QList<int>>("selectedAfter");
        const QStringList alf{"ALFA", "Alfabeto", "beta"};
        QTest::newRow("same text moves on and wraps") << alf << -1 << "" << QStringList{"alf", "alf", "alf"}
                                                      << QList<int>{0, 1, 0};
        QTest::newRow("same text in other case is the same search")
            << alf << -1 << "" << QStringList{"alf", "ALF", "Alf"} << QList<int>{0, 1, 0};
        QTest::newRow("new text restarts from the top")
            << alf << -1 << "" << QStringList{"alf", "alf", "a"} << QList<int>{0, 1, 0};
        QTest::newRow("new text finds a later row") << alf << 0 << "" << QStringList{"eta", "eta"} << QList<int>{2, 2};
        QTest::newRow("the selected row again only when it is the only match")
            << alf << -1 << "" << QStringList{"beto", "beto"} << QList<int>{1, 1};
        QTest::newRow("empty text selects the first row") << alf << -1 << "" << QStringList{""} << QList<int>{0};
        QTest::newRow("empty text leaves the selection") << alf << 2 << "" << QStringList{"", ""} << QList<int>{2, 2};
        QTest::newRow("no match leaves the selection") << alf << 1 << "" << QStringList{"gamma"} << QList<int>{1};
        QTest::newRow("blanks take part") << QStringList{"Roma Nord", "Nuova Roma"} << -1 << ""
                                          << QStringList{" roma", " roma"} << QList<int>{1, 1};
        QTest::newRow("accented capital does not find the small letter")
            << QStringList{QString::fromUtf8("Perché"), QString::fromUtf8("PERCHÉ")} << -1 << ""
            << QStringList{QString::fromUtf8("É"), QString::fromUtf8("é")} << QList<int>{1, 0};
        // A text remembered from an earlier list of the same kind counts as the same search:
        // the first press starts after the selected (first) row.
        QTest::newRow("remembered text from before") << alf << -1 << "ALF" << QStringList{"alf"} << QList<int>{1};
    }
    void find()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, selected);
        QFETCH(QString, remembered);
        QFETCH(QStringList, typed);
        QFETCH(QList<int>, selectedAfter);
        const QList<ListRow> list = rowsOf(rows);
        for (qsizetype step = 0; step < typed.size(); ++step) {
            const findInList::Outcome outcome = findInList::next(list, selected, typed.at(step), remembered);
            QVERIFY(outcome.applicable);
            QCOMPARE(outcome.selected, selectedAfter.at(step));
            selected = outcome.selected;
        }
    }

    void findInAnEmptyList()
    {
        QString remembered = QStringLiteral("X");
        const findInList::Outcome outcome = findInList::next({}, -1, QStringLiteral("alf"), remembered);
        QVERIFY(!outcome.applicable);
        QCOMPARE(outcome.selected, -1);
        QCOMPARE(remembered, QStringLiteral("X"));
    }

    void filters_data()
    {
        QTest::addColumn<QStringList>("filters");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("inUse");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("none in use") << QStringList{"", ""} << QStringList{"Roma", ""} << 0 << true;
        QTest::newRow("both occur") << QStringList{"roma", "finale"} << QStringList{"AS Roma", "Finale vinta"} << 2 << true;
        QTest::newRow("found inside a word") << QStringList{"roma", "finale"} << QStringList{"AS Roma", "semifinale"} << 2 << true;
        QTest::newRow("one does not occur") << QStringList{"roma", "finale"} << QStringList{"AS Roma", "girone"} << 2 << false;
        QTest::newRow("capitals fold") << QStringList{"ROMA"} << QStringList{"Lazio, roma est"} << 1 << true;
        QTest::newRow("leading blank is searched") << QStringList{" Roma"} << QStringList{"Roma Nord"} << 1 << false;
        QTest::newRow("leading blank found") << QStringList{" Roma"} << QStringList{"Nuova Roma"} << 1 << true;
        QTest::newRow("accented capital") << QStringList{QString::fromUtf8("È")} << QStringList{QString::fromUtf8("è")} << 1 << false;
        // Blanks only: not counted and no match, so it cannot stand in for a filter that fails.
        QTest::newRow("blank filter ignored") << QStringList{"roma", "  "} << QStringList{"Lazio", "a  b"} << 1 << false;
        QTest::newRow("blank filter alone") << QStringList{"  "} << QStringList{"nothing"} << 0 << true;
        QTest::newRow("tab counts as blank") << QStringList{"\t"} << QStringList{"x"} << 0 << true;
    }
    void filters()
    {
        QFETCH(QStringList, filters);
        QFETCH(QStringList, fields);
        QFETCH(int, inUse);
        QFETCH(bool, accepted);
        QCOMPARE(searchFilter::countInUse(filters), inUse);
        QCOMPARE(searchFilter::accepts(filters, fields), accepted);
    }
};

QTEST_GUILESS_MAIN(TestListRows)
#include "tst_listrows.moc"

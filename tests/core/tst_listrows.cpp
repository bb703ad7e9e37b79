// Record list mechanics: the order of sorted lists, sorting by a column, find-in-list and the
// search filter rule.
#include "output/FindInList.h"
#include "output/ListRows.h"
#include "output/SearchFilter.h"
#include "output/SortedRows.h"

#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(listRows::Values)

namespace {

// Rows of one column of each kind, given as stored texts; the mark follows the text's first
// letter (s: alert, i: caution).
class Sample final : public RowSource {
public:
    explicit Sample(QList<QByteArray> values, listRows::Values kind)
        : m_values(std::move(values))
        , m_layout{{QString(), QStringLiteral("Campo"), 10, QStringLiteral("Campo"), kind}}
    {
    }
    qsizetype count() const override { return m_values.size(); }
    QString text(qsizetype row) const override { return QString::fromLatin1(m_values.at(row)); }
    qint64 position(qsizetype row) const override { return row + 1; }
    const listRows::Layout& columns() const override { return m_layout; }
    QByteArrayView stored(qsizetype row, qsizetype) const override { return m_values.at(row); }
    RowMark mark(qsizetype row) const override
    {
        const char first = m_values.at(row).isEmpty() ? char(0) : m_values.at(row).front();
        return {first == 's' ? RowMark::Tone::Alert : first == 'i' ? RowMark::Tone::Caution : RowMark::Tone::None,
                QString()};
    }

private:
    QList<QByteArray> m_values;
    listRows::Layout m_layout;
};

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
    // A click on a heading orders the rows by that column's values: texts as the lists compare
    // them, numbers and dates by value with what is neither after the rest either way, places by
    // number, marks by kind; equal values keep the list's own order, in both directions.
    void sortByColumn_data()
    {
        QTest::addColumn<listRows::Values>("kind");
        QTest::addColumn<QList<QByteArray>>("values");
        QTest::addColumn<QList<int>>("ascending");   // the rows' own numbers, 0-based
        QTest::addColumn<QList<int>>("descending");
        using V = listRows::Values;
        using L = QList<int>;
        QTest::newRow("text, a to z folded, prefix first")
            << V::Text << QList<QByteArray>{"beta", "ALFA B", "Alfa", "alfa"} << L{2, 3, 1, 0} << L{0, 1, 2, 3};
        QTest::newRow("text, accented letters as stored")
            << V::Text << QList<QByteArray>{"\xC8lia", "Elia", "Zeno"} << L{1, 2, 0} << L{0, 2, 1};
        QTest::newRow("numbers by value, comma decimals")
            << V::Number << QList<QByteArray>{"12,50", "9,00", "100,00", "", "-1,5", "abc", "9"} << L{4, 1, 6, 0, 2, 3, 5} << L{2, 0, 1, 6, 4, 3, 5};
        QTest::newRow("dates by date, unreadable last")
            << V::Date << QList<QByteArray>{"01/02/2024", "31/12/2023", "31/02/2024", "15/01/2024", "01/02/2024"}
            << L{1, 3, 0, 4, 2} << L{0, 4, 3, 1, 2};
        QTest::newRow("places") << V::Place << QList<QByteArray>{"x", "y", "z"} << L{0, 1, 2} << L{2, 1, 0};
        QTest::newRow("marks, expired first") << V::Mark << QList<QByteArray>{"in", "sc", "in", "sc"} << L{1, 3, 0, 2}
                                              << L{0, 2, 1, 3};
    }
    void sortByColumn()
    {
        QFETCH(listRows::Values, kind);
        QFETCH(QList<QByteArray>, values);
        QFETCH(QList<int>, ascending);
        QFETCH(QList<int>, descending);
        SortedRows rows(std::make_shared<Sample>(values, kind));
        const auto order = [&rows] {
            QList<int> shown;
            for (qsizetype row = 0; row < rows.count(); ++row)
                shown << int(rows.underlying(row));
            return shown;
        };
        QCOMPARE(order(), (QList<int>{0, 1, 2, 3, 4, 5, 6}.mid(0, values.size())));  // the list's own order
        rows.sortBy(0, Qt::AscendingOrder);
        QCOMPARE(order(), ascending);
        for (qsizetype row = 0; row < rows.count(); ++row) {
            QCOMPARE(rows.shownAt(rows.underlying(row)), row);
            QCOMPARE(rows.text(row), QString::fromLatin1(values.at(ascending.at(row))));
            QCOMPARE(rows.place(row), qsizetype(ascending.at(row) + 1));  // a row keeps its place
        }
        rows.sortBy(0, Qt::DescendingOrder);
        QCOMPARE(order(), descending);
    }

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

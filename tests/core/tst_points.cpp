#include "tournament/Points.h"

#include <QTest>
#include <limits>

class TestPoints : public QObject {
    Q_OBJECT

private slots:
    void normalForm_data();
    void normalForm();
    void reading_data();
    void reading();
    void keyCharactersTakenAsDigitsAndComma();
};

void TestPoints::normalForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("fits");

    QTest::newRow("whole number") << "7" << "7,00" << true;
    QTest::newRow("one decimal") << "3,5" << "3,50" << true;
    QTest::newRow("two decimals") << "12,50" << "12,50" << true;
    QTest::newRow("rounded up") << "2,456" << "2,46" << true;
    QTest::newRow("rounded down") << "2,454" << "2,45" << true;
    QTest::newRow("rounding carries") << "99,999" << "100,00" << true;
    QTest::newRow("half a cent") << "0,005" << "0,01" << true;
    QTest::newRow("leading zero dropped") << "012" << "12,00" << true;
    QTest::newRow("zero") << "0" << "0,00" << true;
    QTest::newRow("empty") << "" << "0,00" << true;
    QTest::newRow("blanks only") << "   " << "0,00" << true;
    QTest::newRow("comma only") << "," << "0,00" << true;
    QTest::newRow("comma first") << ",5" << "0,50" << true;
    QTest::newRow("comma last") << "5," << "5,00" << true;
    QTest::newRow("blanks around") << "  4 " << "4,00" << true;
    QTest::newRow("letters") << "abc" << "0,00" << true;
    QTest::newRow("two commas") << "1,2,3" << "0,00" << true;
    QTest::newRow("point is no separator") << "1.5" << "0,00" << true;
    QTest::newRow("trailing letter") << "12a" << "0,00" << true;
    QTest::newRow("minus alone") << "-" << "0,00" << true;

    // Penalty deductions keep their sign and round like their positive counterparts.
    QTest::newRow("negative") << "-3,5" << "-3,50" << true;
    QTest::newRow("negative rounded away from zero") << "-2,456" << "-2,46" << true;
    QTest::newRow("negative rounded towards zero") << "-2,454" << "-2,45" << true;
    QTest::newRow("negative rounding to zero has no sign") << "-0,004" << "0,00" << true;
    QTest::newRow("plus sign") << "+5" << "5,00" << true;

    // The calculator display can bring an exponent into the field.
    QTest::newRow("small exponent") << "1,5E-7" << "0,00" << true;
    QTest::newRow("exponent") << "1,25E3" << "1250,00" << true;

    QTest::newRow("longest that fits") << "123456789012,5" << "123456789012,50" << true;
    QTest::newRow("one digit too many") << "1234567890123,5" << "1234567890123,50" << false;
    QTest::newRow("negative one character too many") << "-123456789012,5" << "-123456789012,50"
                                                     << false;
    // Beyond 15 significant digits the digits are rounded but never turned into an exponent.
    QTest::newRow("seventeen digits") << "12345678901234567" << "12345678901234600,00" << false;
    QTest::newRow("huge exponent") << "1E20" << "100000000000000000000,00" << false;
    QTest::newRow("beyond double range") << "1E400" << "0,00" << true;
}

void TestPoints::normalForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(bool, fits);

    const QString normal = pointsNormalForm(typed);
    QCOMPARE(normal, expected);
    QCOMPARE(pointsFitField(normal), fits);
    // Leaving the field a second time changes nothing.
    QCOMPARE(pointsNormalForm(normal), normal);
}

// Two readings of a number text: the lenient one shared by the points field and the calculator
// display, and the strict one for stored points. NaN stands for "no value".
void TestPoints::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("typed");
    QTest::addColumn<double>("stored");

    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("whole number") << "12" << 12.0 << 12.0;
    QTest::newRow("normal form") << "9,00" << 9.0 << 9.0;
    QTest::newRow("decimals") << "12,50" << 12.5 << 12.5;
    QTest::newRow("negative") << "-3,00" << -3.0 << -3.0;
    QTest::newRow("blanks around") << " 7,25 " << 7.25 << 7.25;
    QTest::newRow("comma last") << "5," << 5.0 << none;
    QTest::newRow("comma first") << ",5" << 0.5 << none;
    QTest::newRow("plus sign") << "+5" << 5.0 << none;
    QTest::newRow("exponent") << "1,5E-7" << 1.5e-7 << none;
    QTest::newRow("lower-case exponent") << "2e3" << 2000.0 << none;
    QTest::newRow("empty") << "" << none << none;
    QTest::newRow("letters") << "abc" << none << none;
    QTest::newRow("point") << "1.5" << none << none;
    QTest::newRow("two commas") << "1,2,3" << none << none;
    QTest::newRow("comma only") << "," << none << none;
    QTest::newRow("sign only") << "-" << none << none;
    QTest::newRow("exponent only") << "E5" << none << none;
    QTest::newRow("unfinished exponent") << "1,5E" << none << none;
    QTest::newRow("blank inside") << "1 5" << none << none;
    QTest::newRow("trailing text") << "12 punti" << none << none;
    QTest::newRow("infinity") << "inf" << none << none;
    QTest::newRow("overflow") << "1E400" << none << none;
}

void TestPoints::reading()
{
    QFETCH(QString, text);
    QFETCH(double, typed);
    QFETCH(double, stored);

    const double none = std::numeric_limits<double>::quiet_NaN();
    QCOMPARE(numberFromText(text).value_or(none), typed);
    QCOMPARE(pointsValue(text).value_or(none), stored);
}

void TestPoints::keyCharactersTakenAsDigitsAndComma()
{
    QString accepted;
    for (char32_t code = 0; code <= 0xFFFF; ++code) {
        if (const QChar taken = pointsKeyCharacter(QChar(char16_t(code))); !taken.isNull())
            accepted += taken;
    }
    // The point is taken as the comma.
    QCOMPARE(accepted, QStringLiteral(",,0123456789"));
}

QTEST_APPLESS_MAIN(TestPoints)
#include "tst_points.moc"

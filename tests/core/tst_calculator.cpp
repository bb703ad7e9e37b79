#include "tools/Calculator.h"

#include <QHash>
#include <QTest>

using Key = Calculator::Key;

namespace {

// Keys written as they read on the keypad, separated by blanks: "1 2 , 5 + 7 , 5 =".
QList<Key> keysFrom(const QString& sequence)
{
    static const QHash<QString, Key> names = {
        {",", Key::Comma}, {"BS", Key::Backspace}, {"C", Key::Clear}, {"pi", Key::Pi},
        {"+/-", Key::ChangeSign}, {"x2", Key::Square}, {"sqrt", Key::SquareRoot},
        {"1/x", Key::Reciprocal}, {"exp", Key::Exp}, {"ln", Key::Ln}, {"log", Key::Log10},
        {"sin", Key::Sin}, {"cos", Key::Cos}, {"tan", Key::Tan}, {"asin", Key::ArcSin},
        {"acos", Key::ArcCos}, {"atan", Key::ArcTan}, {"+", Key::Add}, {"-", Key::Subtract},
        {"*", Key::Multiply}, {"/", Key::Divide}, {"^", Key::Power}, {"=", Key::Equals},
    };
    QList<Key> keys;
    for (const QString& name : sequence.split(u' ', Qt::SkipEmptyParts)) {
        if (name.size() == 1 && name[0].isDigit())
            keys << Key(int(Key::Digit0) + name[0].digitValue());
        else if (names.contains(name))
            keys << names.value(name);
        else
            qFatal("unknown key name %s", qPrintable(name));
    }
    return keys;
}

const QString invalidValue = QStringLiteral("Attenzione! Valore non valido.");
const QString invalidValues = QStringLiteral("Attenzione! Valori non validi.");

}  // namespace

class TestCalculator : public QObject {
    Q_OBJECT

private slots:
    void keys_data();
    void keys();
    void resultText_data();
    void resultText();
    void importRefusal_data();
    void importRefusal();
};

void TestCalculator::keys_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QStringList>("messages");

    const QStringList none;

    QTest::newRow("starts at 0") << "" << "0" << none;
    QTest::newRow("new window has nothing pending") << "5 =" << "5" << none;
    QTest::newRow("equals on a fresh window") << "=" << "0" << none;

    // Typing numbers.
    QTest::newRow("digits") << "1 2 3" << "123" << none;
    QTest::newRow("zeros before a number") << "0 0 7" << "7" << none;
    QTest::newRow("zero keeps a single zero") << "0 0" << "0" << none;
    QTest::newRow("zeros after the comma") << "0 , 0 0" << "0,00" << none;
    QTest::newRow("zeros inside a number") << "1 0 0" << "100" << none;
    QTest::newRow("zero after an operator") << "5 + 0" << "0" << none;
    QTest::newRow("digit after equals starts anew") << "2 + 3 = 4" << "4" << none;
    QTest::newRow("comma after an operator starts a new number") << "2 + , 5 =" << "2,5" << none;
    QTest::newRow("comma after equals starts a new number") << "2 + 3 = , 5" << "0,5" << none;
    QTest::newRow("comma after a unary key starts a new number") << "9 sqrt , 5" << "0,5" << none;
    QTest::newRow("comma while typing appends") << "1 2 , 5" << "12,5" << none;
    QTest::newRow("digit after a unary key starts a new number") << "9 sqrt 4" << "4" << none;
    QTest::newRow("digit replaces a unary result in the second operand") << "2 + 9 sqrt 1 =" << "3" << none;
    QTest::newRow("digit after pi starts a new number") << "pi 5" << "5" << none;
    QTest::newRow("typing goes on after a sign change") << "5 +/- 3" << "-53" << none;

    // Backspace and clear.
    QTest::newRow("backspace") << "1 2 BS" << "1" << none;
    QTest::newRow("backspace to empty") << "5 BS" << "0" << none;
    QTest::newRow("backspace to a lone minus") << "5 +/- BS" << "0" << none;
    QTest::newRow("backspace over a comma") << ", 5 BS BS" << "0" << none;
    QTest::newRow("backspace keeps the pending operation") << "4 + 2 5 BS =" << "6" << none;
    QTest::newRow("clear keeps pending operation and operand") << "2 + 3 = C =" << "2" << none;
    QTest::newRow("clear while typing the second operand") << "1 2 + 5 C 3 =" << "15" << none;

    // Two-operand keys and equals.
    QTest::newRow("sum with decimals") << "1 2 , 5 + 7 , 5 =" << "20" << none;
    QTest::newRow("subtraction below zero") << "3 - 5 =" << "-2" << none;
    QTest::newRow("multiplication") << "1 , 5 * 4 =" << "6" << none;
    QTest::newRow("division") << "1 / 3 =" << "0,333333333333333" << none;
    QTest::newRow("power") << "2 ^ 1 0 =" << "1024" << none;
    QTest::newRow("fractional power") << "9 ^ 0 , 5 =" << "3" << none;
    QTest::newRow("pending operation is replaced") << "2 + 3 + 4 =" << "7" << none;
    QTest::newRow("operator replaced before the operand") << "6 + * 2 =" << "12" << none;
    QTest::newRow("equals repeats on the stored operand") << "2 + 3 = =" << "7" << none;
    QTest::newRow("equals repeats again") << "2 + 3 = = =" << "9" << none;
    QTest::newRow("result is read back from the display") << "2 * pi =" << "6,28318530717958"
                                                         << none;

    // Unary keys.
    QTest::newRow("square root") << "9 sqrt" << "3" << none;
    QTest::newRow("square root in 15 digits") << "2 sqrt" << "1,4142135623731" << none;
    QTest::newRow("square") << "1 2 x2" << "144" << none;
    QTest::newRow("square of a negative") << "3 +/- x2" << "9" << none;
    QTest::newRow("change sign") << "5 +/-" << "-5" << none;
    QTest::newRow("change sign twice") << "5 +/- +/-" << "5" << none;
    QTest::newRow("change sign of zero") << "0 +/-" << "0" << none;
    QTest::newRow("reciprocal") << "4 1/x" << "0,25" << none;
    QTest::newRow("e to the x") << "1 exp" << "2,71828182845905" << none;
    QTest::newRow("natural logarithm") << "1 ln" << "0" << none;
    QTest::newRow("base-10 logarithm") << "1 0 0 0 log" << "3" << none;
    QTest::newRow("sine in degrees") << "3 0 sin" << "0,5" << none;
    QTest::newRow("cosine in degrees") << "6 0 cos" << "0,5" << none;
    QTest::newRow("tangent in degrees") << "4 5 tan" << "1" << none;
    QTest::newRow("inverse sine in radians") << "1 asin" << "1,5707963267949" << none;
    QTest::newRow("inverse cosine in radians") << "1 acos" << "0" << none;
    QTest::newRow("inverse tangent in radians") << "1 atan" << "0,785398163397448" << none;
    QTest::newRow("pi") << "pi" << "3,14159265358979" << none;
    QTest::newRow("pi keeps the pending operation") << "1 + pi =" << "4,14159265358979" << none;
    QTest::newRow("unary key leaves the first operand") << "2 + 9 sqrt =" << "5" << none;
    QTest::newRow("unary key after equals leaves the operand") << "2 + 3 = x2 =" << "27" << none;

    // Result format.
    QTest::newRow("largest plain result") << "1 0 ^ 1 4 =" << "100000000000000" << none;
    QTest::newRow("exponent from 10^15") << "1 0 ^ 1 5 =" << "1E15" << none;
    QTest::newRow("large exponent") << "1 0 ^ 2 0 =" << "1E20" << none;
    QTest::newRow("negative with exponent") << "1 0 ^ 2 0 = +/-" << "-1E20" << none;
    QTest::newRow("exponent display is read back") << "1 0 ^ 2 0 = sqrt" << "10000000000" << none;
    QTest::newRow("smallest plain result") << "1 / 1 0 0 0 0 =" << "0,0001" << none;
    QTest::newRow("small exponent") << "1 , 5 / 1 0 0 0 0 0 0 0 =" << "1,5E-7" << none;
    QTest::newRow("rounded to 15 digits") << "0 , 1 + 0 , 2 =" << "0,3" << none;

    // Checked domains: the message, and x shown as a result.
    QTest::newRow("reciprocal of zero") << "0 1/x" << "0" << QStringList{invalidValue};
    QTest::newRow("reciprocal of zero rewrites the display") << "0 , 0 1/x" << "0"
                                                            << QStringList{invalidValue};
    QTest::newRow("inverse sine outside") << "2 asin" << "2" << QStringList{invalidValues};
    QTest::newRow("inverse cosine outside has no full stop")
            << "2 , 0 acos" << "2" << QStringList{"Attenzione! Valori non validi"};
    QTest::newRow("inverse cosine below -1") << "2 +/- acos" << "-2"
                                            << QStringList{"Attenzione! Valori non validi"};
    QTest::newRow("inverse tangent outside") << "2 atan" << "2" << QStringList{invalidValues};

    // Division by zero keeps the display and the pending operation.
    QTest::newRow("division by zero") << "8 / 0 =" << "0" << QStringList{invalidValues};
    QTest::newRow("division by zero keeps the typed zero") << "8 / 0 , 0 =" << "0,0"
                                                          << QStringList{invalidValues};
    QTest::newRow("division after a zero divisor") << "8 / 0 = 2 =" << "4"
                                                  << QStringList{invalidValues};

    // Refused keys change neither the display nor the state.
    QTest::newRow("two commas refused by an operator") << "5 , , 2 +" << "5,,2"
                                                       << QStringList{invalidValue};
    QTest::newRow("two commas leave the pending sum") << "2 + 3 , , + C 4 =" << "6"
                                                      << QStringList{invalidValue};
    QTest::newRow("two commas refused by equals") << "2 + 3 , , =" << "3,," << QStringList{invalidValue};
    QTest::newRow("two commas refused by a unary key") << "5 , , 2 x2" << "5,,2"
                                                       << QStringList{invalidValue};
    QTest::newRow("square root of a negative") << "4 +/- sqrt" << "-4" << QStringList{invalidValue};
    QTest::newRow("natural logarithm of zero") << "0 ln" << "0" << QStringList{invalidValue};
    QTest::newRow("base-10 logarithm of zero") << "0 log" << "0" << QStringList{invalidValue};
    QTest::newRow("logarithm of a negative") << "5 +/- ln" << "-5" << QStringList{invalidValue};
    QTest::newRow("unary overflow") << "9 exp exp" << "8103,08392757538" << QStringList{invalidValue};
    QTest::newRow("square overflow") << "1 0 ^ 2 0 0 = x2" << "1E200" << QStringList{invalidValue};
    QTest::newRow("power overflow keeps the pending power") << "1 0 ^ 4 0 0 = C 2 =" << "100"
                                                            << QStringList{invalidValue};
    QTest::newRow("power without a real value") << "8 +/- ^ 0 , 5 =" << "0,5"
                                                << QStringList{invalidValue};
    QTest::newRow("typing goes on after a refused key") << "4 +/- sqrt 1" << "-41"
                                                        << QStringList{invalidValue};
    QTest::newRow("each refusal reports")
            << "0 1/x 0 ln" << "0" << QStringList{invalidValue, invalidValue};
}

void TestCalculator::keys()
{
    QFETCH(QString, sequence);
    QFETCH(QString, display);
    QFETCH(QStringList, messages);

    Calculator calculator;
    QStringList shown;
    for (Key key : keysFrom(sequence)) {
        const Calculator::KeyResult result = calculator.press(key);
        if (!result.message.isEmpty())
            shown << result.message;
    }
    QCOMPARE(calculator.display(), display);
    QCOMPARE(shown, messages);
}

void TestCalculator::resultText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << 20.0 << "20";
    QTest::newRow("decimal comma") << 12.5 << "12,5";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("15 significant digits") << 2.0 / 3 << "0,666666666666667";
    QTest::newRow("no grouping") << 1234567.0 << "1234567";
    QTest::newRow("rounds up to the exponent form") << 999999999999999.9 << "1E15";
    QTest::newRow("exponent with decimals") << 1.25e30 << "1,25E30";
    QTest::newRow("negative exponent") << -1.5e-7 << "-1,5E-7";
    QTest::newRow("just below 0,0001") << 0.00009 << "9E-5";
    QTest::newRow("three-digit exponent") << 1e-300 << "1E-300";
}

void TestCalculator::resultText()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(calculatorText(value), text);
}

void TestCalculator::importRefusal_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<bool>("refused");

    QTest::newRow("short result") << "20" << false;
    QTest::newRow("12 characters") << "123456789,12" << false;
    QTest::newRow("12 with sign") << "-12345678,12" << false;
    QTest::newRow("13 characters") << "1234567890123" << true;
    QTest::newRow("13 with sign and comma") << "-1234567890,1" << true;
    QTest::newRow("pi") << "3,14159265358979" << true;
    QTest::newRow("blanks are not counted") << "  123456789,12  " << false;
}

void TestCalculator::importRefusal()
{
    QFETCH(QString, display);
    QFETCH(bool, refused);

    const std::optional<QString> refusal = ::importRefusal(display);
    QCOMPARE(refusal.has_value(), refused);
    if (refused)
        QCOMPARE(*refusal, QStringLiteral("Attenzione: numero con troppe cifre."));
}

QTEST_APPLESS_MAIN(TestCalculator)
#include "tst_calculator.moc"

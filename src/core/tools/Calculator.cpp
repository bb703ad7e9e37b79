#include "tools/Calculator.h"

#include "text/TextRules.h"
#include "tournament/Points.h"

#include <cmath>
#include <numbers>

namespace {

const QString invalidValue = QStringLiteral("Attenzione! Valore non valido.");
const QString invalidValues = QStringLiteral("Attenzione! Valori non validi.");

// The points field takes 15 characters and its normal form adds decimals, so longer displays are
// refused before they reach it.
constexpr qsizetype importLimit = 13;

constexpr double degree = std::numbers::pi / 180;

}  // namespace

QString calculatorText(double value)
{
    QString text = QString::number(value, 'g', 15);  // C locale: "1.5e-07"
    const qsizetype e = text.indexOf(u'e');
    if (e >= 0)
        text = text.left(e) + u'E' + QString::number(text.mid(e + 1).toInt());
    text.replace(u'.', u',');
    return text;
}

std::optional<QString> importRefusal(const QString& display)
{
    if (trimControls(display).size() >= importLimit)
        return QStringLiteral("Attenzione: numero con troppe cifre.");
    return std::nullopt;
}

Calculator::KeyResult Calculator::press(Key key)
{
    switch (key) {
    case Key::Digit0: case Key::Digit1: case Key::Digit2: case Key::Digit3: case Key::Digit4:
    case Key::Digit5: case Key::Digit6: case Key::Digit7: case Key::Digit8: case Key::Digit9:
        typeDigit(int(key) - int(Key::Digit0));
        return {};
    case Key::Comma:
        // After an operator or a result the comma starts a new number ("0,"), like a digit does.
        // A second comma is allowed; the next key that reads the display refuses it.
        if (m_newNumber)
            m_display = QStringLiteral("0");
        m_newNumber = false;
        m_display += u',';
        return {};
    case Key::Backspace:
        backspace();
        return {};
    case Key::Clear:
        m_display = QStringLiteral("0");
        return {};
    case Key::Pi:
        // A finished number: the next digit starts a new one instead of lengthening pi.
        m_display = calculatorText(std::numbers::pi);
        m_newNumber = true;
        return {};
    case Key::Add:
        return startOperation(Operation::Add);
    case Key::Subtract:
        return startOperation(Operation::Subtract);
    case Key::Multiply:
        return startOperation(Operation::Multiply);
    case Key::Divide:
        return startOperation(Operation::Divide);
    case Key::Power:
        return startOperation(Operation::Power);
    case Key::Equals:
        return evaluate();
    default:
        return applyUnary(key);
    }
}

void Calculator::typeDigit(int digit)
{
    if (m_newNumber)
        m_display.clear();
    m_newNumber = false;
    if (m_display == u"0")
        m_display.clear();
    // A leading zero is kept single: "0" stays "0", "0," goes on to "0,0".
    if (digit == 0 && m_display.isEmpty())
        m_display = QStringLiteral("0");
    else
        m_display += QChar(u'0' + digit);
}

void Calculator::backspace()
{
    m_display.chop(1);
    const QString rest = trimControls(m_display);
    if (rest.isEmpty() || rest == u"-" || rest == u",")
        m_display = QStringLiteral("0");
}

Calculator::KeyResult Calculator::applyUnary(Key key)
{
    const std::optional<double> read = numberFromText(m_display);
    if (!read)
        return {invalidValue};
    const double x = *read;

    // Checked domains answer with a message and show x in the result format.
    const auto refuse = [&](const QString& message) {
        m_display = calculatorText(x);
        return KeyResult{message};
    };
    const bool outsideUnit = x < -1 || x > 1;

    double result = 0;
    switch (key) {
    case Key::ChangeSign: result = 0 - x; break;
    case Key::Square: result = x * x; break;
    case Key::SquareRoot:
        if (x < 0)
            return {invalidValue};
        result = std::sqrt(x);
        break;
    case Key::Reciprocal:
        if (x == 0)
            return refuse(invalidValue);
        result = 1 / x;
        break;
    case Key::Exp: result = std::exp(x); break;
    case Key::Ln:
    case Key::Log10:
        if (x <= 0)
            return {invalidValue};
        result = key == Key::Ln ? std::log(x) : std::log10(x);
        break;
    case Key::Sin: result = std::sin(x * degree); break;
    case Key::Cos: result = std::cos(x * degree); break;
    case Key::Tan: result = std::tan(x * degree); break;
    case Key::ArcSin:
        if (outsideUnit)
            return refuse(invalidValues);
        result = std::asin(x);
        break;
    case Key::ArcCos:
        if (outsideUnit)
            return refuse(QStringLiteral("Attenzione! Valori non validi"));
        result = std::acos(x);
        break;
    case Key::ArcTan:
        // The inverse tangent keeps the same -1 to 1 range as the other two inverse keys.
        if (outsideUnit)
            return refuse(invalidValues);
        result = std::atan(x);
        break;
    default:
        Q_UNREACHABLE();
    }
    if (!std::isfinite(result))
        return {invalidValue};
    // The stored operand is left alone: it may be the first operand of a pending operation.
    // The result is a finished number, so the next digit starts a new one; a sign change is part
    // of typing the number, which goes on.
    m_display = calculatorText(result);
    if (key != Key::ChangeSign)
        m_newNumber = true;
    return {};
}

Calculator::KeyResult Calculator::startOperation(Operation operation)
{
    const std::optional<double> read = numberFromText(m_display);
    if (!read)
        return {invalidValue};
    // A pending operation is replaced, not evaluated: 2 + 3 + 4 = gives 7.
    m_storedOperand = *read;
    m_pending = operation;
    m_newNumber = true;
    return {};
}

Calculator::KeyResult Calculator::evaluate()
{
    if (m_pending == Operation::None) {
        m_newNumber = true;
        return {};
    }
    const std::optional<double> read = numberFromText(m_display);
    if (!read)
        return {invalidValue};
    const double s = m_storedOperand;
    const double y = *read;

    double result = 0;
    switch (m_pending) {
    case Operation::Add: result = s + y; break;
    case Operation::Subtract: result = s - y; break;
    case Operation::Multiply: result = s * y; break;
    case Operation::Power: result = std::pow(s, y); break;
    case Operation::Divide:
        if (y == 0)
            return {invalidValues};
        result = s / y;
        break;
    case Operation::None:
        Q_UNREACHABLE();
    }
    // Overflow, and powers without a real value such as (-8)^0,5.
    if (!std::isfinite(result))
        return {invalidValue};
    // Operation and stored operand stay, so a further "=" applies them to the new display.
    m_display = calculatorText(result);
    m_newNumber = true;
    return {};
}

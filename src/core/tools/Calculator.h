#pragma once

#include <QString>
#include <optional>

// The engine behind the calculator dialog: one instance per calculator window, driven one key at
// a time. The dialog shows display() and puts any message of a key into a plain message box.
class Calculator {
public:
    enum class Key {
        Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
        Comma, Backspace, Clear, Pi,
        ChangeSign, Square, SquareRoot, Reciprocal, Exp, Ln, Log10,
        Sin, Cos, Tan, ArcSin, ArcCos, ArcTan,
        Add, Subtract, Multiply, Divide, Power,
        Equals,
    };

    // What the dialog must tell the user after a key; an empty message means nothing to say.
    struct KeyResult {
        QString message;
    };

    KeyResult press(Key key);
    QString display() const { return m_display; }

private:
    enum class Operation { None, Add, Subtract, Multiply, Divide, Power };

    void typeDigit(int digit);
    void backspace();
    KeyResult applyUnary(Key key);
    KeyResult startOperation(Operation operation);
    KeyResult evaluate();

    QString m_display = QStringLiteral("0");
    double m_storedOperand = 0;
    Operation m_pending = Operation::None;
    bool m_newNumber = false;  // the next digit starts a new number
};

// A number as the calculator displays it: at most 15 significant digits, decimal comma, and from
// 10^15 up or below 0,0001 an exponent ("1E20", "1,5E-7").
QString calculatorText(double value);

// Why "Importa" must not copy this display into the points field, if it must not.
std::optional<QString> importRefusal(const QString& display);

#include "tools/Calcolatrice_Scientifica.h"

#include "common/Dialogs.h"
#include "common/KeyFilter.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "text/TextRules.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

using Key = Calculator::Key;

namespace {

enum class Look { Digit, WideDigit, Function, Operator, TallResult };

// A calculator key: a shared key picture with the key's label painted on it, so one picture per
// look serves every key. A label may carry a raised part ("x" and "2" for the square).
class CalculatorKey final : public PictureButton {
public:
    CalculatorKey(const QString& objectName, Look look, const QString& label, const QString& raised,
                  QWidget* parent)
        : PictureButton(objectName, picture(look), parent)
        , m_label(label)
        , m_raised(raised)
        , m_ink(look == Look::Digit || look == Look::WideDigit || look == Look::Operator ? style::navy : Qt::white)
    {
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        PictureButton::paintEvent(event);
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setPen(m_ink);
        // The face of the picture lies above its shadow; a pressed key sinks with its label.
        QRectF face(1, 1, width() - 4, height() - 5);
        if (isDown())
            face.translate(0.5, 1);
        // Words in a smaller size; the signs and the comma, thin as they are, larger than the digits.
        static const QString signs = QStringLiteral("=\u2190\u00F7\u00D7\u2212+,");
        const int size = m_label.size() > 2 ? 11 : (m_label.size() == 1 && signs.contains(m_label) ? 19 : 15);
        const QFont labelFont = style::arial(size, true);
        const QFont raisedFont = style::arial(9, true);
        const QFontMetricsF labelMetrics(labelFont);
        const QFontMetricsF raisedMetrics(raisedFont);
        const qreal labelWidth = labelMetrics.horizontalAdvance(m_label);
        const qreal raisedWidth = m_raised.isEmpty() ? 0 : raisedMetrics.horizontalAdvance(m_raised) + 1;
        const qreal x = face.center().x() - (labelWidth + raisedWidth) / 2;
        const qreal baseline = face.center().y() + (labelMetrics.ascent() - labelMetrics.descent()) / 2;
        painter.setFont(labelFont);
        painter.drawText(QPointF(x, baseline), m_label);
        if (!m_raised.isEmpty()) {
            painter.setFont(raisedFont);
            painter.drawText(QPointF(x + labelWidth + 1, baseline - labelMetrics.ascent() * 0.45), m_raised);
        }
    }

private:
    static QString picture(Look look)
    {
        switch (look) {
        case Look::Digit: return QStringLiteral("calc_key_digit");
        case Look::WideDigit: return QStringLiteral("calc_key_digit_wide");
        case Look::Function: return QStringLiteral("calc_key_function");
        case Look::Operator: return QStringLiteral("calc_key_operator");
        case Look::TallResult: return QStringLiteral("calc_key_result_tall");
        }
        Q_UNREACHABLE();
    }

    QString m_label;
    QString m_raised;
    QColor m_ink;
};

constexpr int keyStepX = 66;
constexpr int keyStepY = 50;
constexpr int margin = 16;
constexpr int keysTop = 84;
constexpr int digitsLeft = margin + 3 * keyStepX + 14;  // a gap between the two blocks

}  // namespace

TfrmCalcolatrice_Scientifica::TfrmCalcolatrice_Scientifica(QWidget* owner)
    : QDialog(owner)
    , m_display(new QLabel(QStringLiteral("0"), this))
{
    setObjectName(QStringLiteral("frmCalcolatrice_Scientifica"));
    setWindowTitle(QStringLiteral(" Calcolatrice"));
    const int width = digitsLeft + 4 * keyStepX - 6 + margin;
    dialogs::makeFixed(this, {width, 394});
    setStyleSheet(QStringLiteral("TfrmCalcolatrice_Scientifica { background-color: #E9EEF4; }"));

    m_display->setObjectName(QStringLiteral("Edit1"));
    m_display->setFont(style::arial(12, true));
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setStyleSheet(QStringLiteral("background-color: white; color: %1; border: 2px solid %1;"
                                            "border-radius: 8px; padding-right: 12px;")
                                 .arg(style::navy.name()));
    m_display->setGeometry(margin, margin + 6, width - 2 * margin, 46);

    const struct {
        const char* name;
        Key key;
        Look look;
        const char* label;
        const char* raised;
        int column;  // 0-2 scientific block, 3-6 number block
        int row;
    } keys[] = {
        {"ButtonSin", Key::Sin, Look::Function, "sin", "", 0, 0},
        {"ButtonCos", Key::Cos, Look::Function, "cos", "", 1, 0},
        {"ButtonTan", Key::Tan, Look::Function, "tan", "", 2, 0},
        {"ButtonArcSin", Key::ArcSin, Look::Function, "sin", "\u22121", 0, 1},
        {"ButtonArcCos", Key::ArcCos, Look::Function, "cos", "\u22121", 1, 1},
        {"ButtonArcTan", Key::ArcTan, Look::Function, "tan", "\u22121", 2, 1},
        {"ButtonSqr", Key::Square, Look::Function, "x", "2", 0, 2},
        {"ButtonSqrt", Key::SquareRoot, Look::Function, "\u221Ax", "", 1, 2},
        {"Button1DivX", Key::Reciprocal, Look::Function, "1/x", "", 2, 2},
        {"ButtonExp", Key::Exp, Look::Function, "e", "x", 0, 3},
        {"ButtonLn", Key::Ln, Look::Function, "ln", "", 1, 3},
        {"ButtonLog", Key::Log10, Look::Function, "log", "", 2, 3},
        {"ButtonPi", Key::Pi, Look::Function, "\u03C0", "", 0, 4},
        {"ButtonSign", Key::ChangeSign, Look::Function, "\u00B1", "", 1, 4},
        {"ButtonStep", Key::Power, Look::Operator, "x", "y", 2, 4},

        {"ButtonC", Key::Clear, Look::Function, "C", "", 3, 0},
        {"ButtonBackSpace", Key::Backspace, Look::Function, "\u2190", "", 4, 0},
        {"ButtonDiv", Key::Divide, Look::Operator, "\u00F7", "", 5, 0},
        {"ButtonMul", Key::Multiply, Look::Operator, "\u00D7", "", 6, 0},
        {"Button7", Key::Digit7, Look::Digit, "7", "", 3, 1},
        {"Button8", Key::Digit8, Look::Digit, "8", "", 4, 1},
        {"Button9", Key::Digit9, Look::Digit, "9", "", 5, 1},
        {"ButtonSub", Key::Subtract, Look::Operator, "\u2212", "", 6, 1},
        {"Button4", Key::Digit4, Look::Digit, "4", "", 3, 2},
        {"Button5", Key::Digit5, Look::Digit, "5", "", 4, 2},
        {"Button6", Key::Digit6, Look::Digit, "6", "", 5, 2},
        {"ButtonAdd", Key::Add, Look::Operator, "+", "", 6, 2},
        {"Button1", Key::Digit1, Look::Digit, "1", "", 3, 3},
        {"Button2", Key::Digit2, Look::Digit, "2", "", 4, 3},
        {"Button3", Key::Digit3, Look::Digit, "3", "", 5, 3},
        {"ButtonResult", Key::Equals, Look::TallResult, "=", "", 6, 3},
        {"Button0", Key::Digit0, Look::WideDigit, "0", "", 3, 4},
        {"ButtonPoint", Key::Comma, Look::Digit, ",", "", 5, 4},
    };
    for (const auto& k : keys) {
        auto* key = new CalculatorKey(QLatin1String(k.name), k.look, QString::fromUtf8(k.label),
                                      QString::fromUtf8(k.raised), this);
        const int left = k.column < 3 ? margin + k.column * keyStepX : digitsLeft + (k.column - 3) * keyStepX;
        key->move(left, keysTop + k.row * keyStepY);
        connect(key, &PictureButton::clicked, this, [this, which = k.key] { press(which); });
    }

    auto* import = new QPushButton(QStringLiteral("Importa"), this);
    import->setObjectName(QStringLiteral("btnImporta"));
    import->setAutoDefault(false);
    import->setGeometry(width - margin - 2 * 120 - 10, 344, 120, 34);
    connect(import, &QPushButton::clicked, this, &TfrmCalcolatrice_Scientifica::btnImportaClick);

    auto* close = new QPushButton(QStringLiteral("Annulla"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setAutoDefault(false);
    close->setGeometry(width - margin - 120, 344, 120, 34);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    // Typed keys reach the calculator whichever control has the focus: Enter on a focused key
    // gives the result rather than pressing that key again.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TfrmCalcolatrice_Scientifica::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && type(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TfrmCalcolatrice_Scientifica::keyPressEvent(QKeyEvent* event)
{
    // Esc clears the display, as on a pocket calculator; the dialog closes by its buttons only.
    if (!type(event))
        QDialog::keyPressEvent(event);
}

bool TfrmCalcolatrice_Scientifica::type(const QKeyEvent* key)
{
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        press(Key::Equals);
        return true;
    case Qt::Key_Backspace:
        press(Key::Backspace);
        return true;
    case Qt::Key_Escape:
        press(Key::Clear);
        return true;
    default:
        break;
    }
    const QString text = key->text();
    if (text.size() != 1)
        return false;
    const QChar c = text.front();
    if (keyFilter::isDigit(c)) {
        press(Key(int(Key::Digit0) + (c.unicode() - u'0')));
        return true;
    }
    static const QHash<QChar, Key> signs = {
        {u',', Key::Comma},    {u'.', Key::Comma},  {u'+', Key::Add},         {u'-', Key::Subtract},
        {u'\u2212', Key::Subtract}, {u'*', Key::Multiply}, {u'\u00D7', Key::Multiply}, {u'/', Key::Divide},
        {u'\u00F7', Key::Divide}, {u'=', Key::Equals},
    };
    const auto found = signs.constFind(c);
    if (found == signs.cend())
        return false;
    press(*found);
    return true;
}

void TfrmCalcolatrice_Scientifica::press(Calculator::Key key)
{
    const Calculator::KeyResult result = m_calculator.press(key);
    m_display->setText(m_calculator.display());
    if (!result.message.isEmpty())
        platform::plainBox(result.message, this);
}

void TfrmCalcolatrice_Scientifica::btnImportaClick()
{
    const QString number = m_calculator.display();
    if (const std::optional<QString> refusal = importRefusal(number)) {
        platform::warningBox(*refusal, this);
        return;
    }
    if (m_importTarget)
        m_importTarget(trimControls(number));
    accept();
}

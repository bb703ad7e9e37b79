#include "common/Style.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>

namespace style {

void paintBackground(QPainter& painter, const QRect& area, const Background& background)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, background.top);
    gradient.setColorAt(1.0, background.bottom);
    painter.fillRect(area, gradient);
}

QLabel* label(QWidget* parent, const QString& objectName, const QString& text, const QFont& font, const QColor& colour)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(objectName);
    result->setFont(font);
    result->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
    return result;
}

QFont font(const QString& family, int pointSize, bool bold)
{
    QFont f(family, pointSize, bold ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

}  // namespace style


#include "common/Style.h"

#include <QLinearGradient>
#include <QPainter>

namespace style {

void paintBackground(QPainter& painter, const QRect& area)
{
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, QColor(0x24, 0x3B, 0x6E));
    gradient.setColorAt(1.0, QColor(0x2E, 0x7D, 0x5B));
    painter.fillRect(area, gradient);
}

QFont font(const QString& family, int pointSize, bool bold)
{
    QFont f(family, pointSize, bold ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

}  // namespace style


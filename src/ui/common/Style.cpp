#include "common/Style.h"

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

QFont font(const QString& family, int pointSize, bool bold)
{
    QFont f(family, pointSize, bold ? QFont::Bold : QFont::Normal);
    f.setStyleHint(QFont::SansSerif);
    return f;
}

}  // namespace style


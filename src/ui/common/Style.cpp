#include "common/Style.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTableView>

namespace style {

namespace {

class FocusRingStyle final : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && (option->state & State_HasFocus)) {
            painter->save();
            paintFocusRing(*painter, QRectF(option->rect));
            painter->restore();
        }
    }
};

}  // namespace

void paintFocusRing(QPainter& painter, const QRectF& area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(navy, 3));
    painter.drawRoundedRect(area.adjusted(1.5, 1.5, -1.5, -1.5), 7, 7);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawRoundedRect(area.adjusted(4, 4, -4, -4), 5, 5);
}

void installFocusRing(QApplication& application)
{
    application.setStyle(new FocusRingStyle);
}

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
    // File names and stored texts are shown as they are: a name such as "<u>x.csv" is no markup.
    result->setTextFormat(Qt::PlainText);
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

void recordGrid(QTableView* grid, int rowHeight)
{
    grid->setAlternatingRowColors(true);
    grid->setStyleSheet(QStringLiteral("QTableView { alternate-background-color: #EEF3FA; background-color: white;"
                                       " gridline-color: #C8D2DE; }"));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setFont(arial(9, true));
    grid->setFont(arial(9));
}

}  // namespace style

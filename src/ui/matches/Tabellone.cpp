#include "matches/Tabellone.h"

#include "common/Style.h"
#include "matches/Knockout.h"
#include "matches/Listing.h"

#include <map>
#include <QPainter>

using namespace matches;

namespace {
constexpr int boxWidth = 210;
constexpr int boxHeight = 52;
constexpr int columnGap = 50;
constexpr int top = 36;
constexpr int slotHeight = 70;
}  // namespace

TfrmTabellone::TfrmTabellone(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("tabellone"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void TfrmTabellone::setCalendar(const Calendar& calendar, const QStringList& names)
{
    m_boxes.clear();
    // Rounds from the widest; the third place goes under the final.
    std::map<int, QList<const Match*>, std::greater<int>> rounds;
    const Match* third = nullptr;
    for (const Match* match : inCalendarOrder(calendar)) {
        if (match->phase == Phase::Knockout)
            rounds[match->roundSize].append(match);
        else if (match->phase == Phase::ThirdPlace)
            third = match;
    }
    int column = 0;
    int rows = 1;
    for (auto it = rounds.cbegin(); it != rounds.cend(); ++it)
        rows = std::max<int>(rows, int(it->second.size()));
    const int height = rows * slotHeight;
    for (auto it = rounds.cbegin(); it != rounds.cend(); ++it, ++column) {
        const QList<const Match*>& matches = it->second;
        const int step = height / std::max<int>(1, int(matches.size()));
        for (qsizetype i = 0; i < matches.size(); ++i) {
            const Match& match = *matches[i];
            Box box;
            box.rect = QRect(10 + column * (boxWidth + columnGap), top + int(i) * step + (step - boxHeight) / 2, boxWidth,
                             boxHeight);
            box.title = i == 0 ? roundName(match) : QString();
            box.home = sideName(match, Side::Home, names);
            box.away = sideName(match, Side::Away, names);
            if (match.hasResult()) {
                box.homeResult = QString::number(match.homeTotal());
                box.awayResult = QString::number(match.awayTotal());
                if (match.homePenalties && match.awayPenalties) {
                    box.homeResult += QStringLiteral(" (%1)").arg(*match.homePenalties);
                    box.awayResult += QStringLiteral(" (%1)").arg(*match.awayPenalties);
                }
            }
            box.homeWon = match.winner() == Side::Home;
            box.awayWon = match.winner() == Side::Away;
            box.number = match.number;
            box.winnerTo = match.winnerTo;
            m_boxes.append(box);
        }
    }
    if (third && column > 0) {
        const Match& match = *third;
        Box box;
        box.rect = QRect(10 + (column - 1) * (boxWidth + columnGap), top + height + 30, boxWidth, boxHeight);
        box.title = roundName(match);
        box.home = sideName(match, Side::Home, names);
        box.away = sideName(match, Side::Away, names);
        if (match.hasResult()) {
            box.homeResult = QString::number(match.homeTotal());
            box.awayResult = QString::number(match.awayTotal());
        }
        box.homeWon = match.winner() == Side::Home;
        box.awayWon = match.winner() == Side::Away;
        box.number = match.number;
        m_boxes.append(box);
    }
    m_size = QSize(20 + std::max(1, column) * (boxWidth + columnGap), top + height + (third ? 110 : 20));
    setMinimumSize(m_size);
    updateGeometry();
    update();
}

QSize TfrmTabellone::sizeHint() const
{
    return m_size;
}

void TfrmTabellone::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_boxes.isEmpty()) {
        painter.setPen(style::navy);
        painter.setFont(style::verdana(11, false));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Il calendario non ha gare a eliminazione diretta."));
        return;
    }
    QHash<int, QRect> byNumber;
    for (const Box& box : std::as_const(m_boxes))
        byNumber.insert(box.number, box.rect);
    painter.setPen(QPen(style::pitchGreen, 2));
    for (const Box& box : std::as_const(m_boxes)) {
        if (!box.winnerTo || !byNumber.contains(box.winnerTo))
            continue;
        const QRect to = byNumber.value(box.winnerTo);
        const QPoint from(box.rect.right(), box.rect.center().y());
        const int middle = from.x() + columnGap / 2;
        painter.drawPolyline(QList<QPoint>{from, {middle, from.y()}, {middle, to.center().y()}, {to.left(), to.center().y()}});
    }
    for (const Box& box : std::as_const(m_boxes)) {
        if (!box.title.isEmpty()) {
            painter.setPen(style::navy);
            painter.setFont(style::verdana(10, true));
            painter.drawText(QRect(box.rect.left(), box.rect.top() - 24, boxWidth, 20), Qt::AlignLeft | Qt::AlignBottom,
                             box.title);
        }
        painter.setPen(QPen(style::navy, 1.5));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(box.rect, 6, 6);
        painter.drawLine(box.rect.left(), box.rect.center().y(), box.rect.right(), box.rect.center().y());
        const int half = box.rect.height() / 2;
        for (int side = 0; side < 2; ++side) {
            const QRect line(box.rect.left() + 8, box.rect.top() + side * half, boxWidth - 16, half);
            const bool won = side == 0 ? box.homeWon : box.awayWon;
            painter.setFont(style::verdana(9, won));
            painter.setPen(won ? style::pitchGreen : style::navy);
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                             painter.fontMetrics().elidedText(side == 0 ? box.home : box.away, Qt::ElideRight, boxWidth - 70));
            painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter, side == 0 ? box.homeResult : box.awayResult);
        }
    }
}

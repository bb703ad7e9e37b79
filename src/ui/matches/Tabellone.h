#pragma once

#include "matches/Match.h"

#include <QWidget>

// The knockout bracket drawn ("tabellone"): a column per round, a box per match with its two teams
// and result, lines from each match to the one its winner goes into.
class TfrmTabellone : public QWidget {
    Q_OBJECT
public:
    explicit TfrmTabellone(QWidget* parent = nullptr);

    void setCalendar(const matches::Calendar& calendar, const QStringList& names);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Box {
        QRect rect;
        QString home, away, homeResult, awayResult, title;
        int number = 0;
        int winnerTo = 0;
        bool homeWon = false, awayWon = false;
    };
    QList<Box> m_boxes;
    QSize m_size{400, 200};
};

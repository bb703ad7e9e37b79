#pragma once

#include <QDialog>

#include <functional>

class QCalendarWidget;

// Picking an expiry date from a month calendar; the chosen date goes, as dd/mm/yyyy text, to the
// field the dialog was opened for.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* owner);

    // Where "Importa" writes the date text.
    void setTarget(std::function<void(const QString&)> target) { m_target = std::move(target); }

private:
    void btnImportaDataClick();

    QCalendarWidget* m_calendar;
    std::function<void(const QString&)> m_target;
};

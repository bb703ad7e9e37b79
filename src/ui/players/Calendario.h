#pragma once

#include <QDialog>

#include <functional>

class QCalendarWidget;
class QKeyEvent;
class QLineEdit;

// Picking an expiry date from a month calendar; the chosen date goes, as dd/mm/yyyy text, to the
// field the dialog was opened for. The calendar opens on the field's date, today when it has none.
// A date can also be typed, day, month and year, into the field above the calendar (`txtData`),
// which the calendar follows; digits typed on the calendar go there too, and Enter there imports.
class TfrmCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* owner);

    // Where "Importa" writes the date text.
    void setTarget(std::function<void(const QString&)> target) { m_target = std::move(target); }
    // The date the field holds, as text; the calendar starts on it when it is a date.
    void setDate(const QString& text);
    // The key that opened the picker: a digit begins the typed date instead of being lost.
    void typeAhead(const QKeyEvent& key);

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void btnImportaDataClick();
    // Starts a typed date with `key`, in place of the date shown.
    void startTyping(const QKeyEvent& key);

    QCalendarWidget* m_calendar;
    QLineEdit* m_typed;
    std::function<void(const QString&)> m_target;
    bool m_typing = false;  // a date is being typed
};

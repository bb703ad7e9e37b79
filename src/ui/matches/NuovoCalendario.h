#pragma once

#include "matches/CalendarFile.h"
#include "matches/Plan.h"

#include <QDialog>

class CalendarModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

// "Nuovo calendario": the format, the teams, the dates; the whole calendar is shown before
// anything is written, and written by Crea calendario. A group draw is made once: the one stored
// with the calendar is reused, and one made here is kept while the groups stay the same.
class TfrmNuovoCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNuovoCalendario(QWidget* owner = nullptr);

    void setTournament(const QString& path, const QStringList& names, const matches::StoredCalendar& stored);
    // The calendar as it would be written; empty with the reason in error().
    const matches::Made& preview() const { return m_made; }
    // Writes the calendar shown; false when it was refused or not written (the user has been told).
    bool create();

signals:
    void written();

private:
    matches::Plan plan() const;
    void remake();

    QString m_path;
    QStringList m_names;
    matches::StoredCalendar m_stored;
    matches::Made m_made;
    QList<matches::GroupSlot> m_draw;  // made here, kept while the entries and groups stay the same
    QList<int> m_drawnEntries;
    int m_drawnGroups = 0;

    QComboBox* m_format = nullptr;
    QComboBox* m_returnLeg = nullptr;
    QSpinBox* m_groups = nullptr;
    QSpinBox* m_qualifiers = nullptr;
    QCheckBox* m_thirdPlace = nullptr;
    QLineEdit* m_start = nullptr;
    QSpinBox* m_every = nullptr;
    QLineEdit* m_times = nullptr;
    QLineEdit* m_fields = nullptr;
    QListWidget* m_entries = nullptr;
    QLabel* m_info = nullptr;
    CalendarModel* m_model = nullptr;
};

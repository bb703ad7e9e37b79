#pragma once

#include "matches/Plan.h"

#include <QDialog>

#include <optional>

class MatchTableModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

// A new calendar for a tournament: the format, the entries taking part, the days, times and
// fields. Anteprima shows the whole calendar it makes; only Conferma writes it, and only the one
// shown. A group draw is made once and kept for every later preview of the same screen.
class TfrmNuovoCalendario : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNuovoCalendario(QWidget* owner);

    void setTournament(const QString& path, const QString& name);

    // The commands.
    bool preview();
    bool confirm();

    MatchTableModel* model() const { return m_model; }
    bool hasPreview() const { return m_made.has_value(); }

    static const QString previewFirstMessage;
    static QString replaceQuestion(int matches);
    static QString writtenMessage(int matches);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void buildForm(QWidget* panel);
    void buildButtons(QWidget* panel);
    // Any change of a choice takes the preview away: what Conferma writes is always what is shown.
    void dropPreview();
    std::optional<matches::Plan> plan();

    QString m_path;
    QStringList m_names;
    QList<matches::GroupSlot> m_draw;  // the stored draw, or the one made by an earlier preview
    int m_lastNumber = 0;
    matches::Rules m_rules;
    std::optional<matches::Calendar> m_made;
    MatchTableModel* m_model;
    QLabel* m_title = nullptr;
    QLabel* m_info = nullptr;
    QLabel* m_summary = nullptr;
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
};

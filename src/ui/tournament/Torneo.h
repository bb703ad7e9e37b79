#pragma once

#include "common/WorkScreen.h"
#include "tournament/TeamEntry.h"

#include <QKeySequence>
#include <QString>

class PictureButton;
class QLabel;
class QLineEdit;
class RecordEditor;
class RecordForm;

// The tournament entry editor: one entry (scheda) per team of the tournament whose file the open
// screen hands over. It is the only writer of tournament files.
class TfrmTorneo : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmTorneo(Navigator& navigator);

    // The tournament to work on: its file and the name shown in the title.
    void setTournament(const QString& path, const QString& name);
    QString tournamentPath() const { return m_path; }

    // Shows the entry at `position` of the tournament, as the lists and the search hand it over;
    // saving then updates it there. False when the user stays on the entry on screen.
    bool showRecord(qint64 position);

    // Puts a number into the points field and gives it the focus; the normal form follows when
    // the field is left.
    void setPoints(const QString& text);

    // Puts a team's name, contact, phone and e-mail into the entry on screen, as the import from
    // the team archive hands them over; the rest of the entry stays as it is.
    void importTeam(const QString& name, const QString& contact, const QString& phone, const QString& email);

    // Opens the tournament's calendar (also its toolbar button's key).
    static QKeySequence calendarKeys();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildToolbar(QWidget* panel);
    void buildFields(QWidget* panel);
    void connectDialogs();
    bool checkBeforeSave();
    void txtPunteggioExit();
    void btnCalcolatriceClick();
    void impSquadraClick();
    // Whether the entry may stand for `team`: asks when another entry has that team already.
    bool acceptTeam(const QString& team, teamEntry::Action action);
    void cmdCalendarioClick();
    // With a calendar whose results give the points, the computed fields cannot be typed in.
    void showComputedState();

    QString m_path;
    QString m_shownTeam;     // the team of the entry as shown or saved
    QString m_acceptedTeam;  // a team with another entry that the user chose to keep, folded
    QLabel* m_lblNome = nullptr;
    QLabel* m_lblPosizione = nullptr;
    QLabel* m_panInfo = nullptr;
    QLabel* m_lblCalcolati = nullptr;
    QLineEdit* m_txtPunteggio = nullptr;  // has rules of its own beyond the form's
    QList<PictureButton*> m_buttons;
    RecordForm* m_form = nullptr;
    RecordEditor* m_editor = nullptr;
};

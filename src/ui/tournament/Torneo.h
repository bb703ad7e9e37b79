#pragma once

#include "common/WorkScreen.h"

#include <QString>

class PictureButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class RecordEditor;
struct TournamentRecord;

// The tournament entry editor: one entry (scheda) per team of the tournament whose file the open
// screen hands over. It is the only writer of tournament files.
class TfrmTorneo : public WorkScreen {
    Q_OBJECT
public:
    explicit TfrmTorneo(Navigator& navigator);

    // The tournament to work on: its file and the name shown in the title.
    void setTournament(const QString& path, const QString& name);
    QString tournamentPath() const { return m_path; }

    // Shows an entry found elsewhere (lists, search) as the one at `position`.
    void showEntry(const TournamentRecord& entry, qint64 position);

    // Puts a number into the points field and gives it the focus; the normal form follows when
    // the field is left.
    void setPoints(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildToolbar(QWidget* panel);
    void buildFields(QWidget* panel);
    void clearEntry();
    void fillFields(const TournamentRecord& entry);
    TournamentRecord entryOnScreen() const;
    bool checkBeforeSave();
    bool txtPunteggioKeyDown(QKeyEvent* key);
    void txtPunteggioExit();
    void txtGareChange();
    void btnCalcolatriceClick();

    QString m_path;
    QLabel* m_lblNome = nullptr;
    QLabel* m_lblPosizione = nullptr;
    QLabel* m_panInfo = nullptr;
    QLineEdit* m_txtConcorrente = nullptr;
    QLineEdit* m_txtResponsabile = nullptr;
    QLineEdit* m_txtTelefono = nullptr;
    QLineEdit* m_txtEmail = nullptr;
    QPlainTextEdit* m_txtGare = nullptr;
    QLineEdit* m_txtPunteggio = nullptr;
    QLineEdit* m_txtNote = nullptr;
    QCheckBox* m_chkCompletato = nullptr;
    QList<PictureButton*> m_buttons;
    RecordEditor* m_editor = nullptr;
    bool m_cuttingMatches = false;
};

#pragma once

#include "editor/RecordEditing.h"

#include <QDate>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>

#include <exception>
#include <functional>

class PictureButton;
class RecordForm;
class QLabel;
class QWidget;

// The mechanics the three record editors share: first, previous, next, last, new, save and
// duplicate with their messages and failure boxes, the position label, the keyboard shortcuts of
// the editor's commands, and the question before unsaved changes are left. The editor supplies
// its fields through the hooks; the archive rules themselves live in recordEditing.
class RecordEditor : public QObject {
    Q_OBJECT
public:
    enum class Command { New, Save, Duplicate, First, Previous, Next, Last, Search, Print, Import, Close, Withdraw };

    // The same keys in every editor, as the help texts list them.
    struct Shortcut {
        Command command;
        QKeySequence keys;
    };
    static const QList<Shortcut>& shortcuts();
    static QKeySequence keysFor(Command command);

    // The editor's buttons; the ones an editor does not have stay null.
    struct Buttons {
        PictureButton* newRecord = nullptr;  // cmdNuovo
        PictureButton* save = nullptr;       // cmdSalva
        PictureButton* duplicate = nullptr;  // cmdDuplica
        PictureButton* first = nullptr;      // cmdPrimo
        PictureButton* previous = nullptr;   // cmdIndietro
        PictureButton* next = nullptr;       // cmdAvanti
        PictureButton* last = nullptr;       // cmdUltimo
        PictureButton* search = nullptr;     // cmdTrova
        PictureButton* print = nullptr;      // cmdStampa
        PictureButton* importSheet = nullptr;  // cmdImporta
        PictureButton* close = nullptr;      // cmdEsci
        PictureButton* withdraw = nullptr;   // cmdRitira: Ritira / Riammetti

        // The buttons of `window` that carry those object names.
        static Buttons named(const QWidget* window);
    };

    struct Hooks {
        std::function<QString()> archivePath;
        int recordSize = 0;
        // Fills the fields from a record's bytes (the position label is set afterwards).
        std::function<void(const QByteArray&)> showRecord;
        // The record the fields on screen make.
        std::function<QByteArray()> screenRecord;
        // Empties the fields, gives the defaults back and clears the check boxes.
        std::function<void()> clearScreen;
        // Checks before a save; shows its own warning, moves the focus and returns false to stop.
        std::function<bool()> checkBeforeSave;
        // Clears what belongs to the saved record only (duplicate).
        std::function<void()> resetForDuplicate;
        // Runs once a record is on screen with its position in the label (navigation, show):
        // what lives beside the record (the player's photo) follows it.
        std::function<void(qint64 position)> afterShow;
        // Runs once a save has written the record at `position`, before the save is confirmed;
        // false when what lives beside the record (the player's photo) could not be stored: the
        // record then stays on screen, whatever command asked for the save.
        std::function<bool(qint64 position)> afterSave;
        QWidget* firstField = nullptr;
        // The record with the bytes that carry no meaning (after a text's end) in one form, so
        // that only a real change by another station stops a save. Empty: the bytes as they are.
        std::function<QByteArray(const QByteArray&)> canonical;
        // The record with its fields in the form leaving them gives them (points "12,5" as
        // "12,50"), so that a stored text in another form is no change until the user types.
        // Empty: the record as it is.
        std::function<QByteArray(const QByteArray&)> normalForms;
        // Whether what lives beside the record (the player's photo) was changed on screen since
        // the record was shown; it is saved with the record, so leaving it asks too.
        std::function<bool()> changedBeside;
        // Whether what lives beside the record at `position` is on disk as it was when the record
        // was shown; checked with the record before an update, a difference is another
        // station's change and stops the save the same way.
        std::function<bool(qint64 position)> besideUnchanged;
        // Runs once the record on screen was withdrawn or brought back (a tournament's calendar
        // counts the entries anew); the record is then shown again as the file holds it.
        std::function<void()> afterWithdrawal;
        // Makes the fields read-only (a withdrawn record) or editable again.
        std::function<void(bool readOnly)> setReadOnly;

        // Fields, record and clearing from the editor's record form.
        static Hooks forForm(RecordForm& form, std::function<QString()> archivePath);
        // A normalForms for `form` that gives its `fields` (record field names) the normal form
        // `normal`.
        static std::function<QByteArray(const QByteArray&)> normalFormsOf(const RecordForm& form, const QStringList& fields,
                                                                          QString (*normal)(const QString&));
    };

    // Connects the buttons and puts the shortcuts on `window`. Create it once the window's fields
    // exist: the fields give way to the editor's shortcuts (Ctrl+Home in a text box, for
    // instance, goes to the first record, not to the start of the text).
    RecordEditor(QWidget* window, recordEditing::Editor editor, QLabel* positionLabel, const Buttons& buttons,
                 Hooks hooks);

    // The commands. Each one that leaves the record on screen (every one but save) first asks
    // whether to save its changes, when it has any.
    void first();
    void previous();
    void next();
    void last();
    void newRecord();
    bool save();  // true once the record, and what lives beside it, is stored
    void duplicate();

    // Empties the screen for a new record without a question: every opening of the editor.
    void startEmpty();

    // Shows the record at `position` of the archive, as a list or a search hands it over; the
    // next save updates it there. A record that cannot be read, or that is no longer in the
    // archive, leaves the screen as it was. False when the user chose to stay on the record on
    // screen (Annulla, or a save that failed): a list that asked stays open.
    bool show(qint64 position);
    // For a command that finds the record to show elsewhere (an import): the question about
    // unsaved changes comes first, and Annulla stops it before anything is done; then `pick`
    // runs and returns the position to show, 0 for none.
    void showPicked(const std::function<qint64()>& pick);

    // The fields differ from the record as it was shown (a new record: from the empty form).
    bool hasChanges() const;
    // Before a command replaces or leaves the record on screen: with changes, asks whether to
    // save them. True to go on (saved, or not wanted), false to stay (Annulla, a failed save).
    bool confirmLeave();

    // Ritira / Riammetti: after a question that defaults to No, marks the record on screen as
    // withdrawn today, or brings it back. The record stays in its archive as it is.
    void withdrawOrBringBack();
    // The day the record on screen was withdrawn; invalid when it is not withdrawn.
    QDate withdrawnOn() const { return m_withdrawnOn; }
    // The band "Ritirata il …" (lblRitirata), shown while the record on screen is withdrawn; the
    // editor places it.
    QLabel* withdrawnBand() const { return m_band; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Leave { Stay, WithoutSaving, Saved };
    Leave askToLeave();
    bool showAt(qint64 position, bool ask);
    // The record on screen is `record` as the file holds it (empty: a new record).
    void shown(const QByteArray& record);
    // Puts `record`, at `position` of the archive, on the screen.
    void present(const QByteArray& record, qint64 position);
    void navigate(recordEditing::Move move);
    void reportFailure(platform::MessageKind kind);
    // A failed write of the record on screen (a save, a withdrawal), in the save's box: another
    // station's change offers the reload; `busyText` says what a busy archive left undone.
    void reportWriteFailure(std::exception_ptr failure, const std::function<QString(const QString&)>& busyText);
    void offerReload(qint64 position);
    QByteArray canonical(const QByteArray& record) const;
    QByteArray normalForms(const QByteArray& record) const;
    qint64 shownPosition() const;  // the position label's; 0 when empty
    void bind(PictureButton* button, Command command, std::function<void()> action);
    // The record on screen is withdrawn since `day` (invalid: not withdrawn): band, button, fields.
    void showWithdrawal(const QDate& day);
    // Whether `current`, the record at `position` in the file, with what lives beside it, is still
    // the one on screen (another station did not save it meanwhile).
    bool stillShown(QByteArrayView current, qint64 position) const;
    // Whether the withdrawal of the record at `position` is still what the screen shows.
    bool withdrawalUnchanged(qint64 position) const;

    QWidget* m_window;
    recordEditing::Editor m_editor;
    QLabel* m_position;
    Hooks m_hooks;
    QWidget* m_focusSink;  // takes the focus at a save, so the field being edited is left first
    QList<QKeySequence> m_keys;
    QByteArray m_loaded;  // the record on screen as the file held it, canonical; empty for a new one
    QByteArray m_blank;   // what the empty form makes
    QByteArray m_shown;   // what the form made when the record was shown; a difference is a change
    PictureButton* m_withdraw;
    QLabel* m_band;
    QDate m_withdrawnOn;  // of the record on screen; invalid when not withdrawn
};

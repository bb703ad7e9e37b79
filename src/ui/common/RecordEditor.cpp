#include "common/RecordEditor.h"

#include "common/ButtonTable.h"
#include "common/PictureButton.h"
#include "common/RecordForm.h"
#include "common/Style.h"
#include "storage/ArchiveError.h"
#include "text/TextRules.h"
#include "withdrawal/WithdrawalMarks.h"

#include <QKeyEvent>
#include <QLabel>
#include <QWidget>

using recordEditing::Move;
using recordEditing::Step;

const QList<RecordEditor::Shortcut>& RecordEditor::shortcuts()
{
    static const QList<Shortcut> list = {
        {Command::New, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {Command::Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {Command::Duplicate, QKeySequence(Qt::CTRL | Qt::Key_D)},
        {Command::First, QKeySequence(Qt::CTRL | Qt::Key_Home)},
        {Command::Previous, QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
        {Command::Next, QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
        {Command::Last, QKeySequence(Qt::CTRL | Qt::Key_End)},
        {Command::Search, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {Command::Print, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {Command::Import, QKeySequence(Qt::CTRL | Qt::Key_I)},
        {Command::Close, QKeySequence(Qt::Key_Escape)},
        {Command::Withdraw, QKeySequence(Qt::CTRL | Qt::Key_R)},
    };
    return list;
}

QKeySequence RecordEditor::keysFor(Command command)
{
    for (const Shortcut& shortcut : shortcuts()) {
        if (shortcut.command == command)
            return shortcut.keys;
    }
    return {};
}

RecordEditor::Buttons RecordEditor::Buttons::named(const QWidget* window)
{
    const auto button = [window](const char* name) { return window->findChild<PictureButton*>(QLatin1String(name)); };
    Buttons buttons;
    buttons.newRecord = button("cmdNuovo");
    buttons.save = button("cmdSalva");
    buttons.duplicate = button("cmdDuplica");
    buttons.first = button("cmdPrimo");
    buttons.previous = button("cmdIndietro");
    buttons.next = button("cmdAvanti");
    buttons.last = button("cmdUltimo");
    buttons.search = button("cmdTrova");
    buttons.print = button("cmdStampa");
    buttons.importSheet = button("cmdImporta");
    buttons.close = button("cmdEsci");
    buttons.withdraw = button("cmdRitira");
    return buttons;
}

RecordEditor::Hooks RecordEditor::Hooks::forForm(RecordForm& form, std::function<QString()> archivePath)
{
    Hooks hooks;
    hooks.archivePath = std::move(archivePath);
    hooks.recordSize = form.format().size;
    hooks.showRecord = [&form](const QByteArray& bytes) { form.fillBytes(bytes); };
    hooks.screenRecord = [&form] { return form.record(); };
    hooks.clearScreen = [&form] { form.clear(); };
    hooks.firstField = form.firstControl();
    hooks.canonical = [format = form.format()](const QByteArray& bytes) { return format.encode(format.decode(bytes)); };
    hooks.setReadOnly = [&form](bool readOnly) { form.setReadOnly(readOnly); };
    return hooks;
}

std::function<QByteArray(const QByteArray&)> RecordEditor::Hooks::normalFormsOf(const RecordForm& form,
                                                                                const QStringList& fields,
                                                                                QString (*normal)(const QString&))
{
    return [format = form.format(), fields, normal](const QByteArray& bytes) {
        RecordValues values = format.decode(bytes);
        for (const QString& field : fields)
            values[field] = normal(values.value(field));
        return format.encode(values);
    };
}

RecordEditor::RecordEditor(QWidget* window, recordEditing::Editor editor, QLabel* positionLabel,
                           const Buttons& buttons, Hooks hooks)
    : QObject(window)
    , m_window(window)
    , m_editor(editor)
    , m_position(positionLabel)
    , m_hooks(std::move(hooks))
    , m_focusSink(new QWidget(positionLabel->parentWidget()))
    , m_withdraw(buttons.withdraw)
    , m_band(new QLabel(positionLabel->parentWidget()))
{
    // Invisible to the eye, to the mouse and to Tab; only save puts the focus there.
    m_focusSink->setObjectName(QStringLiteral("btnFocus"));
    m_focusSink->setFocusPolicy(Qt::NoFocus);
    m_focusSink->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_focusSink->setGeometry(0, 0, 1, 1);

    bind(buttons.newRecord, Command::New, [this] { newRecord(); });
    bind(buttons.save, Command::Save, [this] { save(); });
    bind(buttons.duplicate, Command::Duplicate, [this] { duplicate(); });
    bind(buttons.first, Command::First, [this] { first(); });
    bind(buttons.previous, Command::Previous, [this] { previous(); });
    bind(buttons.next, Command::Next, [this] { next(); });
    bind(buttons.last, Command::Last, [this] { last(); });
    bind(buttons.search, Command::Search, {});
    bind(buttons.print, Command::Print, {});
    bind(buttons.importSheet, Command::Import, {});
    bind(buttons.close, Command::Close, {});
    bind(buttons.withdraw, Command::Withdraw, [this] { withdrawOrBringBack(); });

    m_band->setObjectName(QStringLiteral("lblRitirata"));
    m_band->setFont(style::verdana(11, true));
    m_band->setAlignment(Qt::AlignCenter);
    m_band->setStyleSheet(QStringLiteral("background-color: #B22222; color: white; border-radius: 6px; padding: 0 10px;"));
    m_band->hide();

    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->focusPolicy() != Qt::NoFocus)
            child->installEventFilter(this);
    }
    // Closing the window (Esci, Esc, the title bar) leaves the record too.
    window->installEventFilter(this);

    m_blank = m_hooks.screenRecord ? m_hooks.screenRecord() : QByteArray();
    m_shown = m_blank;
}

void RecordEditor::bind(PictureButton* button, Command command, std::function<void()> action)
{
    if (!button)
        return;
    if (action)
        connect(button, &PictureButton::clicked, this, std::move(action));
    // The key does what a click does, and nothing while the button is disabled.
    const QKeySequence keys = keysFor(command);
    buttonTable::bindKeys(m_window, button, keys);
    m_keys.append(keys);
}

void RecordEditor::showWithdrawal(const QDate& day)
{
    m_withdrawnOn = day;
    const bool withdrawn = day.isValid();
    m_band->setText(withdrawn ? withdrawal::bandText(day) : QString());
    m_band->setVisible(withdrawn);
    if (withdrawn)
        m_band->raise();
    if (m_hooks.setReadOnly)
        m_hooks.setReadOnly(withdrawn);
    if (m_withdraw) {
        m_withdraw->setHint(withdrawn ? recordEditing::bringBackHint : recordEditing::withdrawHint);
        m_withdraw->setToolTip(m_withdraw->hint() + QStringLiteral("\nScorciatoia da tastiera: ")
                               + keysFor(Command::Withdraw).toString(QKeySequence::NativeText));
    }
}

bool RecordEditor::stillShown(QByteArrayView current, qint64 position) const
{
    return canonical(current.toByteArray()) == m_loaded && (!m_hooks.besideUnchanged || m_hooks.besideUnchanged(position));
}

bool RecordEditor::withdrawalUnchanged(qint64 position) const
{
    return withdrawal::read(m_hooks.archivePath()).date(position) == m_withdrawnOn;
}

void RecordEditor::withdrawOrBringBack()
{
    const qint64 position = shownPosition();
    if (position <= 0) {
        platform::warningBox(recordEditing::withdrawUnsavedMessage, m_window);
        return;
    }
    // Changes typed on the record are saved, or not, first: a withdrawn record cannot be edited.
    if (!confirmLeave())
        return;
    const bool bringBack = m_withdrawnOn.isValid();
    if (!platform::questionBox(bringBack ? recordEditing::bringBackQuestion : recordEditing::withdrawQuestion, m_window,
                               platform::Answer::No))
        return;
    try {
        withdrawal::Request request{position, bringBack ? withdrawal::Action::BringBack : withdrawal::Action::Withdraw,
                                    m_withdrawnOn, {}};
        if (!m_loaded.isEmpty()) {
            request.recordUnchanged = [this, position](QByteArrayView current) { return stillShown(current, position); };
        }
        const QDate today = platform::clock().now().date();
        switch (withdrawal::apply(m_hooks.archivePath(), m_hooks.recordSize, {request}, today)) {
        case withdrawal::Outcome::Done:
            showWithdrawal(bringBack ? QDate() : today);
            if (m_hooks.afterWithdrawal) {
                m_hooks.afterWithdrawal();
                present(recordEditing::load(m_hooks.archivePath(), m_hooks.recordSize, position), position);
            }
            platform::informationBox(bringBack ? recordEditing::broughtBackMessage : recordEditing::withdrawnMessage,
                                     m_window);
            break;
        case withdrawal::Outcome::NoSuchRecord:
            platform::warningBox(recordEditing::recordGoneMessage, m_window);
            break;
        case withdrawal::Outcome::AlreadyWithdrawn:
        case withdrawal::Outcome::NotWithdrawn:
            offerReload(position);  // not reached: the seen mark makes these a conflict
            break;
        }
    } catch (...) {
        reportWriteFailure(std::current_exception(), [](const QString& station) {
            return recordEditing::busyMessage(station, recordEditing::notWithdrawnConsequence);
        });
    }
}

bool RecordEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Close) {
        if (m_window->isVisible() && !confirmLeave()) {
            event->ignore();
            return true;
        }
        return false;
    }
    // A field that would use one of the editor's keys itself (a text box takes Ctrl+Home) is
    // told not to, so the key reaches the editor's shortcut.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(QKeyCombination(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key())));
        if (m_keys.contains(pressed)) {
            key->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void RecordEditor::reportFailure(platform::MessageKind kind)
{
    platform::messages().show(kind, recordEditing::archiveFailureMessage, m_window);
}

void RecordEditor::reportWriteFailure(std::exception_ptr failure, const std::function<QString(const QString&)>& busyText)
{
    const platform::MessageKind box = recordEditing::failureBoxes(m_editor).save;
    try {
        std::rethrow_exception(failure);
    } catch (const RecordChanged&) {
        offerReload(shownPosition());
    } catch (const ArchiveBusy& busy) {
        platform::messages().show(box, busyText(busy.station()), m_window);
    } catch (const LockNotAFile& lock) {
        platform::messages().show(box, recordEditing::lockNotAFileMessage(lock.lockPath()), m_window);
    } catch (...) {
        reportFailure(box);
    }
}

qint64 RecordEditor::shownPosition() const { return trimControls(m_position->text()).toLongLong(); }

QByteArray RecordEditor::canonical(const QByteArray& record) const
{
    return m_hooks.canonical ? m_hooks.canonical(record) : record;
}

QByteArray RecordEditor::normalForms(const QByteArray& record) const
{
    return m_hooks.normalForms ? m_hooks.normalForms(record) : record;
}

void RecordEditor::shown(const QByteArray& record)
{
    m_loaded = record.isEmpty() ? QByteArray() : canonical(record);
    m_shown = m_hooks.screenRecord();
}

bool RecordEditor::hasChanges() const
{
    if (m_hooks.changedBeside && m_hooks.changedBeside())
        return true;
    return m_hooks.screenRecord && normalForms(m_hooks.screenRecord()) != normalForms(m_shown);
}

bool RecordEditor::confirmLeave() { return !hasChanges() || askToLeave() != Leave::Stay; }

RecordEditor::Leave RecordEditor::askToLeave()
{
    switch (platform::askBox(recordEditing::saveChangesQuestion, {true, platform::Answer::Yes}, m_window)) {
    case platform::Answer::Yes:
        return save() ? Leave::Saved : Leave::Stay;
    case platform::Answer::No:
        return Leave::WithoutSaving;
    case platform::Answer::Cancel:
        break;
    }
    return Leave::Stay;
}

void RecordEditor::navigate(Move move)
{
    try {
        // Moved from where the record was, also after a save: leaving a new record shows record 1,
        // whether or not it was saved on the way.
        const QString from = m_position->text();
        const auto decide = [&] { return recordEditing::move(m_hooks.archivePath(), m_hooks.recordSize, move, from); };
        recordEditing::Moved moved = decide();
        // Only a step that replaces the record asks; a save moves from where the record now is.
        if (moved.step.kind == Step::Kind::Show && hasChanges()) {
            const Leave leave = askToLeave();
            if (leave == Leave::Stay)
                return;
            if (leave == Leave::Saved)
                moved = decide();
        }
        switch (moved.step.kind) {
        case Step::Kind::Show:
            present(moved.record, moved.step.position);
            break;
        case Step::Kind::Nothing:
            break;
        case Step::Kind::NoRecords:
            if (moved.step.emptyLabel)
                m_position->clear();
            platform::informationBox(recordEditing::noRecordsMessage, m_window);
            break;
        }
    } catch (...) {
        reportFailure(recordEditing::failureBoxes(m_editor).navigation);
    }
}

void RecordEditor::first() { navigate(Move::First); }
void RecordEditor::previous() { navigate(Move::Previous); }
void RecordEditor::next() { navigate(Move::Next); }
void RecordEditor::last() { navigate(Move::Last); }

void RecordEditor::newRecord()
{
    if (confirmLeave())
        startEmpty();
}

void RecordEditor::startEmpty()
{
    try {
        m_hooks.clearScreen();
        m_position->clear();
        showWithdrawal({});
        m_blank = m_hooks.screenRecord();
        shown({});
        if (m_hooks.firstField)
            m_hooks.firstField->setFocus(Qt::OtherFocusReason);
    } catch (...) {
        // Clearing the screen has nothing to report.
    }
}

bool RecordEditor::save()
{
    // Leaving the field being edited lets it finish (the points field takes its normal form).
    QPointer<QWidget> editing = m_window->focusWidget();
    m_focusSink->setFocus(Qt::OtherFocusReason);
    if (m_hooks.checkBeforeSave && !m_hooks.checkBeforeSave())
        return false;
    bool saved = false;
    try {
        RecordFile::Unchanged unchanged;
        if (!m_loaded.isEmpty()) {
            unchanged = [this, position = shownPosition()](QByteArrayView current) {
                return stillShown(current, position) && withdrawalUnchanged(position);
            };
        }
        const QByteArray record = m_hooks.screenRecord();
        const recordEditing::Saved written =
            recordEditing::save(m_hooks.archivePath(), record, m_position->text(), unchanged);
        m_position->setText(recordEditing::positionText(written.position));
        saved = !m_hooks.afterSave || m_hooks.afterSave(written.position);
        shown(record);
        platform::informationBox(written.appended ? recordEditing::insertedMessage : recordEditing::updatedMessage,
                                 m_window);
    } catch (...) {
        reportWriteFailure(std::current_exception(), [](const QString& station) { return recordEditing::busyMessage(station); });
    }
    // Typing goes on where it was. The window may not be active again yet after a real message
    // box; the field then becomes the one the window gives the focus back to.
    if (editing && editing != m_focusSink && m_window->focusWidget() == m_focusSink)
        editing->setFocus(Qt::OtherFocusReason);
    return saved;
}

bool RecordEditor::show(qint64 position) { return showAt(position, true); }

void RecordEditor::showPicked(const std::function<qint64()>& pick)
{
    if (!confirmLeave())
        return;
    if (const qint64 position = pick(); position > 0)
        showAt(position, false);
}

bool RecordEditor::showAt(qint64 position, bool ask)
{
    try {
        const auto load = [&] { return recordEditing::load(m_hooks.archivePath(), m_hooks.recordSize, position); };
        // A record that is gone is told before anything is asked.
        QByteArray record = load();
        switch (ask && hasChanges() ? askToLeave() : Leave::WithoutSaving) {
        case Leave::Stay:
            return false;
        case Leave::Saved:
            record = load();  // the save may have written this very record
            break;
        case Leave::WithoutSaving:
            break;
        }
        present(record, position);
    } catch (const recordEditing::RecordGone&) {
        platform::warningBox(recordEditing::recordGoneMessage, m_window);
    } catch (...) {
        reportFailure(recordEditing::failureBoxes(m_editor).navigation);
    }
    return true;
}

void RecordEditor::present(const QByteArray& record, qint64 position)
{
    QDate withdrawn;
    try {
        withdrawn = withdrawal::read(m_hooks.archivePath()).date(position);
    } catch (const ArchiveError&) {
        // Marks that cannot be read leave the record editable; a save then stops on them.
    }
    showWithdrawal(withdrawn);
    m_hooks.showRecord(record);
    m_position->setText(recordEditing::positionText(position));
    if (m_hooks.afterShow)
        m_hooks.afterShow(position);
    shown(record);
}

void RecordEditor::offerReload(qint64 position)
{
    if (!platform::questionBox(recordEditing::changedElsewhereQuestion, m_window))
        return;
    try {
        present(recordEditing::load(m_hooks.archivePath(), m_hooks.recordSize, position), position);
    } catch (...) {
        reportFailure(recordEditing::failureBoxes(m_editor).navigation);
    }
}

void RecordEditor::duplicate()
{
    const std::optional<platform::MessageKind> failureBox = recordEditing::failureBoxes(m_editor).duplicate;
    if (!failureBox)
        return;
    if (m_position->text().isEmpty()) {
        platform::warningBox(recordEditing::duplicateUnsavedMessage, m_window);
        return;
    }
    // Not saving keeps the changes on screen, in the copy; the record they were made on stays
    // as it is in the archive.
    if (!confirmLeave())
        return;
    try {
        if (m_hooks.resetForDuplicate)
            m_hooks.resetForDuplicate();
        m_position->clear();
        // A copy is a new record: its changes are those from the empty form.
        m_loaded.clear();
        showWithdrawal({});
        m_shown = m_blank;
        if (recordEditing::duplicateOpensArchive(m_editor))
            recordEditing::touch(m_hooks.archivePath(), m_hooks.recordSize);
        if (m_hooks.firstField)
            m_hooks.firstField->setFocus(Qt::OtherFocusReason);
        platform::informationBox(recordEditing::duplicateReadyMessage, m_window);
    } catch (...) {
        reportFailure(*failureBox);
    }
}

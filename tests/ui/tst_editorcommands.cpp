// The shared record editor, driven on a tiny two-field form: what each command of each of the
// three editors shows, where the position label ends, and what the archive holds afterwards.
#include "common/ButtonTable.h"
#include "common/PictureButton.h"
#include "common/RecordEditor.h"
#include "common/RecordForm.h"
#include "app/QtTranslations.h"
#include "editor/RecordEditing.h"
#include "storage/FileFaults.h"
#include "ArchiveFiles.h"
#include "FakePlatform.h"
#include "TinyRecord.h"
#include "platform/WidgetPlatform.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <optional>

using platform::MessageKind;
using recordEditing::Editor;
using namespace Qt::StringLiterals;

namespace {

// A window with the editor's buttons, the position label and the two fields.
struct TinyEditor {
    FakePlatform fake;
    TempProgramFolder folder;
    QString path = folder.file(u"Prova.dat"_s);
    QWidget window;
    QLabel* position = new QLabel(&window);
    RecordForm* form = nullptr;
    RecordEditor* editor = nullptr;

    // `adjust` changes the hooks the form gives, before the editor takes them.
    explicit TinyEditor(Editor kind, const std::function<void(RecordEditor::Hooks&)>& adjust = {})
    {
        position->setObjectName(u"lblPosizione"_s);
        buttonTable::toolbar(&window, {{u"cmdNuovo"_s, u"nuovo"_s, 0}, {u"cmdSalva"_s, u"salva"_s, 50},
                                       {u"cmdDuplica"_s, u"nuovo"_s, 100}, {u"cmdPrimo"_s, u"primo"_s, 150},
                                       {u"cmdIndietro"_s, u"indietro"_s, 200}, {u"cmdAvanti"_s, u"avanti"_s, 250},
                                       {u"cmdUltimo"_s, u"ultimo"_s, 300}, {u"cmdEsci"_s, u"exit"_s, 350}});
        QObject::connect(window.findChild<PictureButton*>(u"cmdEsci"_s), &PictureButton::clicked, &window, &QWidget::close);
        form = new RecordForm(&window, recordFormat(TinyRecord::Layout),
                              {{u"txtNome"_s, u"Nome:"_s, u"Nome"_s, RecordForm::Kind::Line, {10, 100, 200, 30}, {}, u"txtNota"_s},
                               {u"txtNota"_s, u"Nota:"_s, u"Nota"_s, RecordForm::Kind::Line, {10, 140, 200, 30}, {}, u"txtNome"_s}},
                              {});
        RecordEditor::Hooks hooks = RecordEditor::Hooks::forForm(*form, [this] { return path; });
        if (adjust)
            adjust(hooks);
        editor = new RecordEditor(&window, kind, position, RecordEditor::Buttons::named(&window), std::move(hooks));
        window.resize(400, 200);
    }

    QLineEdit* field(const QString& name) const { return form->control<QLineEdit>(name); }
    void click(const QString& button) const
    {
        QTest::mouseClick(window.findChild<PictureButton*>(button), Qt::LeftButton);
    }
    void store(const QList<QByteArray>& records) const { QVERIFY(archiveFiles::write(path, records)); }
    QList<QByteArray> stored() const { return archiveFiles::read(path, TinyRecord::Size); }
};

enum class Command { SaveNew, SaveShown, Duplicate, DuplicateThenSave, Last, ShowSecond, ShowBeyondEnd };

// The commands that leave the record on screen, and what the screen holds when they come.
enum class Leave { First, PreviousKey, Next, Last, OpenFromList, New, Duplicate, EscapeKey, Esci, WindowClose };
enum class State { Unchanged, Changed, ChangedAndErased, New };

// Where a command lands: the position label and the two fields as "Nome/Nota" (empty: the text
// on screen stays), or the window closed.
struct Landing {
    QString label;
    QString shown;
    bool open = true;
};
const Landing closed{{}, {}, false};
enum class Step { First, Next, Last, NextAtEnd, Show2, Show3, SaveNew, SaveRefused, SaveFails };
enum class Archive { TwoRecords, InMissingFolder, VanishesAfterShowing };

}  // namespace

Q_DECLARE_METATYPE(Editor)
Q_DECLARE_METATYPE(Command)
Q_DECLARE_METATYPE(Archive)
Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(std::optional<MessageKind>)
Q_DECLARE_METATYPE(Leave)
Q_DECLARE_METATYPE(State)
Q_DECLARE_METATYPE(Landing)
Q_DECLARE_METATYPE(platform::Answer)

class TestEditorCommands : public QObject {
    Q_OBJECT

private slots:
    void commands_data()
    {
        QTest::addColumn<Editor>("editor");
        QTest::addColumn<Archive>("archive");
        QTest::addColumn<Command>("command");
        QTest::addColumn<std::optional<MessageKind>>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QList<QByteArray>>("file");

        const QString failure = recordEditing::archiveFailureMessage;
        const QList<QByteArray> two{tiny(u"Alfa"_s, u"uno"_s), tiny(u"Beta"_s, u"due"_s)};
        const QList<QByteArray> none;
        const auto names = [](Editor e) {
            return e == Editor::Tournament ? "tournament" : e == Editor::Team ? "team" : "player";
        };
        for (Editor e : {Editor::Tournament, Editor::Team, Editor::Player}) {
            const auto row = [&](const char* what) -> QTestData& { return QTest::addRow("%s: %s", names(e), what); };
            row("save new appends") << e << Archive::TwoRecords << Command::SaveNew << std::optional(MessageKind::Information)
                                    << recordEditing::insertedMessage << u"3"_s
                                    << QList<QByteArray>{two[0], two[1], tiny(u"Gamma"_s, u"tre"_s)};
            row("save shown updates") << e << Archive::TwoRecords << Command::SaveShown
                                      << std::optional(MessageKind::Information) << recordEditing::updatedMessage << u"1"_s
                                      << QList<QByteArray>{tiny(u"Alfa"_s, u"cambiata"_s), two[1]};
            row("last") << e << Archive::TwoRecords << Command::Last << std::optional<MessageKind>() << QString() << u"2"_s << two;
            row("show(2)") << e << Archive::TwoRecords << Command::ShowSecond << std::optional<MessageKind>() << QString()
                           << u"2"_s << two;
            row("show beyond the end") << e << Archive::TwoRecords << Command::ShowBeyondEnd
                                       << std::optional(MessageKind::Warning) << recordEditing::recordGoneMessage
                                       << u"1"_s << two;
            row("last, folder missing") << e << Archive::InMissingFolder << Command::Last
                                        << std::optional(MessageKind::Error) << failure << QString() << none;
        }
        // Saving into an archive that cannot be reached: each editor has its own box.
        QTest::addRow("tournament: save fails") << Editor::Tournament << Archive::InMissingFolder << Command::SaveNew
                                                << std::optional(MessageKind::Plain) << failure << QString() << none;
        QTest::addRow("team: save fails") << Editor::Team << Archive::InMissingFolder << Command::SaveNew
                                          << std::optional(MessageKind::Error) << failure << QString() << none;
        QTest::addRow("player: save fails") << Editor::Player << Archive::InMissingFolder << Command::SaveNew
                                            << std::optional(MessageKind::Error) << failure << QString() << none;

        // Duplicate: the tournament editor has none; the others refuse an unsaved record, and a
        // duplicate is saved as a new record, never over the one it was made from.
        QTest::addRow("tournament: duplicate does nothing") << Editor::Tournament << Archive::TwoRecords << Command::Duplicate
                                                            << std::optional<MessageKind>() << QString() << u"1"_s << two;
        for (Editor e : {Editor::Team, Editor::Player}) {
            QTest::addRow("%s: duplicate then save", names(e))
                << e << Archive::TwoRecords << Command::DuplicateThenSave << std::optional(MessageKind::Information)
                << recordEditing::insertedMessage << u"3"_s << QList<QByteArray>{two[0], two[1], tiny(u"Alfa"_s, u"uno"_s)};
        }
        QTest::addRow("team: duplicate opens the archive, which fails")
            << Editor::Team << Archive::VanishesAfterShowing << Command::Duplicate << std::optional(MessageKind::Warning)
            << failure << QString() << none;
        QTest::addRow("player: duplicate does not open the archive")
            << Editor::Player << Archive::VanishesAfterShowing << Command::Duplicate << std::optional(MessageKind::Information)
            << recordEditing::duplicateReadyMessage << QString() << none;
    }

    void commands()
    {
        QFETCH(Editor, editor);
        QFETCH(Archive, archive);
        QFETCH(Command, command);
        QFETCH(std::optional<MessageKind>, box);
        QFETCH(QString, text);
        QFETCH(QString, label);
        QFETCH(QList<QByteArray>, file);

        TinyEditor e(editor);
        if (archive == Archive::InMissingFolder)
            e.path = e.folder.file(u"manca/Prova.dat"_s);
        else
            e.store({tiny(u"Alfa"_s, u"uno"_s), tiny(u"Beta"_s, u"due"_s)});
        e.editor->newRecord();
        if (command != Command::SaveNew && command != Command::Last && archive != Archive::InMissingFolder)
            e.editor->show(1);
        if (archive == Archive::VanishesAfterShowing)
            e.path = e.folder.file(u"manca/Prova.dat"_s);

        switch (command) {
        case Command::SaveNew:
            e.field(u"txtNome"_s)->setText(u"Gamma"_s);
            e.field(u"txtNota"_s)->setText(u"tre"_s);
            e.click(u"cmdSalva"_s);
            break;
        case Command::SaveShown:
            e.field(u"txtNota"_s)->setText(u"cambiata"_s);
            e.click(u"cmdSalva"_s);
            break;
        case Command::Duplicate:
            e.click(u"cmdDuplica"_s);
            break;
        case Command::DuplicateThenSave:
            e.click(u"cmdDuplica"_s);
            QCOMPARE(e.position->text(), QString());
            QCOMPARE(e.fake.lastMessage().text, recordEditing::duplicateReadyMessage);
            e.fake.messages.clear();
            e.click(u"cmdSalva"_s);
            break;
        case Command::Last:
            e.click(u"cmdUltimo"_s);
            break;
        case Command::ShowSecond:
            e.editor->show(2);
            QCOMPARE(e.field(u"txtNome"_s)->text(), u"Beta"_s);
            QCOMPARE(e.field(u"txtNota"_s)->text(), u"due"_s);
            break;
        case Command::ShowBeyondEnd:
            e.editor->show(3);
            QCOMPARE(e.field(u"txtNome"_s)->text(), u"Alfa"_s);  // the screen stays as it was
            break;
        }

        if (box) {
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.fake.lastMessage().kind, *box);
            QCOMPARE(e.fake.lastMessage().text, text);
        } else {
            QCOMPARE(e.fake.messages.size(), 0);
        }
        QCOMPARE(e.position->text(), label);
        QCOMPARE(e.stored(), file);
    }

    // Every command that leaves a record: changes on screen are saved (Sì), dropped (No) or kept
    // with the record (Annulla), and a screen that only looks changed is left without a question.
    void leaving_data()
    {
        using platform::Answer;
        QTest::addColumn<Leave>("leave");
        QTest::addColumn<State>("state");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<Landing>("landing");
        QTest::addColumn<QList<QByteArray>>("file");

        const QList<QByteArray> three{tiny(u"Alfa"_s, u"uno"_s), tiny(u"Beta"_s, u"due"_s), tiny(u"Gamma"_s, u"tre"_s)};
        const QList<QByteArray> updated{three[0], tiny(u"Beta"_s, u"cambiata"_s), three[2]};
        const QList<QByteArray> appended = three + QList<QByteArray>{tiny(u"Delta"_s, u"quattro"_s)};
        const Landing first{u"1"_s, u"Alfa/uno"_s}, third{u"3"_s, u"Gamma/tre"_s}, empty{QString(), u"/"_s};
        const Landing onFourth{u"4"_s, {}};  // the new record, saved as the fourth, stays on screen

        // Each command from record 2, from a new record, and from that new record once saved (a
        // step from a new record lands where it would without the save: record 1).
        struct Command {
            Leave leave;
            const char* name;
            Landing fromSecond, fromNew, fromSaved;
        };
        const QList<Command> commands = {
            {Leave::First, "first", first, first, first},
            {Leave::PreviousKey, "Ctrl+PgUp", first, first, first},
            {Leave::Next, "next", third, first, first},
            {Leave::Last, "last", third, third, onFourth},
            {Leave::OpenFromList, "opened from a list", third, third, third},
            {Leave::New, "new", empty, empty, empty},
            {Leave::Duplicate, "duplicate", {QString(), {}}, {}, {}},
            {Leave::EscapeKey, "Esc", closed, closed, closed},
            {Leave::Esci, "Esci", closed, closed, closed},
            {Leave::WindowClose, "window closed", closed, closed, closed},
        };
        for (const Command& c : commands) {
            const auto row = [&](const char* state, const char* answer) -> QTestData& {
                return QTest::addRow("%s, %s%s", c.name, state, answer);
            };
            row("unchanged", "") << c.leave << State::Unchanged << Answer::Yes << false << c.fromSecond << three;
            row("typed and erased", "") << c.leave << State::ChangedAndErased << Answer::Yes << false << c.fromSecond << three;
            row("changed", ": S\u00EC") << c.leave << State::Changed << Answer::Yes << true << c.fromSecond << updated;
            row("changed", ": No") << c.leave << State::Changed << Answer::No << true << c.fromSecond << three;
            row("changed", ": Annulla") << c.leave << State::Changed << Answer::Cancel << true << Landing{u"2"_s, {}} << three;
            if (c.leave == Leave::Duplicate) {
                // A new record cannot be duplicated: only the warning, and nothing is left.
                row("new", "") << c.leave << State::New << Answer::Yes << false << Landing{QString(), {}} << three;
                continue;
            }
            row("new", ": S\u00EC") << c.leave << State::New << Answer::Yes << true << c.fromSaved << appended;
            row("new", ": No") << c.leave << State::New << Answer::No << true << c.fromNew << three;
            row("new", ": Annulla") << c.leave << State::New << Answer::Cancel << true << Landing{QString(), {}} << three;
        }
    }

    void leaving()
    {
        QFETCH(Leave, leave);
        QFETCH(State, state);
        QFETCH(platform::Answer, answer);
        QFETCH(bool, asked);
        QFETCH(Landing, landing);
        QFETCH(QList<QByteArray>, file);

        TinyEditor e(Editor::Team);
        e.store({tiny(u"Alfa"_s, u"uno"_s), tiny(u"Beta"_s, u"due"_s), tiny(u"Gamma"_s, u"tre"_s)});
        e.window.show();
        QApplication::setActiveWindow(&e.window);
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        QLineEdit* nome = e.field(u"txtNome"_s);
        QLineEdit* nota = e.field(u"txtNota"_s);
        if (state == State::New) {
            e.editor->newRecord();
            QTest::keyClicks(nome, u"Delta"_s);
            nota->setFocus();
            QTest::keyClicks(nota, u"quattro"_s);
        } else {
            e.editor->show(2);
            nota->setFocus();
            nota->end(false);
            if (state == State::Changed) {
                nota->selectAll();
                QTest::keyClicks(nota, u"cambiata"_s);
            } else if (state == State::ChangedAndErased) {
                QTest::keyClicks(nota, u"x"_s);
                QTest::keyClick(nota, Qt::Key_Backspace);
            }
        }
        const QString onScreen = nome->text() + u'/' + nota->text();
        e.fake.answers = {answer};

        switch (leave) {
        case Leave::First: e.click(u"cmdPrimo"_s); break;
        case Leave::PreviousKey: QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier); break;
        case Leave::Next: e.click(u"cmdAvanti"_s); break;
        case Leave::Last: e.click(u"cmdUltimo"_s); break;
        case Leave::OpenFromList: e.editor->show(3); break;
        case Leave::New: e.click(u"cmdNuovo"_s); break;
        case Leave::Duplicate: e.click(u"cmdDuplica"_s); break;
        case Leave::EscapeKey: QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); break;
        case Leave::Esci: e.click(u"cmdEsci"_s); break;
        case Leave::WindowClose: e.window.close(); break;
        }

        const bool questionShown = !e.fake.messages.isEmpty() && e.fake.messages.front().kind == MessageKind::Question;
        QCOMPARE(questionShown, asked);
        if (asked) {
            QCOMPARE(e.fake.messages.front().text, u"Salvare le modifiche alla scheda corrente?"_s);
            QVERIFY(e.fake.messages.front().choices.cancel);
        }
        QCOMPARE(e.window.isVisible(), landing.open);
        if (landing.open) {
            QCOMPARE(e.position->text(), landing.label);
            QCOMPARE(nome->text() + u'/' + nota->text(), landing.shown.isEmpty() ? onScreen : landing.shown);
        }
        QCOMPARE(e.stored(), file);
    }

    // Sì with a save that is refused or fails stays on the record, changes and all.
    void aFailedSaveStays_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("refused by the editor's check") << true;
        QTest::newRow("the disk does not take it") << false;
    }
    void aFailedSaveStays()
    {
        QFETCH(bool, refused);
        TinyEditor e(Editor::Team, [&](RecordEditor::Hooks& hooks) { hooks.checkBeforeSave = [refused] { return !refused; }; });
        e.store({tiny(u"Alfa"_s, u"uno"_s), tiny(u"Beta"_s, u"due"_s)});
        e.editor->show(1);
        e.field(u"txtNota"_s)->setText(u"cambiata"_s);
        const fileFaults::Injected full({fileFaults::Fault::WriteFails, 0, refused ? u"nessuno"_s : e.path});
        e.editor->show(2);
        QCOMPARE(e.fake.messages.size(), refused ? 1 : 2);  // the question, then the failure's box
        QCOMPARE(e.fake.messages.front().kind, MessageKind::Question);
        QCOMPARE(e.position->text(), u"1"_s);
        QCOMPARE(e.field(u"txtNota"_s)->text(), u"cambiata"_s);
        QCOMPARE(e.stored(), (QList<QByteArray>{tiny(u"Alfa"_s, u"uno"_s), tiny(u"Beta"_s, u"due"_s)}));
        QVERIFY(e.editor->hasChanges());
    }

    // What lives beside a record (the player's photo) follows it through two hooks: one after a
    // record is shown, one after a save has written it and before the save is confirmed.
    void afterShowAndSave_data()
    {
        QTest::addColumn<Step>("step");
        QTest::addColumn<QStringList>("calls");  // with the number of boxes shown before each call
        QTest::newRow("first") << Step::First << QStringList{u"shown 1, boxes 0"_s};
        QTest::newRow("next from 1") << Step::Next << QStringList{u"shown 1, boxes 0"_s, u"shown 2, boxes 0"_s};
        QTest::newRow("last") << Step::Last << QStringList{u"shown 2, boxes 0"_s};
        QTest::newRow("next at the end: nothing shown") << Step::NextAtEnd << QStringList{u"shown 2, boxes 0"_s};
        QTest::newRow("show(2)") << Step::Show2 << QStringList{u"shown 2, boxes 0"_s};
        QTest::newRow("show beyond the end") << Step::Show3 << QStringList();
        QTest::newRow("save new, before its box") << Step::SaveNew << QStringList{u"saved 3, boxes 0"_s};
        QTest::newRow("save refused") << Step::SaveRefused << QStringList();
        QTest::newRow("save fails") << Step::SaveFails << QStringList();
    }
    void afterShowAndSave()
    {
        QFETCH(Step, step);
        QFETCH(QStringList, calls);
        QStringList seen;
        FakePlatform* fake = nullptr;
        TinyEditor e(Editor::Player, [&](RecordEditor::Hooks& hooks) {
            hooks.afterShow = [&](qint64 p) { seen << u"shown %1, boxes %2"_s.arg(p).arg(fake->messages.size()); };
            hooks.afterSave = [&](qint64 p) {
                seen << u"saved %1, boxes %2"_s.arg(p).arg(fake->messages.size());
                return true;
            };
            hooks.checkBeforeSave = [&] { return step != Step::SaveRefused; };
        });
        fake = &e.fake;
        e.store({tiny(u"Alfa"_s), tiny(u"Beta"_s)});
        switch (step) {
        case Step::First: e.click(u"cmdPrimo"_s); break;
        case Step::Next: e.click(u"cmdPrimo"_s); e.click(u"cmdAvanti"_s); break;
        case Step::Last: e.click(u"cmdUltimo"_s); break;
        case Step::NextAtEnd: e.click(u"cmdUltimo"_s); e.click(u"cmdAvanti"_s); break;
        case Step::Show2: e.editor->show(2); break;
        case Step::Show3: e.editor->show(3); break;
        case Step::SaveFails:
            e.path = e.folder.file(u"manca/Prova.dat"_s);
            [[fallthrough]];
        case Step::SaveNew:
        case Step::SaveRefused:
            e.field(u"txtNome"_s)->setText(u"Gamma"_s);
            e.click(u"cmdSalva"_s);
            break;
        }
        QCOMPARE(seen, calls);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("label");      // position label before the click
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("team");       // team name shown afterwards
        QTest::addColumn<QString>("labelAfter");
        QTest::addColumn<QString>("message");    // empty: no box
        QTest::addColumn<int>("kind");

        const QString onScreen = QStringLiteral("Sullo schermo");
        const int info = int(MessageKind::Information), error = int(MessageKind::Error), none = -1;

        QTest::newRow("first, empty") << 0 << "" << "cmdPrimo" << onScreen << "" << recordEditing::noRecordsMessage << info;
        QTest::newRow("last, empty, label kept") << 0 << "4" << "cmdUltimo" << onScreen << "4" << recordEditing::noRecordsMessage << info;
        QTest::newRow("next, empty, label emptied") << 0 << "4" << "cmdAvanti" << onScreen << "" << recordEditing::noRecordsMessage << info;
        QTest::newRow("previous, empty") << 0 << "" << "cmdIndietro" << onScreen << "" << recordEditing::noRecordsMessage << info;
        QTest::newRow("first, one entry") << 1 << "" << "cmdPrimo" << "Squadra 1" << "1" << "" << none;
        QTest::newRow("next on the only entry") << 1 << "1" << "cmdAvanti" << onScreen << "1" << "" << none;
        QTest::newRow("previous on the only entry") << 1 << "1" << "cmdIndietro" << onScreen << "1" << "" << none;
        QTest::newRow("last of three") << 3 << "" << "cmdUltimo" << "Squadra 3" << "3" << "" << none;
        QTest::newRow("next from a new entry") << 3 << "" << "cmdAvanti" << "Squadra 1" << "1" << "" << none;
        QTest::newRow("previous from a new entry") << 3 << "" << "cmdIndietro" << "Squadra 1" << "1" << "" << none;
        QTest::newRow("next") << 3 << "2" << "cmdAvanti" << "Squadra 3" << "3" << "" << none;
        QTest::newRow("previous") << 3 << "3" << "cmdIndietro" << "Squadra 2" << "2" << "" << none;
        QTest::newRow("next on the last entry") << 3 << "3" << "cmdAvanti" << onScreen << "3" << "" << none;
        QTest::newRow("previous on the first entry") << 3 << "1" << "cmdIndietro" << onScreen << "1" << "" << none;
        QTest::newRow("label not a number") << 3 << "x" << "cmdAvanti" << onScreen << "x" << recordEditing::archiveFailureMessage << error;
        QTest::newRow("label beyond the file") << 3 << "9" << "cmdIndietro" << onScreen << "9" << recordEditing::archiveFailureMessage << error;
    }

    // Moves from the position label, with the message of an empty archive.
    void navigation()
    {
        QFETCH(int, records);
        QFETCH(QString, label);
        QFETCH(QString, button);
        QFETCH(QString, team);
        QFETCH(QString, labelAfter);
        QFETCH(QString, message);
        QFETCH(int, kind);

        TinyEditor e(Editor::Team);
        QList<QByteArray> stored;
        for (int i = 1; i <= records; ++i)
            stored << tiny(QStringLiteral("Squadra %1").arg(i), QStringLiteral("%1,00").arg(i));
        e.store(stored);
        e.field(QStringLiteral("txtNome"))->setText(QStringLiteral("Sullo schermo"));
        e.position->setText(label);
        // The text on screen is a change; not saving it lets the move go on (asked only when the
        // move replaces the record, which the leave-command table checks).
        e.fake.answers = {platform::Answer::No};

        e.click(button);
        e.fake.messages.removeIf([](const ShownMessage& m) { return m.text == recordEditing::saveChangesQuestion; });
        QCOMPARE(e.field(QStringLiteral("txtNome"))->text(), team);
        QCOMPARE(e.position->text(), labelAfter);
        if (message.isEmpty()) {
            QCOMPARE(e.fake.messages.size(), 0);
        } else {
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.fake.lastMessage().kind, MessageKind(kind));
            QCOMPARE(e.fake.lastMessage().text, message);
        }
        if (team.startsWith(QStringLiteral("Squadra")))
            QCOMPARE(e.field(QStringLiteral("txtNota"))->text(), QStringLiteral("%1,00").arg(labelAfter));
    }

    void navigationReadsTheFileEveryTime()
    {
        TinyEditor e(Editor::Team);
        e.store({tiny(QStringLiteral("Aquile"))});
        e.click(QStringLiteral("cmdUltimo"));
        QCOMPARE(e.position->text(), QStringLiteral("1"));
        // Another installation adds an entry and changes the first one meanwhile.
        e.store({tiny(QStringLiteral("Aquile Rosse")), tiny(QStringLiteral("Falchi"))});
        e.click(QStringLiteral("cmdAvanti"));
        QCOMPARE(e.field(QStringLiteral("txtNome"))->text(), QStringLiteral("Falchi"));
        e.click(QStringLiteral("cmdIndietro"));
        QCOMPARE(e.field(QStringLiteral("txtNome"))->text(), QStringLiteral("Aquile Rosse"));
    }

    void missingFileIsCreatedByANavigationButton()
    {
        TinyEditor e(Editor::Team);
        QVERIFY(!QFileInfo::exists(e.path));
        e.click(QStringLiteral("cmdPrimo"));
        QCOMPARE(QFileInfo(e.path).size(), 0);
        QVERIFY(QFileInfo(e.path).isFile());
        QCOMPARE(e.fake.lastMessage().text, recordEditing::noRecordsMessage);
    }

    void duplicateRefusesAnUnsavedRecord()
    {
        for (Editor editor : {Editor::Team, Editor::Player}) {
            TinyEditor e(editor);
            e.editor->newRecord();
            e.field(u"txtNome"_s)->setText(u"Nuova"_s);
            e.click(u"cmdDuplica"_s);
            QCOMPARE(e.fake.messages.size(), 1);
            QCOMPARE(e.fake.lastMessage().kind, MessageKind::Warning);
            QCOMPARE(e.fake.lastMessage().text, recordEditing::duplicateUnsavedMessage);
            QVERIFY(!QFileInfo::exists(e.path));
        }
    }

    // The real question boxes, in Italian: the leave question answers Sì on Enter and Annulla on
    // Esc; a question whose Yes cannot be undone answers No on Enter.
    void realQuestionBoxes_data()
    {
        using platform::Answer;
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<Answer>("preset");
        QTest::addColumn<int>("key");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("buttons");
        const QStringList three{u"&S\u00EC"_s, u"&No"_s, u"Annulla"_s};
        QTest::newRow("leave question, Enter") << true << Answer::Yes << int(Qt::Key_Return) << Answer::Yes << three;
        QTest::newRow("leave question, Esc") << true << Answer::Yes << int(Qt::Key_Escape) << Answer::Cancel << three;
        QTest::newRow("delete question, Enter") << false << Answer::No << int(Qt::Key_Return) << Answer::No
                                                << QStringList{u"&S\u00EC"_s, u"&No"_s};
    }
    void realQuestionBoxes()
    {
        QFETCH(bool, cancel);
        QFETCH(platform::Answer, preset);
        QFETCH(int, key);
        QFETCH(platform::Answer, answer);
        QFETCH(QStringList, buttons);
        QVERIFY(qtTranslations::install());
        TinyEditor e(Editor::Team);
        installWidgetPlatform();
        e.window.show();
        QStringList seen;
        QTimer::singleShot(50, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            for (QAbstractButton* button : box->buttons())
                seen << button->text();
            QTest::keyClick(box, Qt::Key(key));
        });
        QCOMPARE(platform::askBox(recordEditing::saveChangesQuestion, {cancel, preset}, &e.window), answer);
        seen.sort();
        buttons.sort();
        QCOMPARE(seen, buttons);
    }

    // Saving takes the focus from the field being edited (so it finishes), then gives it back:
    // also after a real modal box, which the user closes before typing on.
    void focusComesBackAfterSave_data()
    {
        QTest::addColumn<bool>("realBox");
        QTest::newRow("test double") << false;
        QTest::newRow("real message box") << true;
    }

    void focusComesBackAfterSave()
    {
        QFETCH(bool, realBox);
        TinyEditor e(Editor::Team);
        if (realBox)
            installWidgetPlatform();  // real message boxes
        e.window.show();
        QApplication::setActiveWindow(&e.window);
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        e.editor->newRecord();
        QTest::keyClicks(e.field(u"txtNome"_s), u"Delta"_s);
        e.field(u"txtNota"_s)->setFocus();
        QTest::keyClicks(e.field(u"txtNota"_s), u"qua"_s);

        bool boxSeen = false;
        if (realBox) {
            QTimer::singleShot(50, [&boxSeen] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                boxSeen = box != nullptr;
                if (box)
                    box->accept();
            });
        }
        QTest::keyClick(&e.window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(boxSeen, realBox);
        // What a window manager does once the box has gone.
        QApplication::setActiveWindow(&e.window);
        QVERIFY(QTest::qWaitForWindowActive(&e.window));
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(e.field(u"txtNota"_s)));
        QTest::keyClicks(QApplication::focusWidget(), u"ttro"_s);
        QCOMPARE(e.field(u"txtNota"_s)->text(), u"quattro"_s);
        QCOMPARE(e.stored(), QList<QByteArray>{tiny(u"Delta"_s, u"qua"_s)});
    }
};

QTEST_MAIN(TestEditorCommands)
#include "tst_editorcommands.moc"

// Ritira / Riammetti in the three record editors: the question, the band, the fields kept from
// typing, the mark beside the archive, and another station withdrawing or saving meanwhile. The
// archive itself is never written.
#include "app/ProgramFolder.h"
#include "common/RecordEditor.h"
#include "editor/RecordEditing.h"
#include "players/Giocatori.h"
#include "storage/PlayerRecord.h"
#include "storage/RecordValues.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"
#include "teams/Squadre.h"
#include "tournament/Torneo.h"
#include "withdrawal/WithdrawalMarks.h"

#include "EditorFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

using platform::Answer;
using platform::MessageKind;

namespace {

const QDate march12(2027, 3, 12);

QByteArray content(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void store(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

enum class Kind { Tournament, Teams, Players };

// What differs between the three editors for these tests.
struct Traits {
    Screen screen;
    QString archive;
    QString nameField;   // the record field the first text box shows
    QString nameBox;     // its object name
    const RecordFormat& format;
};

Traits traits(Kind kind)
{
    switch (kind) {
    case Kind::Tournament:
        return {Screen::TournamentEditor, QStringLiteral("Coppa Estate.vai"), QStringLiteral("Concorrente"),
                QStringLiteral("txtConcorrente"), formatOf<TournamentRecord>()};
    case Kind::Teams:
        return {Screen::TeamArchive, programFolder::teamArchiveName, QStringLiteral("Squadra"),
                QStringLiteral("txtSquadra"), formatOf<TeamRecord>()};
    case Kind::Players:
        break;
    }
    return {Screen::PlayerArchive, programFolder::playerArchiveName, QStringLiteral("Giocatore"),
            QStringLiteral("txtGiocatore"), formatOf<PlayerRecord>()};
}

// Three records the editor can save as they are.
QByteArray threeRecords(Kind kind)
{
    const Traits t = traits(kind);
    QByteArray bytes;
    for (const QString& name : {QStringLiteral("Aquile"), QStringLiteral("Falchi"), QStringLiteral("Grifoni")}) {
        RecordValues values{{t.nameField, name}};
        if (kind == Kind::Players) {
            values.insert(QStringLiteral("Sesso"), QStringLiteral("M"));
            values.insert(QStringLiteral("Squadra"), QStringLiteral("Aquile"));
            values.insert(QStringLiteral("Tessera"), QStringLiteral("T-1"));
            values.insert(QStringLiteral("ScadTessera"), QStringLiteral("30/06/2027"));
            values.insert(QStringLiteral("ScadCertificato"), QStringLiteral("31/01/2027"));
        }
        if (kind == Kind::Tournament)
            values.insert(QStringLiteral("Punteggio"), QStringLiteral("3,00"));
        bytes += t.format.encode(values);
    }
    return bytes;
}

// One of the three editors on its own program folder, showing record 2 of three.
template <typename ScreenType>
struct Station : EditorFixture<ScreenType, TeamRecord> {
    Kind kind;
    Traits t;
    QByteArray archive;

    explicit Station(Kind k)
        : EditorFixture<ScreenType, TeamRecord>(traits(k).screen, traits(k).archive)
        , kind(k)
        , t(traits(k))
        , archive(threeRecords(k))
    {
        if constexpr (std::is_same_v<ScreenType, TfrmTorneo>)
            this->screen.setTournament(this->path, QStringLiteral("Coppa Estate"));
        store(this->path, archive);
        this->fake.now = QDateTime(march12, QTime(9, 0));
    }

    bool showSecond()
    {
        if (!this->open())
            return false;
        this->click(QStringLiteral("cmdPrimo"));
        this->click(QStringLiteral("cmdAvanti"));
        return position() == QStringLiteral("2");
    }
    QString position() const { return this->template find<QLabel>(QStringLiteral("lblPosizione"))->text(); }
    QLabel* band() const { return this->template find<QLabel>(QStringLiteral("lblRitirata")); }
    QLineEdit* name() const { return this->field(t.nameBox); }
    withdrawal::Marks marks() const { return withdrawal::read(this->path); }
};

}  // namespace

Q_DECLARE_METATYPE(Kind)

class TestWithdrawing : public QObject {
    Q_OBJECT

private slots:
    void editors_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("tournament entry") << Kind::Tournament;
        QTest::newRow("team") << Kind::Teams;
        QTest::newRow("player") << Kind::Players;
    }

    void withdrawAndBringBack_data() { editors_data(); }
    void withdrawAndBringBack()
    {
        QFETCH(Kind, kind);
        switch (kind) {
        case Kind::Tournament:
            return withdrawAndBringBackIn<TfrmTorneo>(kind);
        case Kind::Teams:
            return withdrawAndBringBackIn<TfrmSquadre>(kind);
        case Kind::Players:
            return withdrawAndBringBackIn<TfrmGiocatori>(kind);
        }
    }

    void anotherStationWithdrawsWhileEditing_data() { editors_data(); }
    void anotherStationWithdrawsWhileEditing()
    {
        QFETCH(Kind, kind);
        switch (kind) {
        case Kind::Tournament:
            return anotherStationWithdrawsIn<TfrmTorneo>(kind);
        case Kind::Teams:
            return anotherStationWithdrawsIn<TfrmSquadre>(kind);
        case Kind::Players:
            return anotherStationWithdrawsIn<TfrmGiocatori>(kind);
        }
    }

    void anotherStationSavesBeforeTheWithdrawal_data() { editors_data(); }
    void anotherStationSavesBeforeTheWithdrawal()
    {
        QFETCH(Kind, kind);
        switch (kind) {
        case Kind::Tournament:
            return anotherStationSavesIn<TfrmTorneo>(kind);
        case Kind::Teams:
            return anotherStationSavesIn<TfrmSquadre>(kind);
        case Kind::Players:
            return anotherStationSavesIn<TfrmGiocatori>(kind);
        }
    }

private:
    template <typename ScreenType>
    void withdrawAndBringBackIn(Kind kind)
    {
        Station<ScreenType> s(kind);
        QVERIFY(s.showSecond());
        auto* button = s.template find<PictureButton>(QStringLiteral("cmdRitira"));
        QCOMPARE(button->toolTip(), recordEditing::withdrawHint + QStringLiteral("\nScorciatoia da tastiera: Ctrl+R"));
        QVERIFY(!s.band()->isVisible());

        // The question defaults to No: Enter leaves the record as it was.
        s.fake.messages.clear();
        s.click(QStringLiteral("cmdRitira"));
        QCOMPARE(s.fake.messages.size(), 1);
        QCOMPARE(s.fake.lastMessage().kind, MessageKind::Question);
        QCOMPARE(s.fake.lastMessage().text, recordEditing::withdrawQuestion);
        QCOMPARE(s.fake.lastMessage().choices.preset, Answer::No);
        QVERIFY(!QFileInfo::exists(withdrawal::marksPath(s.path)));

        s.fake.answers = {Answer::Yes};
        s.click(QStringLiteral("cmdRitira"));
        QCOMPARE(s.fake.lastMessage().text, recordEditing::withdrawnMessage);
        QVERIFY(s.band()->isVisible());
        QCOMPARE(s.band()->text(), QStringLiteral("Ritirata il 12/03/2027"));
        QVERIFY(s.name()->isReadOnly());
        QCOMPARE(s.marks().date(2), march12);
        QCOMPARE(button->hint(), recordEditing::bringBackHint);
        QCOMPARE(content(s.path), s.archive);

        // The band follows the record: another record is editable, the withdrawn one is not.
        s.click(QStringLiteral("cmdPrimo"));
        QVERIFY(!s.band()->isVisible());
        QVERIFY(!s.name()->isReadOnly());
        s.click(QStringLiteral("cmdAvanti"));
        QVERIFY(s.band()->isVisible());
        QVERIFY(s.name()->isReadOnly());

        // Riammetti, by its key this time.
        s.fake.answers = {Answer::Yes};
        s.name()->setFocus();
        QTest::keySequence(s.name(), QKeySequence(Qt::CTRL | Qt::Key_R));
        QCOMPARE(s.fake.lastMessage().text, recordEditing::broughtBackMessage);
        QCOMPARE(s.fake.messages.at(s.fake.messages.size() - 2).text, recordEditing::bringBackQuestion);
        QVERIFY(!s.band()->isVisible());
        QVERIFY(!s.name()->isReadOnly());
        QVERIFY(s.marks().isEmpty());
        QCOMPARE(content(s.path), s.archive);

        // A record not saved yet cannot be withdrawn.
        s.click(QStringLiteral("cmdNuovo"));
        s.click(QStringLiteral("cmdRitira"));
        QCOMPARE(s.fake.lastMessage().text, recordEditing::withdrawUnsavedMessage);
    }

    // Station A edits record 2; another station withdraws it. A's save is refused with the
    // question about a record changed elsewhere, and the reload shows it withdrawn.
    template <typename ScreenType>
    void anotherStationWithdrawsIn(Kind kind)
    {
        Station<ScreenType> s(kind);
        QVERIFY(s.showSecond());
        s.name()->setText(QStringLiteral("Falchi Neri"));
        QCOMPARE(withdrawal::apply(s.path, s.t.format.size, {{2, withdrawal::Action::Withdraw, {}, {}}}, march12),
                 withdrawal::Outcome::Done);

        s.fake.messages.clear();
        s.fake.answers = {Answer::Yes};
        s.click(QStringLiteral("cmdSalva"));
        QCOMPARE(s.fake.messages.size(), 1);
        QCOMPARE(s.fake.lastMessage().text, recordEditing::changedElsewhereQuestion);
        QCOMPARE(content(s.path), s.archive);
        QCOMPARE(s.name()->text(), QStringLiteral("Falchi"));
        QVERIFY(s.band()->isVisible());
        QVERIFY(s.name()->isReadOnly());
    }

    // Station A shows record 2; another station saves a change to it. A's withdrawal is refused
    // with the same question, and no mark is written.
    template <typename ScreenType>
    void anotherStationSavesIn(Kind kind)
    {
        Station<ScreenType> s(kind);
        QVERIFY(s.showSecond());
        QByteArray theirs = s.archive;
        RecordValues values = s.t.format.decode(QByteArrayView(s.archive).sliced(s.t.format.size, s.t.format.size));
        values.insert(s.t.nameField, QStringLiteral("Falchi Reali"));
        theirs.replace(s.t.format.size, s.t.format.size, s.t.format.encode(values));
        store(s.path, theirs);

        s.fake.messages.clear();
        s.fake.answers = {Answer::Yes, Answer::No};
        s.click(QStringLiteral("cmdRitira"));
        QCOMPARE(s.fake.messages.size(), 2);
        QCOMPARE(s.fake.lastMessage().text, recordEditing::changedElsewhereQuestion);
        QVERIFY(s.marks().isEmpty());
        QCOMPARE(content(s.path), theirs);
        QVERIFY(!s.band()->isVisible());
    }
};

QTEST_MAIN(TestWithdrawing)
#include "tst_withdrawing.moc"

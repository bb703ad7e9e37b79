#include "storage/ArchiveError.h"
#include "storage/PlayerRecord.h"
#include "storage/RecordValues.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"

#include "storage_fixtures.h"

#include <QTest>

using fixtures::recordWith;

namespace {

// Each record's fields in the documented order, written out here rather than taken from the code.
QStringList fieldsInOrder(const TournamentRecord& r)
{
    return {r.Concorrente, r.Responsabile, r.Telefono, r.Email, r.Gare, r.Punteggio, r.Note, r.Completato};
}

QStringList fieldsInOrder(const TeamRecord& r)
{
    return {r.Squadra, r.Colori, r.Sede, r.Campo, r.Presidente, r.Allenatore, r.Capitano,
            r.Capocannoniere, r.Portieri, r.Difensori, r.Centrocampisti, r.Attaccanti, r.Fondazione,
            r.Fondatore, r.Responsabile, r.Telefono, r.Email, r.Palmares, r.Note, r.Selezionata,
            r.File01, r.File02, r.File03, r.Desc01, r.Desc02, r.Desc03};
}

QStringList fieldsInOrder(const PlayerRecord& r)
{
    return {r.Giocatore, r.Sesso, r.DataNasc, r.Cittadinanza, r.LuogoNasc, r.Indirizzo, r.Citta,
            r.Cap, r.Nazione, r.CodFisc, r.Squadra, r.Maglia, r.Ruolo, r.Altezza, r.Peso, r.Piede,
            r.Email, r.Tel, r.Cel, r.Tessera, r.ScadTessera, r.ScadCertificato, r.Presenze, r.Reti,
            r.Riconoscimenti, r.Ammonizioni, r.Espulsioni, r.Infortuni, r.Note, r.File01, r.File02,
            r.File03, r.Desc01, r.Desc02, r.Desc03};
}

// The fields the byte-level rows below write.
QString* fieldNamed(TournamentRecord& r, const QString& name)
{
    if (name == u"Concorrente") return &r.Concorrente;
    if (name == u"Responsabile") return &r.Responsabile;
    if (name == u"Gare") return &r.Gare;
    if (name == u"Punteggio") return &r.Punteggio;
    return nullptr;
}

QString* fieldNamed(TeamRecord& r, const QString& name)
{
    if (name == u"Squadra") return &r.Squadra;
    if (name == u"Note") return &r.Note;
    if (name == u"Desc03") return &r.Desc03;
    return nullptr;
}

QString* fieldNamed(PlayerRecord& r, const QString& name)
{
    if (name == u"Giocatore") return &r.Giocatore;
    if (name == u"Sesso") return &r.Sesso;
    if (name == u"Citta") return &r.Citta;
    return nullptr;
}

// One distinct letter per field, so that even a one-character field can hold its marker.
QByteArray marker(int k)
{
    return QByteArray(1, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"[k - 1]);
}

// A record whose field number k (1-based) holds marker(k), placed by hand at its documented
// offset in the archive's own encoding.
QByteArray markedFields(int size, const QList<int>& offsets, TextEncoding encoding)
{
    QByteArray bytes(size, '\0');
    for (int k = 1; k <= offsets.size(); ++k) {
        const QByteArray text = encoding == TextEncoding::LengthPrefixed ? '\x01' + marker(k) : marker(k) + '\0';
        bytes.replace(offsets[k - 1], text.size(), text);
    }
    return bytes;
}

QStringList markers(int count)
{
    QStringList texts;
    for (int k = 1; k <= count; ++k)
        texts << QString::fromLatin1(marker(k));
    return texts;
}

template <typename Record>
void checkFieldsAtOffsets(const QList<int>& offsets, TextEncoding encoding)
{
    const QByteArray fixture = markedFields(Record::Size, offsets, encoding);
    const Record record = Record::fromBytes(fixture);
    QCOMPARE(fieldsInOrder(record), markers(offsets.size()));
    QCOMPARE(record.toBytes(), fixture);
}

template <typename Record>
void checkFieldBytes(const QString& field, int offset, const QString& text, const QByteArray& stored,
                     const QString& readBack)
{
    Record record;
    QString* member = fieldNamed(record, field);
    QVERIFY2(member, qPrintable(u"no test access to field "_qs + field));
    *member = text;

    const QByteArray bytes = record.toBytes();
    QCOMPARE(bytes.size(), Record::Size);
    QCOMPARE(bytes.mid(offset, stored.size()), stored);
    // Nothing outside the field's bytes: no spill into the neighbours.
    QByteArray rest = bytes;
    rest.replace(offset, stored.size(), QByteArray(stored.size(), '\0'));
    QCOMPARE(rest, QByteArray(Record::Size, '\0'));

    Record read = Record::fromBytes(bytes);
    QCOMPARE(*fieldNamed(read, field), readBack);

    // Packed, as an import keeps its new records, it comes back the same bytes, and the next one
    // starts right after it.
    const RecordFormat format = recordFormat(Record::Layout);
    QByteArray packed;
    format.packInto(bytes, packed);
    format.packInto(bytes, packed);
    QByteArray unpacked(2 * Record::Size, '\xAA');
    const char* next = format.unpackInto(packed.constData(), unpacked.data());
    QCOMPARE(format.unpackInto(next, unpacked.data() + Record::Size), packed.constData() + packed.size());
    QCOMPARE(unpacked, bytes + bytes);
}

}  // namespace

class TestRecords : public QObject {
    Q_OBJECT

private slots:
    void tournamentExample();
    void fieldsAtDocumentedOffsets_data();
    void fieldsAtDocumentedOffsets();
    void fieldBytes_data();
    void fieldBytes();
    void yesNoMarkRead_data();
    void yesNoMarkRead();
    void yesNoMarkWritten();
    void wrongSizeIsRejected_data();
    void wrongSizeIsRejected();
    void oneFieldReadAlone();
};

void TestRecords::tournamentExample()
{
    const QByteArray fixture = recordWith(5865, {
        {0, QByteArray::fromHex("41 71 75 69 6C 65 00")},
        {5345, QByteArray::fromHex("31 32 2C 35 30 00")},
        {5862, QByteArray::fromHex("53 EC 00")},
    });

    const TournamentRecord read = TournamentRecord::fromBytes(fixture);
    QCOMPARE(read.Concorrente, u"Aquile"_qs);
    QCOMPARE(read.Punteggio, u"12,50"_qs);
    QCOMPARE(read.Completato, u"Sì"_qs);
    QCOMPARE(read.completato(), YesNo::Yes);
    QVERIFY(read.Responsabile.isEmpty() && read.Gare.isEmpty() && read.Note.isEmpty());

    TournamentRecord entry;
    entry.Concorrente = u"Aquile"_qs;
    entry.Punteggio = u"12,50"_qs;
    entry.setCompletato(true);
    QCOMPARE(entry.toBytes(), fixture);
}

void TestRecords::fieldsAtDocumentedOffsets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QList<int>>("offsets");

    QTest::newRow("tournament") << u"tournament"_qs << QList<int>{0, 121, 242, 293, 344, 5345, 5361, 5862};
    QTest::newRow("team") << u"team"_qs
                          << QList<int>{0, 51, 102, 223, 274, 395, 516, 637, 758, 1009, 1260, 1511, 1762,
                                        1793, 1914, 2035, 2086, 2137, 2388, 2639, 2642, 2893, 3144, 3395,
                                        3646, 3897};
    QTest::newRow("player") << u"player"_qs
                            << QList<int>{0, 51, 53, 64, 115, 166, 287, 338, 349, 400, 417, 468,
                                          479, 530, 561, 592, 623, 674, 705, 736, 787, 798, 809, 816,
                                          823, 1074, 1081, 1088, 1339, 1590, 1841, 2092, 2343, 2594, 2845};
}

void TestRecords::fieldsAtDocumentedOffsets()
{
    QFETCH(QString, kind);
    QFETCH(QList<int>, offsets);

    if (kind == u"tournament")
        checkFieldsAtOffsets<TournamentRecord>(offsets, TextEncoding::ZeroTerminated);
    else if (kind == u"team")
        checkFieldsAtOffsets<TeamRecord>(offsets, TextEncoding::LengthPrefixed);
    else
        checkFieldsAtOffsets<PlayerRecord>(offsets, TextEncoding::LengthPrefixed);
}

// One field written into an otherwise empty record: its bytes at the documented offset and what
// a reader gets back.
void TestRecords::fieldBytes_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("readBack");

    const QString name120(120, u'A');
    QTest::newRow("tournament: 120-character name whole, zero in byte 120")
        << u"tournament"_qs << u"Concorrente"_qs << 0 << name120 << name120.toLatin1() + '\0' << name120;
    QTest::newRow("tournament: 121-character name cut")
        << u"tournament"_qs << u"Concorrente"_qs << 0 << name120 + u'B' << name120.toLatin1() + '\0' << name120;
    QTest::newRow("tournament: name kept with its blanks")
        << u"tournament"_qs << u"Concorrente"_qs << 0 << u" Aquile "_qs
        << QByteArray::fromHex("20 41 71 75 69 6C 65 20 00") << u" Aquile "_qs;
    QTest::newRow("tournament: contact person")
        << u"tournament"_qs << u"Responsabile"_qs << 121 << u"Rossi"_qs << QByteArray("Rossi\0", 6) << u"Rossi"_qs;
    QTest::newRow("tournament: matches cut to 5000")
        << u"tournament"_qs << u"Gare"_qs << 344 << QString(4998, u'x') + u"\r\nyz"_qs
        << QByteArray(4998, 'x') + "\r\n" + '\0' << QString(4998, u'x') + u"\r\n"_qs;
    QTest::newRow("tournament: points")
        << u"tournament"_qs << u"Punteggio"_qs << 5345 << u"12,50"_qs
        << QByteArray::fromHex("31 32 2C 35 30 00") << u"12,50"_qs;

    QTest::newRow("team: name trimmed, inner blanks kept")
        << u"team"_qs << u"Squadra"_qs << 0 << u"  A  B \t"_qs << QByteArray::fromHex("04 41 20 20 42") << u"A  B"_qs;
    QTest::newRow("team: character outside the code page")
        << u"team"_qs << u"Note"_qs << 2388 << u"Ω"_qs << QByteArray::fromHex("01 3F") << u"?"_qs;
    QTest::newRow("team: 251-character description keeps 250")
        << u"team"_qs << u"Desc03"_qs << 3897 << QString(250, u'd') + u'e'
        << char(250) + QByteArray(250, 'd') << QString(250, u'd');

    QTest::newRow("player: town with accented letter")
        << u"player"_qs << u"Citta"_qs << 287 << u"Città"_qs << QByteArray::fromHex("05 43 69 74 74 E0") << u"Città"_qs;
    QTest::newRow("player: 60-character name keeps 50, trimmed first")
        << u"player"_qs << u"Giocatore"_qs << 0 << u"  "_qs + QString(60, u'g')
        << char(50) + QByteArray(50, 'g') << QString(50, u'g');
    QTest::newRow("player: one-character field")
        << u"player"_qs << u"Sesso"_qs << 51 << u"MF"_qs << QByteArray::fromHex("01 4D") << u"M"_qs;
}

void TestRecords::fieldBytes()
{
    QFETCH(QString, kind);
    QFETCH(QString, field);
    QFETCH(int, offset);
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);

    if (kind == u"tournament")
        checkFieldBytes<TournamentRecord>(field, offset, text, stored, readBack);
    else if (kind == u"team")
        checkFieldBytes<TeamRecord>(field, offset, text, stored, readBack);
    else
        checkFieldBytes<PlayerRecord>(field, offset, text, stored, readBack);
}

void TestRecords::yesNoMarkRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<YesNo>("mark");

    QTest::newRow("tournament yes") << u"tournament"_qs << QByteArray::fromHex("53 EC 00") << YesNo::Yes;
    QTest::newRow("tournament no") << u"tournament"_qs << QByteArray::fromHex("4E 6F 00") << YesNo::No;
    QTest::newRow("tournament no with a blank") << u"tournament"_qs << QByteArray::fromHex("4E 6F 20") << YesNo::No;
    QTest::newRow("tournament empty") << u"tournament"_qs << QByteArray::fromHex("00 00 00") << YesNo::Neither;
    QTest::newRow("team yes") << u"team"_qs << QByteArray::fromHex("02 53 EC") << YesNo::Yes;
    QTest::newRow("team no") << u"team"_qs << QByteArray::fromHex("02 4E 6F") << YesNo::No;
    QTest::newRow("team 'Si' without accent") << u"team"_qs << QByteArray::fromHex("02 53 69") << YesNo::Neither;
    QTest::newRow("team empty") << u"team"_qs << QByteArray::fromHex("00 53 EC") << YesNo::Neither;
}

void TestRecords::yesNoMarkRead()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, stored);
    QFETCH(YesNo, mark);

    if (kind == u"tournament")
        QCOMPARE(TournamentRecord::fromBytes(recordWith(5865, {{5862, stored}})).completato(), mark);
    else
        QCOMPARE(TeamRecord::fromBytes(recordWith(4148, {{2639, stored}})).selezionata(), mark);
}

void TestRecords::yesNoMarkWritten()
{
    TeamRecord team;
    team.setSelezionata(true);
    QCOMPARE(team.toBytes().mid(2639, 3), QByteArray::fromHex("02 53 EC"));
    team.setSelezionata(false);
    QCOMPARE(team.toBytes().mid(2639, 3), QByteArray::fromHex("02 4E 6F"));

    TournamentRecord entry;
    entry.setCompletato(false);
    QCOMPARE(entry.toBytes().mid(5862, 3), QByteArray::fromHex("4E 6F 00"));
}

void TestRecords::wrongSizeIsRejected_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("size");

    for (const auto& [kind, size] : {std::pair{u"tournament"_qs, 5865}, {u"team"_qs, 4148}, {u"player"_qs, 3096}}) {
        QTest::addRow("%s, one byte short", qPrintable(kind)) << kind << size - 1;
        QTest::addRow("%s, one byte over", qPrintable(kind)) << kind << size + 1;
        QTest::addRow("%s, empty", qPrintable(kind)) << kind << 0;
    }
}

void TestRecords::wrongSizeIsRejected()
{
    QFETCH(QString, kind);
    QFETCH(int, size);

    const QByteArray bytes(size, 'a');
    if (kind == u"tournament")
        QVERIFY_THROWS_EXCEPTION(ArchiveError, TournamentRecord::fromBytes(bytes));
    else if (kind == u"team")
        QVERIFY_THROWS_EXCEPTION(ArchiveError, TeamRecord::fromBytes(bytes));
    else
        QVERIFY_THROWS_EXCEPTION(ArchiveError, PlayerRecord::fromBytes(bytes));
}

QTEST_APPLESS_MAIN(TestRecords)
// Reading one field straight from the bytes gives what decoding the whole record gives, in both
// encodings (length-prefixed texts lose their blanks around, zero-terminated ones keep them).
void TestRecords::oneFieldReadAlone()
{
    const auto check = [](const RecordFormat& format) {
        RecordValues values;
        for (const RecordFormat::Field& field : format.fields)
            values.insert(field.name, u" "_qs + field.name.left(field.capacity - 2) + u" "_qs);
        const QByteArray bytes = format.encode(values);
        const RecordValues decoded = format.decode(bytes);
        for (int i = 0; i < format.fields.size(); ++i)
            QCOMPARE(format.readField(bytes, i), decoded.value(format.fields.at(i).name));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, format.readField(bytes, int(format.fields.size())));
        QVERIFY_THROWS_EXCEPTION(ArchiveError, format.readField(bytes.left(10), 0));
    };
    check(recordFormat(TournamentRecord::Layout));
    QCOMPARE(recordFormat(TournamentRecord::Layout).readField(TournamentRecord{u" Aquile"_qs}.toBytes(), 0), u" Aquile"_qs);
    check(recordFormat(TeamRecord::Layout));
}

#include "tst_records.moc"

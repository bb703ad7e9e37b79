#include "storage/Cp1252.h"
#include "storage/TextField.h"
#include "storage/YesNo.h"

#include <QTest>

class TestTextField : public QObject {
    Q_OBJECT

private slots:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void highControlsAreFoundAnywhere();
    void everyByteSurvivesDecodeAndEncode();

    void writeText_data();
    void writeText();
    void readStoredField_data();
    void readStoredField();

    void yesNoFromText_data();
    void yesNoFromText();
    void yesNoTextIsStoredAsTheMarkBytes();
};

static QString fromUnits(std::initializer_list<char16_t> units)
{
    QString text;
    for (char16_t unit : units)
        text.append(QChar(unit));
    return text;
}

void TestTextField::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("plain ASCII") << u"Aquile 12,50"_qs << QByteArray("Aquile 12,50");
    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("accented letters") << u"Città perché"_qs << QByteArray::fromHex("43 69 74 74 E0 20 70 65 72 63 68 E9");
    QTest::newRow("yes mark") << u"Sì"_qs << QByteArray::fromHex("53 EC");
    QTest::newRow("no-break space and y diaeresis") << u"\u00A0\u00FF"_qs << QByteArray::fromHex("A0 FF");
    QTest::newRow("euro, quotes, dash, trade mark")
        << u"€ “x” – ™"_qs << QByteArray::fromHex("80 20 93 78 94 20 96 20 99");
    QTest::newRow("letters in the 80-9F block")
        << u"ŠŽšžŸŒœƒ"_qs << QByteArray::fromHex("8A 8E 9A 9E 9F 8C 9C 83");
    QTest::newRow("outside the code page") << u"ĀΩЖ"_qs << QByteArray("???");
    QTest::newRow("C1 controls whose byte is a printable character")
        << fromUnits({0x80, 0x9F, 0x85}) << QByteArray("???");
    QTest::newRow("the undefined bytes keep their value")
        << fromUnits({0x81, 0x8D, 0x8F, 0x90, 0x9D}) << QByteArray::fromHex("81 8D 8F 90 9D");
    QTest::newRow("surrogate pair is one character") << u"a😀b"_qs << QByteArray("a?b");
    QTest::newRow("lone surrogates") << fromUnits({0xD800, 'x', 0xDC00}) << QByteArray("?x?");
}

void TestTextField::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(cp1252::encode(text), bytes);
}

void TestTextField::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("accented letters") << QByteArray::fromHex("43 69 74 74 E0") << u"Città"_qs;
    QTest::newRow("euro and Y diaeresis") << QByteArray::fromHex("80 9F") << u"€Ÿ"_qs;
    QTest::newRow("quotes and ellipsis") << QByteArray::fromHex("91 92 85") << u"‘’…"_qs;
    QTest::newRow("undefined bytes") << QByteArray::fromHex("81 8D 8F 90 9D") << fromUnits({0x81, 0x8D, 0x8F, 0x90, 0x9D});
    QTest::newRow("zero byte is a character") << QByteArray::fromHex("41 00 42") << fromUnits({'A', 0, 'B'});
}

void TestTextField::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(cp1252::decode(bytes), text);
}

// Whole files are looked at eight bytes at a time: a byte 0x80 to 0x9F is decoded wherever it
// stands, and the bytes around it that only look alike stay Latin-1.
void TestTextField::highControlsAreFoundAnywhere()
{
    const QByteArray lookAlikes = QByteArray::fromHex("7F A0 C0 E0 41 FF");
    const auto decodedByByte = [](const QByteArray& bytes) {
        QString text;
        for (const char byte : bytes)
            text.append(QChar(cp1252::unit(byte)));
        return text;
    };
    for (int size = 1; size <= 24; ++size) {
        QByteArray plain;
        for (int i = 0; i < size; ++i)
            plain.append(lookAlikes.at(i % lookAlikes.size()));
        QCOMPARE(cp1252::decode(plain), decodedByByte(plain));
        for (int at = 0; at < size; ++at) {
            QByteArray bytes = plain;
            bytes[at] = static_cast<char>(0x80 + (at * 7) % 32);
            QCOMPARE(cp1252::decode(bytes), decodedByByte(bytes));
        }
    }
}

void TestTextField::everyByteSurvivesDecodeAndEncode()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    const QString text = cp1252::decode(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(cp1252::encode(text), all);
}

// Each row writes into a buffer pre-filled with AA so that unwritten padding and writes past
// the field both show.
void TestTextField::writeText_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("field");  // all N + 1 bytes
    QTest::addColumn<QString>("readBack");

    const auto P = TextEncoding::LengthPrefixed;
    const auto Z = TextEncoding::ZeroTerminated;

    QTest::newRow("prefixed: short text, zero padding")
        << P << 5 << u"Ab"_qs << QByteArray::fromHex("02 41 62 00 00 00") << u"Ab"_qs;
    QTest::newRow("prefixed: blanks and controls trimmed at both ends, kept inside")
        << P << 8 << u" \t Ab  c\r\n"_qs << QByteArray::fromHex("05 41 62 20 20 63 00 00 00") << u"Ab  c"_qs;
    QTest::newRow("prefixed: no-break space is not trimmed")
        << P << 3 << u"\u00A0x"_qs << QByteArray::fromHex("02 A0 78 00") << u"\u00A0x"_qs;
    QTest::newRow("prefixed: only blanks")
        << P << 3 << u"   "_qs << QByteArray::fromHex("00 00 00 00") << QString();
    QTest::newRow("prefixed: filled to capacity")
        << P << 5 << u"abcde"_qs << QByteArray::fromHex("05 61 62 63 64 65") << u"abcde"_qs;
    QTest::newRow("prefixed: longer text cut")
        << P << 5 << u"abcdefg"_qs << QByteArray::fromHex("05 61 62 63 64 65") << u"abcde"_qs;
    QTest::newRow("prefixed: cut ends in a blank, read trims it")
        << P << 4 << u"abc def"_qs << QByteArray::fromHex("04 61 62 63 20") << u"abc"_qs;
    QTest::newRow("prefixed: trimmed before cutting")
        << P << 3 << u"   xyz"_qs << QByteArray::fromHex("03 78 79 7A") << u"xyz"_qs;
    QTest::newRow("prefixed: accented letter is one byte")
        << P << 6 << u"Città"_qs << QByteArray::fromHex("05 43 69 74 74 E0 00") << u"Città"_qs;
    QTest::newRow("prefixed: outside the code page")
        << P << 4 << u"Ω😀"_qs << QByteArray::fromHex("02 3F 3F 00 00") << u"??"_qs;
    QTest::newRow("prefixed: capacity 1") << P << 1 << u"M"_qs << QByteArray::fromHex("01 4D") << u"M"_qs;

    QTest::newRow("terminated: stored as typed")
        << Z << 10 << u" Aquile "_qs << QByteArray::fromHex("20 41 71 75 69 6C 65 20 00 00 00") << u" Aquile "_qs;
    QTest::newRow("terminated: line breaks kept")
        << Z << 6 << u"a\r\nb"_qs << QByteArray::fromHex("61 0D 0A 62 00 00 00") << u"a\r\nb"_qs;
    QTest::newRow("terminated: filled to capacity, zero in the last byte")
        << Z << 5 << u"abcde"_qs << QByteArray::fromHex("61 62 63 64 65 00") << u"abcde"_qs;
    QTest::newRow("terminated: longer text cut")
        << Z << 5 << u"abcdefgh"_qs << QByteArray::fromHex("61 62 63 64 65 00") << u"abcde"_qs;
    QTest::newRow("terminated: yes mark") << Z << 2 << u"Sì"_qs << QByteArray::fromHex("53 EC 00") << u"Sì"_qs;
    QTest::newRow("terminated: empty") << Z << 3 << QString() << QByteArray::fromHex("00 00 00 00") << QString();
}

void TestTextField::writeText()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(int, capacity);
    QFETCH(QString, text);
    QFETCH(QByteArray, field);
    QFETCH(QString, readBack);

    const QByteArray guard(4, '\xAA');
    QByteArray buffer(capacity + 1, '\xAA');
    buffer += guard;
    ::writeText(buffer.data(), capacity, encoding, text);

    QCOMPARE(buffer.left(capacity + 1).toHex(' '), field.toHex(' '));
    QCOMPARE(buffer.mid(capacity + 1), guard);
    QCOMPARE(readText(buffer.constData(), capacity, encoding), readBack);
}

// Fields as another writer may have left them; `after` stands right behind the field and must
// never be read.
void TestTextField::readStoredField_data()
{
    QTest::addColumn<TextEncoding>("encoding");
    QTest::addColumn<int>("capacity");
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("text");

    const auto P = TextEncoding::LengthPrefixed;
    const auto Z = TextEncoding::ZeroTerminated;

    QTest::newRow("prefixed: bytes after the length ignored")
        << P << 5 << QByteArray::fromHex("02 41 62 58 58 58") << QByteArray("YY") << u"Ab"_qs;
    QTest::newRow("prefixed: length one above capacity")
        << P << 3 << QByteArray::fromHex("04 61 62 63") << QByteArray("d") << u"abc"_qs;
    QTest::newRow("prefixed: length byte FF")
        << P << 3 << QByteArray::fromHex("FF 61 62 63") << QByteArray("def") << u"abc"_qs;
    QTest::newRow("prefixed: stored blanks trimmed on reading")
        << P << 6 << QByteArray::fromHex("05 20 41 62 20 09 00") << QByteArray("Y") << u"Ab"_qs;
    QTest::newRow("prefixed: zero length") << P << 2 << QByteArray::fromHex("00 41 41") << QByteArray("Y") << QString();

    QTest::newRow("terminated: bytes after the zero ignored")
        << Z << 5 << QByteArray::fromHex("41 62 00 58 58 58") << QByteArray("YY") << u"Ab"_qs;
    QTest::newRow("terminated: no zero, the whole field and nothing more")
        << Z << 3 << QByteArray::fromHex("61 62 63 64") << QByteArray("ef") << u"abcd"_qs;
    QTest::newRow("terminated: blanks kept")
        << Z << 4 << QByteArray::fromHex("20 61 20 00 00") << QByteArray("Y") << u" a "_qs;
    QTest::newRow("terminated: Windows-1252 decoded")
        << Z << 3 << QByteArray::fromHex("80 E0 00 00") << QByteArray("Y") << u"€à"_qs;
}

void TestTextField::readStoredField()
{
    QFETCH(TextEncoding, encoding);
    QFETCH(int, capacity);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, after);
    QFETCH(QString, text);

    QCOMPARE(field.size(), capacity + 1);
    const QByteArray buffer = field + after;
    QCOMPARE(readText(buffer.constData(), capacity, encoding), text);
}

void TestTextField::yesNoFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<YesNo>("mark");

    QTest::newRow("yes") << u"Sì"_qs << YesNo::Yes;
    QTest::newRow("yes with blanks and line break") << u" Sì \r\n"_qs << YesNo::Yes;
    QTest::newRow("no") << u"No"_qs << YesNo::No;
    QTest::newRow("no with tab") << u"\tNo "_qs << YesNo::No;
    QTest::newRow("empty") << QString() << YesNo::Neither;
    QTest::newRow("yes without accent") << u"Si"_qs << YesNo::Neither;
    QTest::newRow("lower-case yes") << u"sì"_qs << YesNo::Neither;
    QTest::newRow("upper-case no") << u"NO"_qs << YesNo::Neither;
    QTest::newRow("accent lost to '?'") << u"S?"_qs << YesNo::Neither;
    QTest::newRow("both") << u"Sì No"_qs << YesNo::Neither;
}

void TestTextField::yesNoFromText()
{
    QFETCH(QString, text);
    QFETCH(YesNo, mark);
    QCOMPARE(::yesNoFromText(text), mark);
}

void TestTextField::yesNoTextIsStoredAsTheMarkBytes()
{
    QCOMPARE(cp1252::encode(yesNoText(true)), QByteArray::fromHex("53 EC"));
    QCOMPARE(cp1252::encode(yesNoText(false)), QByteArray::fromHex("4E 6F"));
    QCOMPARE(::yesNoFromText(yesNoText(true)), YesNo::Yes);
    QCOMPARE(::yesNoFromText(yesNoText(false)), YesNo::No);
}

QTEST_APPLESS_MAIN(TestTextField)
#include "tst_textfield.moc"

#include "app/PasswordStore.h"

#include "app/PasswordScrambler.h"
#include "text/TextRules.h"

#include "storage/DiskFile.h"
#include "storage/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>

namespace passwordStore {
namespace {

const QString sectionName = QStringLiteral("Accesso");
const QString keyName = QStringLiteral("Valore");

// Far more than any store needs; a larger file is not a store.
constexpr qint64 maxStoreBytes = 1 << 20;

// How the file's text is stored, so that a rewrite keeps it.
enum class Encoding { EightBit, Utf8WithMark, Utf16LE, Utf16BE };

struct StoreText {
    Encoding encoding = Encoding::EightBit;
    QString text;
};

// The text of the file. The values are hexadecimal digits, so 8-bit text is read as Latin-1;
// a byte-order mark says UTF-8 or UTF-16. Zero bytes without a mark, or a text that does not
// decode, are no store.
std::optional<StoreText> decodeStore(const QByteArray& bytes)
{
    const auto decode = [&](QStringConverter::Encoding encoding, qsizetype mark, Encoding kept) -> std::optional<StoreText> {
        // The mark is cut off here; a second one after it is text, and must stay for a rewrite.
        QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString text = decoder.decode(QByteArrayView(bytes).sliced(mark));
        if (decoder.hasError() || text.contains(QChar(0)))
            return std::nullopt;
        return StoreText{kept, std::move(text)};
    };
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return decode(QStringConverter::Utf8, 3, Encoding::Utf8WithMark);
    if (bytes.startsWith("\xFF\xFE"))
        return decode(QStringConverter::Utf16LE, 2, Encoding::Utf16LE);
    if (bytes.startsWith("\xFE\xFF"))
        return decode(QStringConverter::Utf16BE, 2, Encoding::Utf16BE);
    if (bytes.contains('\0'))
        return std::nullopt;
    return StoreText{Encoding::EightBit, QString::fromLatin1(bytes)};
}

QByteArray encodeStore(const StoreText& store)
{
    switch (store.encoding) {
    case Encoding::EightBit:
        return store.text.toLatin1();
    case Encoding::Utf8WithMark:
        return "\xEF\xBB\xBF" + store.text.toUtf8();
    case Encoding::Utf16LE:
    case Encoding::Utf16BE: {
        const bool little = store.encoding == Encoding::Utf16LE;
        QStringEncoder encoder(little ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return QByteArray(little ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encoder.encode(store.text));
    }
    }
    return {};
}

// The store's bytes, or nullopt when it exists but cannot be read. A missing store is an empty one.
std::optional<QByteArray> readStore(const QString& storePath)
{
    if (!DiskFile::exists(storePath))
        return QByteArray();
    DiskFile file;
    if (!file.open(storePath, DiskFile::Access::Read))
        return std::nullopt;
    const qint64 size = file.size();
    if (size < 0 || size > maxStoreBytes)
        return std::nullopt;
    QByteArray bytes(size, Qt::Uninitialized);
    if (!file.readAt(0, bytes.data(), size))
        return std::nullopt;
    return bytes;
}

// One line and the line end that followed it (CR LF, LF, CR or nothing), as the file had them.
struct Line {
    QString text;
    QString end;
};

QList<Line> splitLines(const QString& text)
{
    QList<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype endLength = (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ? 2 : 1;
        lines.append({text.mid(start, i - start), text.mid(i, endLength)});
        i += endLength - 1;
        start = i + 1;
    }
    if (start < text.size())
        lines.append({text.mid(start), QString()});
    return lines;
}

QString joinLines(const QList<Line>& lines)
{
    QString text;
    for (const Line& line : lines)
        text += line.text + line.end;
    return text;
}

bool isSectionHeader(const QString& line) { return line.trimmed().startsWith(QLatin1Char('[')); }

bool isOurSection(const QString& line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))
        && t.mid(1, t.size() - 2).trimmed().compare(sectionName, Qt::CaseInsensitive) == 0;
}

bool isOurKey(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq >= 0 && line.left(eq).trimmed().compare(keyName, Qt::CaseInsensitive) == 0;
}

// Indices of the key's lines inside every "Accesso" section, in file order; `firstSection` gets
// the index of the first such section's header (-1 when there is none).
QList<qsizetype> keyLines(const QList<Line>& lines, qsizetype* firstSection)
{
    QList<qsizetype> found;
    *firstSection = -1;
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isSectionHeader(lines[i].text)) {
            inside = isOurSection(lines[i].text);
            if (inside && *firstSection < 0)
                *firstSection = i;
        } else if (inside && isOurKey(lines[i].text)) {
            found.append(i);
        }
    }
    return found;
}

// The line end the file uses most, CR LF for a new file.
QString usualLineEnd(const QList<Line>& lines)
{
    QHash<QString, int> seen;
    for (const Line& line : lines) {
        if (!line.end.isEmpty())
            ++seen[line.end];
    }
    QString usual = QStringLiteral("\r\n");
    int most = 0;
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        if (it.value() > most || (it.value() == most && it.key() == u"\r\n")) {
            most = it.value();
            usual = it.key();
        }
    }
    return usual;
}

}  // namespace

std::optional<QString> valueIn(const QByteArray& storeBytes)
{
    const std::optional<StoreText> store = decodeStore(storeBytes);
    if (!store)
        return std::nullopt;
    const QList<Line> lines = splitLines(store->text);
    qsizetype section = -1;
    const QList<qsizetype> keys = keyLines(lines, &section);
    if (keys.isEmpty())
        return QString();
    const QString& line = lines[keys.front()].text;
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

std::optional<QByteArray> withValue(const QByteArray& storeBytes, const QString& value)
{
    std::optional<StoreText> store = decodeStore(storeBytes);
    if (!store)
        return std::nullopt;
    QList<Line> lines = splitLines(store->text);
    const QString eol = usualLineEnd(lines);
    const QString entry = keyName + QLatin1Char('=') + value;

    qsizetype section = -1;
    const QList<qsizetype> keys = keyLines(lines, &section);
    // Every copy of the key gets the value, so no reader can find an old one.
    for (qsizetype at : keys)
        lines[at].text = entry;
    if (keys.isEmpty() && section >= 0) {
        qsizetype insertAt = section + 1;
        for (qsizetype i = section + 1; i < lines.size() && !isSectionHeader(lines[i].text); ++i) {
            if (!lines[i].text.trimmed().isEmpty())
                insertAt = i + 1;
        }
        if (lines[insertAt - 1].end.isEmpty())
            lines[insertAt - 1].end = eol;
        lines.insert(insertAt, {entry, eol});
    } else if (keys.isEmpty()) {
        // A new section goes at the end, after the last line that carries anything.
        while (!lines.isEmpty() && lines.back().text.trimmed().isEmpty())
            lines.removeLast();
        if (!lines.isEmpty() && lines.back().end.isEmpty())
            lines.back().end = eol;
        lines.append({QLatin1Char('[') + sectionName + QLatin1Char(']'), eol});
        lines.append({entry, eol});
    }
    store->text = joinLines(lines);
    return encodeStore(*store);
}

std::optional<QString> readValue(const QString& storePath)
{
    const std::optional<QByteArray> bytes = readStore(storePath);
    return bytes ? valueIn(*bytes) : std::nullopt;
}

bool writeValue(const QString& storePath, const QString& value)
{
    const std::optional<QByteArray> bytes = readStore(storePath);
    const std::optional<QByteArray> changed = bytes ? withValue(*bytes, value) : std::nullopt;
    return changed && wholeFile::write(storePath, *changed);
}

}  // namespace passwordStore

namespace accessControl {
namespace {

// The stored password, decoded and trimmed; nullopt when it cannot be read or decoded.
std::optional<QString> storedPassword(const QString& storePath)
{
    const std::optional<QString> value = passwordStore::readValue(storePath);
    if (!value)
        return std::nullopt;
    const std::optional<QString> decoded = passwordScrambler::decode(*value);
    if (!decoded)
        return std::nullopt;
    return trimControls(*decoded);
}

}  // namespace

LoginResult checkLogin(const QString& storePath, const QString& typed)
{
    if (!QFileInfo::exists(storePath) && !QFileInfo(storePath).isSymLink())
        return LoginResult::StoreMissing;
    const std::optional<QString> stored = storedPassword(storePath);
    if (!stored)
        return LoginResult::StoreUnreadable;
    return *stored == normalisedPassword(typed) ? LoginResult::Accepted : LoginResult::Wrong;
}

QString storeMissingMessage(const QString& storePath)
{
    return QStringLiteral("Attenzione: nella cartella dei dati manca il file delle password:\r\n%1\r\n\r\n"
                          "Copiare in quella cartella il file %2 che accompagna i suoi archivi.")
        .arg(QDir::toNativeSeparators(storePath), QFileInfo(storePath).fileName());
}

ChangeResult changePassword(const QString& storePath, const QString& oldTyped,
                            const QString& newTyped, const QString& confirmTyped)
{
    const std::optional<QString> stored = storedPassword(storePath);
    if (!stored)
        return ChangeResult::StoreFailure;
    if (*stored != normalisedPassword(oldTyped))
        return ChangeResult::WrongOldPassword;
    if (trimControls(newTyped) != trimControls(confirmTyped))
        return ChangeResult::NotConfirmed;
    const QString newPassword = normalisedPassword(newTyped);
    if (newPassword.size() > 255)
        return ChangeResult::TooLong;
    for (QChar c : newPassword) {
        if (c.unicode() > 255)
            return ChangeResult::UnsupportedCharacter;
    }
    if (!passwordStore::writeValue(storePath, passwordScrambler::encode(newPassword)))
        return ChangeResult::StoreFailure;
    return ChangeResult::Changed;
}

}  // namespace accessControl

#include "app/PasswordStore.h"

#include "app/PasswordScrambler.h"
#include "text/TextRules.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace passwordStore {
namespace {

const QString sectionName = QStringLiteral("Accesso");
const QString keyName = QStringLiteral("Valore");

bool isSectionHeader(const QString& line) { return line.trimmed().startsWith(QLatin1Char('[')); }

bool isOurSection(const QString& line)
{
    const QString t = line.trimmed();
    return t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))
        && t.mid(1, t.size() - 2).trimmed().compare(sectionName, Qt::CaseInsensitive) == 0;
}

// The key of a "key=value" line, or an empty text.
QString keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? QString() : line.left(eq).trimmed();
}

// Line index range [begin, end) of the section's body, or begin = -1 when it is missing.
std::pair<qsizetype, qsizetype> sectionBody(const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!isOurSection(lines[i]))
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !isSectionHeader(lines[end]))
            ++end;
        return {i + 1, end};
    }
    return {-1, -1};
}

qsizetype keyLine(const QStringList& lines, qsizetype begin, qsizetype end)
{
    for (qsizetype i = begin; i < end; ++i) {
        if (keyOf(lines[i]).compare(keyName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

}  // namespace

std::optional<QString> readValue(const QString& storePath)
{
    QFile file(storePath);
    if (!file.exists())
        return QString();
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'));
    const auto [begin, end] = sectionBody(lines);
    if (begin < 0)
        return QString();
    const qsizetype at = keyLine(lines, begin, end);
    if (at < 0)
        return QString();
    const QString& line = lines[at];
    return line.mid(line.indexOf(QLatin1Char('=')) + 1).trimmed();
}

bool writeValue(const QString& storePath, const QString& value)
{
    QByteArray original;
    {
        QFile file(storePath);
        if (file.exists()) {
            if (!file.open(QIODevice::ReadOnly))
                return false;
            original = file.readAll();
        }
    }
    const QString eol = original.contains("\r\n") || original.isEmpty() ? QStringLiteral("\r\n")
                                                                          : QStringLiteral("\n");
    QStringList lines = QString::fromLatin1(original).split(eol);
    if (lines.size() == 1 && lines.front().isEmpty())
        lines.clear();
    const QString entry = keyName + QLatin1Char('=') + value;

    const auto [begin, end] = sectionBody(lines);
    if (begin < 0) {
        // A new section goes at the end, after the last line that carries anything.
        while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
            lines.removeLast();
        lines << QLatin1Char('[') + sectionName + QLatin1Char(']') << entry << QString();
    } else if (const qsizetype at = keyLine(lines, begin, end); at >= 0) {
        lines[at] = entry;
    } else {
        qsizetype insertAt = end;
        while (insertAt > begin && lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        lines.insert(insertAt, entry);
    }

    // Written whole and then swapped in, so a failed write never leaves half a store behind.
    QSaveFile file(storePath);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(lines.join(eol).toLatin1());
    return file.commit();
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
    const std::optional<QString> stored = storedPassword(storePath);
    if (!stored)
        return LoginResult::StoreUnreadable;
    return *stored == normalisedPassword(typed) ? LoginResult::Accepted : LoginResult::Wrong;
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

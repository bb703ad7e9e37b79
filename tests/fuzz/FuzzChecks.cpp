#include "FuzzChecks.h"

#include "app/PasswordScrambler.h"
#include "app/PasswordStore.h"
#include "storage/PlayerRecord.h"
#include "storage/TeamRecord.h"
#include "storage/TournamentRecord.h"

namespace fuzzChecks {
namespace {

// Any bytes, made a record by cutting or padding: reading must not fail, and what it reads must
// be written and read back unchanged (the reader and the writer agree on every field).
template <typename Record>
QString recordRoundTrip(QByteArrayView data)
{
    QByteArray bytes = data.toByteArray().left(Record::Size);
    bytes.append(QByteArray(Record::Size - bytes.size(), '\0'));
    const QByteArray written = Record::fromBytes(bytes).toBytes();
    if (written.size() != Record::Size)
        return QStringLiteral("written record has %1 bytes").arg(written.size());
    if (Record::fromBytes(written).toBytes() != written)
        return QStringLiteral("a written record does not read back as itself");
    return {};
}

// Any bytes as the password store: reading must not fail; when the text can be read, setting a
// value leaves exactly that value to read, and setting it again changes nothing (the section is
// found and replaced, never added twice).
QString passwordStoreRoundTrip(QByteArrayView data)
{
    const QByteArray store = data.toByteArray();
    const std::optional<QString> value = passwordStore::valueIn(store);
    const std::optional<QByteArray> changed = passwordStore::withValue(store, QStringLiteral("4A4B"));
    if (value.has_value() != changed.has_value())
        return QStringLiteral("readable for reading but not for writing, or the reverse");
    if (!value)
        return {};
    passwordScrambler::decode(*value);
    if (passwordStore::valueIn(*changed) != std::optional<QString>(QStringLiteral("4A4B")))
        return QStringLiteral("the value set is not the value read");
    if (passwordStore::withValue(*changed, QStringLiteral("4A4B")) != changed)
        return QStringLiteral("setting the same value twice changed the store");
    return {};
}

}  // namespace

const QList<Target>& targets()
{
    static const QList<Target> list = {
        {"tournament_record", &recordRoundTrip<TournamentRecord>},
        {"team_record", &recordRoundTrip<TeamRecord>},
        {"player_record", &recordRoundTrip<PlayerRecord>},
        {"password_store", &passwordStoreRoundTrip},
    };
    return list;
}

}  // namespace fuzzChecks

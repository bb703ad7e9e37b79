#pragma once

#include <QString>
#include <optional>

// The password store: an INI-format text file (section "Accesso", key "Valore") holding the
// scrambled password. Writing changes only that value and keeps every other line of the file.
namespace passwordStore {

// The stored value; empty when the file, the section or the key is missing; nullopt when the
// file exists but cannot be read or its text cannot be decoded (or it is no regular file).
std::optional<QString> readValue(const QString& storePath);

// The same two steps on the store's bytes: the value they hold (nullopt when the text cannot be
// decoded), and the bytes with the value set (nullopt likewise).
std::optional<QString> valueIn(const QByteArray& storeBytes);
std::optional<QByteArray> withValue(const QByteArray& storeBytes, const QString& value);

// Sets the value, creating the file, the section or the key as needed, and keeps the rest of
// the file, its line ends and its byte-order mark. The new store is written beside the old one
// and put in its place only when it is whole on the disk. False when that cannot be done; the
// old store is then left as it was.
bool writeValue(const QString& storePath, const QString& value);

}  // namespace passwordStore

// Logging in and changing the password, decided without a window.
namespace accessControl {

enum class LoginResult { Accepted, Wrong, StoreMissing, StoreUnreadable };
LoginResult checkLogin(const QString& storePath, const QString& typed);

enum class ChangeResult {
    Changed,
    WrongOldPassword,
    NotConfirmed,      // new and confirmation differ (case-sensitive, after trimming)
    TooLong,           // more than 255 characters
    UnsupportedCharacter,  // a character above code 255 could never be matched again
    StoreFailure,      // the store cannot be read, decoded or written
};
// What the login says when the store at `storePath` is missing: it names the file and its folder.
QString storeMissingMessage(const QString& storePath);

ChangeResult changePassword(const QString& storePath, const QString& oldTyped,
                            const QString& newTyped, const QString& confirmTyped);

}  // namespace accessControl

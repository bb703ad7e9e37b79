#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// A folder written whole (a published tournament page): its files go, each through the checked
// writer, into a hidden new folder beside the target, and only when every one is on the disk does
// the new folder take the old one's place, in one step. A reader sees the old folder or the new
// one, never a mix; a failure or a crash leaves the old one as it was.
namespace wholeFolder {

class Writer {
public:
    // `ownNames` are the names this kind of folder holds (wildcards allowed, "*.ics"): an existing
    // folder at `folder` is replaced only when it holds nothing else, so a folder of the user's is
    // never thrown away.
    Writer(QString folder, QStringList ownNames);
    ~Writer();  // abandons an uncommitted folder
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // False with errorString() (Italian, for the user) when the target cannot be written: a file
    // or a link at its name, a folder of other files, a parent folder that refuses new files.
    bool open();
    bool write(const QString& name, QByteArrayView bytes);
    // Puts the new folder in place of the old one; false, the old folder untouched, on failure.
    bool commit();
    void abandon();

    QString errorString() const { return m_error; }

private:
    bool fail(const QString& why);

    QString m_folder;
    QStringList m_ownNames;
    QString m_staging;
    QString m_error;
};

}  // namespace wholeFolder

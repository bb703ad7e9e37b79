#pragma once

#include <QList>
#include <QString>

#include <functional>

// The folder Documenti_Allegati, shared by the team and player archives: attaching a file copies
// it there; records keep only its name. The name it is copied under is exactly the one a record
// stores and reads back, so that "Apri" and the overwrite question always find the right file.
namespace attachmentStore {

inline const QString folderName = QStringLiteral("Documenti_Allegati");

QString folder();
QString path(const QString& name);  // the file of that bare name in the folder

// The name a picked file is stored under: what a record keeps of `pickedName` (blanks and
// control characters trimmed, letters Windows-1252 cannot hold turned into "?", cut to the
// record field's length). Empty when nothing usable is left.
QString storedName(const QString& pickedName);

// A record that names an attached file.
struct Holder {
    enum class Archive { Team, Player };
    Archive archive = Archive::Team;
    qint64 position = 0;
    QString name;  // the team's or the player's name, as stored
};

// The records of the team and player archives that name the file `name` (archives that do not
// exist are not created).
QList<Holder> holders(const QString& name);

struct Attached {
    enum class Outcome {
        Copied,        // copied into the folder (a file of that name there was replaced)
        AlreadyThere,  // picked from inside the folder: used as it is
        KeptExisting,  // a file of that name was there and the user kept it
        Failed,        // folder or copy failed; whatever was stored under that name is unchanged
    };
    Outcome outcome = Outcome::Failed;
    QString name;     // the name the record keeps (for every outcome but Failed)
    bool renamed = false;  // `name` differs from the picked file's name beyond blanks
    QString error;    // why it failed
};

// Attaches `source` under its stored name. When a file of that name is already in the folder,
// `replaceExisting` is asked whether to overwrite it, with the records that name it. The copy
// goes through the checked writer, so a failed copy never leaves a broken or half file behind;
// only a regular file is read.
Attached attach(const QString& source, const std::function<bool(const QList<Holder>& holders)>& replaceExisting);

}  // namespace attachmentStore

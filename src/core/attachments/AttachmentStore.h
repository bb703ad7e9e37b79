#pragma once

#include <QString>

#include <functional>

// The folder Documenti_Allegati, shared by the team and player archives: attaching a file copies
// it there under its own name; records keep only that name.
namespace attachmentStore {

inline const QString folderName = QStringLiteral("Documenti_Allegati");

QString folder();
QString path(const QString& name);  // the file of that bare name in the folder

struct Attached {
    enum class Outcome {
        Copied,        // copied into the folder (a file of that name there was replaced)
        AlreadyThere,  // picked from inside the folder: used as it is
        KeptExisting,  // a file of that name was there and the user kept it
        Failed,        // folder or copy failed; whatever was stored under that name is unchanged
    };
    Outcome outcome = Outcome::Failed;
    QString name;  // the bare name the record keeps (for every outcome but Failed)
};

// Attaches `source`. When a different file of the same name is already in the folder,
// `replaceExisting` is asked whether to overwrite it. The copy is written aside and renamed over
// the old file, so a failed copy never leaves a broken or half file behind.
Attached attach(const QString& source, const std::function<bool()>& replaceExisting);

}  // namespace attachmentStore

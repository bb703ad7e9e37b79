#pragma once

#include <QString>
#include <QUrl>

// Hands a web address, a "mailto:" address or a document path to the desktop shell, which opens
// it with the user's default application. Callers wrap paths and addresses in double quotes (so
// a folder with blanks stays whole); the quotes are not part of what is opened.
class TMisc {
public:
    static void Open(const QString& commandLine);

    // What Open hands to the shell: mailto addresses keep their recipient and get their subject
    // and body percent-encoded; web addresses stay as they are; anything else is a local path.
    static QUrl urlFor(const QString& commandLine);
};

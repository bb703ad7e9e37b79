#pragma once

#include "output/ListRows.h"
#include "standings/Standings.h"

#include <QCoreApplication>
#include <QStringList>
#include <QtPlugin>

#include <memory>

// golvera-cli's PDF files as a plugin: the report engine and Qt's GUI library it needs (fonts,
// painting) are loaded only with --pdf, so that printing rows starts as quickly as a plain program.
// The plugin's root object implements this interface.
class PdfPlugin {
public:
    virtual ~PdfPlugin() = default;
    // The application the PDF needs, made in place of the plain one, before any other Qt object.
    virtual std::unique_ptr<QCoreApplication> application(int& argc, char** argv) = 0;
    // The printed standings, or a printed list of `lines` under `title`, written to `path`.
    // Returns the failure, empty on success.
    virtual QString writeStandings(standings::Kind kind, const QString& title, const QList<ListRow>& rows,
                                   const QString& path) = 0;
    virtual QString writeList(const QString& title, const QStringList& lines, const QString& path) = 0;
};

#define GolveraPdfPlugin_iid "example.golvera.PdfPlugin/1.0"
Q_DECLARE_INTERFACE(PdfPlugin, GolveraPdfPlugin_iid)

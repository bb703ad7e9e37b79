#pragma once

#include <QCommandLineOption>

class QCommandLineParser;

// What the program and golvera-cli share on their command lines.
namespace commandLine {

struct StandardOptions {
    QCommandLineOption help;
    QCommandLineOption version;
};

// -h/--help and -v/--version with Italian descriptions (Qt's own come in English); the caller
// answers them, since QCommandLineParser only answers its own.
StandardOptions addStandardOptions(QCommandLineParser& parser);

// The complaint about the first of `options` given with an empty value ("--cartella=" or
// "--cartella \"\""), which would otherwise silently mean the default; empty when there is none.
QString emptyValue(const QCommandLineParser& parser, const QList<QCommandLineOption>& options);

}  // namespace commandLine

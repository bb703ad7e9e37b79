#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// golvera-cli's "calendario" and "risultato": a tournament's matches one a line, a new calendar
// shown and (with --conferma) written, and a result recorded, as the calendar screen does them.
namespace matchCommands {

bool handles(const QStringList& arguments);

struct Options {
    QString dataFolder;
    std::optional<QString> round;  // --giornata
    std::optional<QString> team;   // --squadra
    std::optional<QString> pdf;    // --pdf
    bool doubleLeg = false;        // --andata-ritorno
    std::optional<QString> groups; // --gironi
    bool knockout = false;         // --eliminazione
    bool thirdPlace = false;       // --terzo-posto
    std::optional<QString> start;  // --inizio
    std::optional<QString> every;  // --ogni
    std::optional<QString> times;  // --orari
    std::optional<QString> fields; // --campi
    bool confirm = false;          // --conferma
    std::optional<QString> status;     // --stato
    std::optional<QString> penalties;  // --rigori
};

// The options only these commands take, for the caller to refuse them elsewhere.
QStringList ownOptions();

// Returns the exit code (0 done, 1 refused with its message and nothing written, 2 wrong usage).
int run(const QStringList& arguments, const Options& options);

}  // namespace matchCommands

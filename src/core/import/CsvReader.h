#pragma once

#include "import/Sheet.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Text files of comma-, semicolon- or tab-separated values, as RFC 4180 describes them and the
// spreadsheet programs write them: a field in double quotes may hold the separator, line breaks
// and doubled quotes; records end with CR LF, LF or CR. Both are told from the file itself.
namespace csvReader {

enum class Encoding { Utf8, Utf8WithByteOrderMark, Windows1252, Utf16 };

// UTF-8 when the bytes are valid UTF-8 (with or without a byte-order mark), Windows-1252 otherwise
// (what spreadsheet programs write with their usual settings on Italian systems); UTF-16 when the
// bytes start with its byte-order mark.
QString decode(QByteArrayView bytes, Encoding* found = nullptr);

// The separator the first record uses most, outside quotes: ';', '\t' or ','; ',' when none.
QChar separatorOf(QStringView text);

// The records as rows numbered from 1 (a record spanning lines is one row); fields keep their
// text as written, quotes removed. The rows share `text` for their cells' texts.
sheetImport::Sheet parse(QString text, QChar separator);

// The same rows as parse(), the records after the line feed at `split` read on a second core while
// this one reads those before. `split` is a guess: when it falls inside a quoted field, this core
// reads on past it and the other's work is dropped.
sheetImport::Sheet parseInTwo(QString text, QChar separator, qsizetype split);

// Decodes, finds the separator and parses; a large file in two parts.
sheetImport::Sheet read(QByteArrayView bytes);

}  // namespace csvReader

#pragma once

#include "import/Sheet.h"

#include <QByteArrayView>

// The program's own spreadsheet exports (".xls" files that are an HTML table in Windows-1252):
// every <tr> a row, every <td> a cell, character references resolved. Exports written before
// cell texts were escaped hold a raw "<" or "&" now and then; a cell runs to its "</td>" all the
// same.
namespace htmlTableReader {

// True when the bytes start like an HTML document.
bool looksLikeHtml(QByteArrayView bytes);

sheetImport::Sheet read(QByteArrayView bytes);

}  // namespace htmlTableReader

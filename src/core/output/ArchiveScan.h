#pragma once

#include <QByteArrayView>
#include <QString>

#include <functional>
#include <span>

// Reading an archive for a list, a search, an export or the standings: one pass over the records
// in file order. This is the only place where those screens meet archive failures; a failure
// ends the pass, keeps what was read before it and is reported as text, never thrown.
namespace archiveScan {

// Whether a pass hands over the withdrawn records too (exports, imports, attachments: an archive
// copy is an archive copy) or leaves them out (lists, searches, standings, expiry lists, counts).
enum class Withdrawn { Included, LeftOut };

// Opens the archive (creating it empty when missing, as every list does) and hands each record
// with its 1-based position to `visit`. Returns the failure's text, empty when all went well.
// The records are seen in place in a block just read, and nothing is allocated per record, so a
// visitor should read just the fields it needs. `touched` tells where in a record those fields
// start: they are fetched a few records ahead.
// Withdrawn records left out are never handed to `visit`; the marks are read before the pass.
QString visit(const QString& path, int recordSize,
              const std::function<void(qint64 position, QByteArrayView record)>& visit, std::span<const int> touched = {},
              Withdrawn withdrawn = Withdrawn::Included);

}  // namespace archiveScan

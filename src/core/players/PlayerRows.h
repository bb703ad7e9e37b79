#pragma once

#include <QByteArrayView>
#include <QString>

// The rows of the player lists: name, team, mobile, card number, a date and goals in fixed-width
// columns. The search and the expired-cards list show the card's expiry; the expired-certificates
// list shows the certificate's, with narrower name and card columns.
namespace playerRows {

// Straight from a stored record, reading only the fields the row shows, as the lists do for
// every record of the archive. Throw ArchiveError for bytes that are not one player record.
QString cardRow(QByteArrayView record);
QString certificateRow(QByteArrayView record);

}  // namespace playerRows

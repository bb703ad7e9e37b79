#pragma once

#include "output/ListRows.h"

#include <QByteArrayView>
#include <QString>

// The rows of the player lists: name, team, mobile, card number, a date and goals in fixed-width
// columns. The search and the expired-cards list show the card's expiry; the expired-certificates
// list shows the certificate's, with narrower name and card columns.
namespace playerRows {

// The two rows' columns over the player record's fields.
const listRows::Layout& cardLayout();
const listRows::Layout& certificateLayout();

// Straight from a stored record, reading only the fields the row shows. Throw ArchiveError for
// bytes that are not one player record.
QString cardRow(QByteArrayView record);
QString certificateRow(QByteArrayView record);

}  // namespace playerRows

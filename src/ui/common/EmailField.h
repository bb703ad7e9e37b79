#pragma once

class QAbstractButton;
class QLineEdit;

// The e-mail field of the record editors: trimmed while it is typed (a blank typed at either end
// disappears at once), and its button opens a new message to the address in the user's mail
// program; an empty field opens a message without a recipient.
namespace emailField {

void attach(QLineEdit* field, QAbstractButton* sendButton);

}  // namespace emailField

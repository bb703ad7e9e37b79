#pragma once

#include <QString>

#include <array>

// The three files attached to a team or player record: bare file names in the shared folder
// Documenti_Allegati of the program folder, each with a free description.
struct Attachment {
    QString file;
    QString description;

    bool operator==(const Attachment&) const = default;
};

using Attachments = std::array<Attachment, 3>;

// What an editor offers the attachments dialog: the values it holds for the record on screen,
// and taking new ones back when the user applies.
class AttachmentHolder {
public:
    virtual ~AttachmentHolder() = default;
    virtual Attachments attachments() const = 0;
    virtual void setAttachments(const Attachments& attachments) = 0;
};

namespace attachments {

// The record fields of slot `index` (0..2): "File01" and "Desc01" for the first.
QString fileField(int index);
QString descriptionField(int index);

}  // namespace attachments

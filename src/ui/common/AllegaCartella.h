#pragma once

#include "attachments/Attachments.h"

#include <QDialog>

class PictureButton;
class QLineEdit;
class QPushButton;

// "Allega file": up to three files attached to the record on screen in an archive editor, each
// with a description. The dialog edits a copy of the editor's values and gives them back only
// when the user applies; the files themselves are copied into the attachments folder at once.
class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* owner);

    // Opens the dialog on `holder`'s values; applying hands the edited values back to it.
    static void edit(QWidget* owner, AttachmentHolder& holder);

    void setAttachments(const Attachments& attachments);
    Attachments attachments() const;  // as on screen, trimmed

    void setHolder(AttachmentHolder* holder) { m_holder = holder; }

private:
    struct Slot {
        QLineEdit* file = nullptr;
        QLineEdit* description = nullptr;
        QPushButton* open = nullptr;
    };

    void buildSlot(int index);
    void btnSfogliaClick(int index);
    void btnApriClick(int index);
    void btnApplicaClick();

    std::array<Slot, 3> m_slots;
    AttachmentHolder* m_holder = nullptr;
};

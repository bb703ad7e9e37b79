#pragma once

#include "attachments/Attachments.h"
#include "common/RecordForm.h"

// The attachments of the record on an editor's form, held in its hidden fields File01..File03
// and Desc01..Desc03; they reach the archive with the editor's next save.
class FormAttachments final : public AttachmentHolder {
public:
    explicit FormAttachments(RecordForm& form) : m_form(form) {}

    // The six hidden rows (lblFile01 .. lblDesc03) an editor adds to its field table.
    static QList<RecordForm::Row> rows();

    Attachments attachments() const override;
    void setAttachments(const Attachments& attachments) override;

private:
    RecordForm& m_form;
};

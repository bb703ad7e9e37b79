#include "common/FormAttachments.h"

#include "common/RecordForm.h"

QList<RecordForm::Row> FormAttachments::rows()
{
    QList<RecordForm::Row> result;
    for (const auto& field : {&attachments::fileField, &attachments::descriptionField}) {
        for (int i = 0; i < 3; ++i) {
            const QString name = field(i);
            result.append({QStringLiteral("lbl") + name, {}, name, RecordForm::Kind::Hidden});
        }
    }
    return result;
}

Attachments FormAttachments::attachments() const
{
    Attachments result;
    for (int i = 0; i < int(result.size()); ++i)
        result[i] = {m_form.hidden(attachments::fileField(i)), m_form.hidden(attachments::descriptionField(i))};
    return result;
}

void FormAttachments::setAttachments(const Attachments& values)
{
    for (int i = 0; i < int(values.size()); ++i) {
        m_form.setHidden(attachments::fileField(i), values[i].file);
        m_form.setHidden(attachments::descriptionField(i), values[i].description);
    }
}

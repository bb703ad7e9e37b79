#include "tools/CodFisc.h"

#include "checkers/TaxCode.h"
#include "checkers/TaxCodePerson.h"
#include "platform/Platform.h"
#include "text/TextRules.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

TfrmCodFisc::TfrmCodFisc(QWidget* owner)
    : CheckerDialog(owner, {u"frmCodFisc"_s, u" Controllo codice fiscale"_s, u"txtCodFisc"_s, 16,
                            u"Immettere il codice fiscale e premere il pulsante di controllo."_s})
{
    // Kept trimmed and in capitals while it is typed.
    connect(field(), &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString kept = upperAsciiLetters(trimControls(text));
        if (kept == text)
            return;
        const int cursor = field()->cursorPosition();
        field()->setText(kept);
        field()->setCursorPosition(std::min<int>(cursor, kept.size()));
    });
}

void TfrmCodFisc::setHolder(const QString& birthDate, const QString& sex)
{
    m_birthDate = birthDate;
    m_sex = sex;
}

bool TfrmCodFisc::check()
{
    switch (taxCode::check(field()->text())) {
    case taxCode::Verdict::WrongLength:
        platform::warningBox(taxCode::lengthMessage, this);
        return false;
    case taxCode::Verdict::Valid:
        platform::informationBox(taxCode::validMessage, this);
        if (const std::optional<QString> differs = taxCodePerson::disagreement(field()->text(), m_birthDate, m_sex))
            platform::informationBox(*differs, this);
        return true;
    case taxCode::Verdict::Wrong:
        platform::warningBox(taxCode::wrongMessage, this);
        return true;
    }
    return true;
}

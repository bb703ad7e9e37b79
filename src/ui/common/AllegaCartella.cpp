#include "common/AllegaCartella.h"

#include "attachments/AttachmentStore.h"
#include "common/Dialogs.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/ChooserFolders.h"
#include "platform/Platform.h"
#include "text/TextRules.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QString overwriteQuestion = u"Attenzione: nella cartella dei documenti allegati \u00E8 presente un file con lo "
                                  u"stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"_s;
const QString copyFailedMessage = u"Attenzione: non \u00E8 stato possibile copiare il file nella cartella dei "
                                  u"documenti allegati.\r\n\r\nL'allegato non \u00E8 stato cambiato."_s;

// The documented question, telling which records already use the file when some do; then No is
// the answer a hurried Enter gives.
QString overwriteQuestionFor(const QList<attachmentStore::Holder>& holders)
{
    if (holders.isEmpty())
        return overwriteQuestion;
    const attachmentStore::Holder& first = holders.front();
    QString who = first.archive == attachmentStore::Holder::Archive::Team
                      ? u"della squadra \"%1\""_s.arg(first.name)
                      : u"del giocatore \"%1\""_s.arg(first.name);
    if (holders.size() == 2)
        who += u" e a un'altra scheda"_s;
    else if (holders.size() > 2)
        who += u" e ad altre %1 schede"_s.arg(holders.size() - 1);
    return u"Attenzione: nella cartella dei documenti allegati \u00E8 presente un file con lo stesso nome, gi\u00E0 "
           u"allegato alla scheda %1.\r\n\r\nSi vuole sovrascrivere il file esistente?"_s.arg(who);
}

QString renamedMessage(const QString& name)
{
    return u"Attenzione: il nome del file contiene caratteri che l'archivio non pu\u00F2 conservare.\r\n\r\nIl file "
           u"\u00E8 allegato con il nome \"%1\"."_s.arg(name);
}

const QStringList ordinals = {u"1\u00B0"_s, u"2\u00B0"_s, u"3\u00B0"_s};

QString numbered(const QString& name, int index) { return name + u"%1"_s.arg(index + 1, 2, 10, QLatin1Char('0')); }

}  // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* owner)
    : QDialog(owner)
{
    setObjectName(u"frmAllegaCartella"_s);
    setWindowTitle(u" Allega file"_s);
    dialogs::makeFixed(this, {634, 534});
    setStyleSheet(u"TfrmAllegaCartella { background-color: #F4F8FB; }"
                  u"QLabel#panSlot { background-color: #D6E9F8; border: 1px solid #9FB3C8; border-radius: 10px; }"_s);

    QLabel* title = style::label(this, u"lblTitolo"_s, u"File allegati alla scheda"_s, style::verdana(14, true),
                                 style::navy);
    title->setGeometry(28, 20, 577, 40);
    title->setAlignment(Qt::AlignCenter);

    for (int index = 0; index < 3; ++index)
        buildSlot(index);

    auto* cancel = new QPushButton(u"Annulla"_s, this);
    cancel->setObjectName(u"btnAnnulla"_s);
    cancel->setGeometry(322, 470, 134, 34);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* apply = new QPushButton(u"Applica e chiudi"_s, this);
    apply->setObjectName(u"btnApplica"_s);
    apply->setGeometry(466, 470, 139, 34);
    connect(apply, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
}

void TfrmAllegaCartella::buildSlot(int index)
{
    const int top = 80 + 120 * index;
    auto* band = new QLabel(this);
    band->setObjectName(u"panSlot"_s);
    band->setGeometry(28, top, 577, 113);

    const QFont captionFont = style::verdana(9, true);
    style::label(this, {}, u"Nome %1 file allegato:"_s.arg(ordinals.at(index)), captionFont, style::navy)
        ->setGeometry(40, top + 6, 338, 18);
    style::label(this, {}, u"Descrizione %1 file allegato:"_s.arg(ordinals.at(index)), captionFont, style::navy)
        ->setGeometry(40, top + 58, 552, 18);

    Slot& slot = m_slots[index];
    slot.file = new QLineEdit(this);
    slot.file->setObjectName(numbered(u"txtFile"_s, index));
    slot.file->setReadOnly(true);
    slot.file->setFont(style::verdana(10, true));
    slot.file->setStyleSheet(u"color: grey;"_s);
    slot.file->setGeometry(40, top + 24, 338, 28);

    auto* clear = new PictureButton(numbered(u"imgCancella"_s, index), u"cancella"_s, this);
    clear->setGeometry(384, top + 27, 22, 22);
    clear->setToolTip(u"Cancella il nome del file allegato."_s);
    connect(clear, &PictureButton::clicked, slot.file, &QLineEdit::clear);

    auto* browse = new QPushButton(u"Sfoglia..."_s, this);
    browse->setObjectName(numbered(u"btnSfoglia"_s, index));
    browse->setGeometry(414, top + 23, 86, 30);
    connect(browse, &QPushButton::clicked, this, [this, index] { btnSfogliaClick(index); });

    slot.open = new QPushButton(u"Apri"_s, this);
    slot.open->setObjectName(numbered(u"btnApri"_s, index));
    slot.open->setGeometry(506, top + 23, 86, 30);
    slot.open->setEnabled(false);
    connect(slot.open, &QPushButton::clicked, this, [this, index] { btnApriClick(index); });
    connect(slot.file, &QLineEdit::textChanged, slot.open,
            [open = slot.open](const QString& name) { open->setEnabled(!trimControls(name).isEmpty()); });

    slot.description = new QLineEdit(this);
    slot.description->setObjectName(numbered(u"txtDesc"_s, index));
    slot.description->setFont(style::verdana(12, true));
    slot.description->setMaxLength(32767);
    slot.description->setGeometry(40, top + 76, 552, 30);
}

void TfrmAllegaCartella::edit(QWidget* owner, AttachmentHolder& holder)
{
    dialogs::open<TfrmAllegaCartella>(owner, [&holder](TfrmAllegaCartella& dialog) {
        dialog.setAttachments(holder.attachments());
        dialog.setHolder(&holder);
    });
}

void TfrmAllegaCartella::setAttachments(const Attachments& attachments)
{
    for (std::size_t i = 0; i < m_slots.size(); ++i) {
        m_slots[i].file->setText(trimControls(attachments[i].file));
        m_slots[i].description->setText(trimControls(attachments[i].description));
    }
}

Attachments TfrmAllegaCartella::attachments() const
{
    Attachments result;
    for (std::size_t i = 0; i < m_slots.size(); ++i)
        result[i] = {trimControls(m_slots[i].file->text()), trimControls(m_slots[i].description->text())};
    return result;
}

void TfrmAllegaCartella::btnSfogliaClick(int index)
{
    const QString picked = platform::fileDialogs().openFile(
        {u"Selezionare il file da allegare:"_s, chooserFolders::attachments(), {}, {u"Tutti i file (*)"_s}}, this);
    if (picked.isEmpty())
        return;
    chooserFolders::attachmentPicked(picked);
    const attachmentStore::Attached attached =
        attachmentStore::attach(picked, [this](const QList<attachmentStore::Holder>& holders) {
            const QString question = overwriteQuestionFor(holders);
            return platform::questionBox(question, this, holders.isEmpty() ? platform::Answer::Yes : platform::Answer::No);
        });
    if (attached.outcome == attachmentStore::Attached::Outcome::Failed) {
        platform::warningBox(copyFailedMessage, this);
        return;
    }
    m_slots[index].file->setText(attached.name);
    if (attached.renamed)
        platform::informationBox(renamedMessage(attached.name), this);
}

void TfrmAllegaCartella::btnApriClick(int index)
{
    const QString name = trimControls(m_slots[index].file->text());
    if (!name.isEmpty())
        platform::shell().open(QUrl::fromLocalFile(attachmentStore::path(name)));
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (m_holder)
        m_holder->setAttachments(attachments());
    accept();
}

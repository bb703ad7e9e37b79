#include "output/SheetDialog.h"

#include "common/Dialogs.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "output/Anteprima.h"
#include "output/ReportLayout.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

SheetDialog::SheetDialog(QWidget* owner, const QString& objectName, const QString& caption, Output output)
    : QDialog(owner)
    , m_output(output)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    dialogs::makeFixed(this, QSize(420, 200));

    const bool preview = output == Output::Preview;
    auto* picture = new Picture(QStringLiteral("imgStampa"), preview ? QStringLiteral("anteprima") : QStringLiteral("stampa"), this);
    picture->setGeometry(24, 32, 96, 96);
    auto* text = style::label(this, QStringLiteral("lblTesto"),
                              preview ? QStringLiteral("Anteprima di stampa della scheda visualizzata.")
                                      : QStringLiteral("Stampa della scheda visualizzata."),
                              style::verdana(10, true), Qt::white);
    text->setWordWrap(true);
    text->setGeometry(140, 40, 256, 72);

    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("btnAnnulla"));
    cancel->setGeometry(140, 144, 120, 32);
    auto* go = new QPushButton(preview ? QStringLiteral("Mostra anteprima") : QStringLiteral("Stampa"), this);
    go->setObjectName(QStringLiteral("btnStampa"));
    go->setGeometry(272, 144, 128, 32);
    go->setDefault(true);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(go, &QPushButton::clicked, this, &SheetDialog::btnStampaClick);
}

void SheetDialog::setSheet(std::function<report::Report()> make, const QString& fileName)
{
    m_make = std::move(make);
    m_fileName = fileName;
}

void SheetDialog::btnStampaClick()
{
    if (!m_make)
        return;
    if (m_failureMessage.isEmpty()) {
        try {
            produce();
        } catch (const report::ReportError& failure) {
            // The engine's own report; the dialog stays open.
            platform::errorBox(QString::fromUtf8(failure.what()), this);
            return;
        }
    } else {
        try {
            produce();
        } catch (...) {
            platform::warningBox(m_failureMessage, this);
        }
    }
    accept();
}

// Makes and prepares the sheet, then previews or prints it; a print dialog that is cancelled is
// not a failure, a printer that does not take the pages is.
void SheetDialog::produce()
{
    report::PreparedReport prepared = report::prepare(m_make());
    if (m_output == Output::Preview)
        dialogs::open<TfrmAnteprima>(this, [&](TfrmAnteprima& preview) { preview.setDocument(std::move(prepared)); });
    else
        platform::print({std::move(prepared), m_fileName}, this);
}

void SheetDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect());
}

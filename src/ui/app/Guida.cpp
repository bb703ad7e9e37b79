#include "app/Guida.h"

#include "app/DataFolder.h"
#include "app/ProgramFolder.h"
#include "common/Dialogs.h"
#include "common/LinkLabel.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/TMisc.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TfrmGuida::TfrmGuida(QWidget* owner)
    : QDialog(owner)
    , m_title(new QLabel(QStringLiteral("Argomento della guida."), this))
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("frmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    dialogs::makeFixed(this, {720, 600});

    auto* logo = new Picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), this);
    logo->setGeometry(20, 16, 72, 72);

    m_title->setObjectName(QStringLiteral("lblTitolo"));
    m_title->setFont(style::arial(16, true));
    m_title->setStyleSheet(QStringLiteral("color: %1;").arg(style::crimson.name()));
    m_title->setWordWrap(true);
    m_title->setGeometry(108, 16, 592, 72);

    m_text->setObjectName(QStringLiteral("txtGuida"));
    m_text->setReadOnly(true);
    m_text->setFont(style::verdana(12, true));
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setGeometry(20, 100, 680, 420);

    auto* link = LinkLabel::withIcon(this, QStringLiteral("imgPDF"), QStringLiteral("pdf"), {20, 538}, QStringLiteral("lnkWeb"),
                                     QStringLiteral("Visualizza guida in formato PDF"), {68, 540, 420, 36});
    connect(link, &LinkLabel::clicked, this, &TfrmGuida::openUserGuide);

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setGeometry(590, 542, 110, 34);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmGuida::setTopic(const QString& title, const QString& text)
{
    m_title->setText(title);
    m_text->setPlainText(text);
}

void TfrmGuida::openUserGuide()
{
    // The guide in the data folder, or the one shipped with an installed copy whose data folder is
    // the user's own. Quoted whole, so a path with blanks is handed over in one piece.
    QString guide = programFolder::file(programFolder::userGuideName);
    const QString shipped =
        QDir::cleanPath(dataFolder::shippedFile(QCoreApplication::applicationDirPath(), programFolder::userGuideName));
    if (!QFileInfo::exists(guide) && QFileInfo::exists(shipped))
        guide = shipped;
    TMisc::Open(QLatin1Char('"') + guide + QLatin1Char('"'));
}

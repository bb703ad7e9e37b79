#include "tournament/CreaArchivio.h"

#include "common/FocusHighlight.h"
#include "common/HelpTopics.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "tournament/Catalogue.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TfrmCreaArchivio::TfrmCreaArchivio(Navigator& navigator)
    : WorkScreen(navigator, QStringLiteral("frmCreaArchivio"), QStringLiteral(" Golvera - Creazione nuovo torneo"))
    , m_txtFile(new QLineEdit(content()))
{
    QWidget* panel = content();
    const int width = WorkScreen::panelSize.width();

    (new Picture(QStringLiteral("imgTitolo"), QStringLiteral("title"), panel))->move(237, 44);
    (new Picture(QStringLiteral("imgTorneo"), QStringLiteral("tile_crea_torneo"), panel))->move((width - 300) / 2, 170);

    auto* instructions = new QLabel(QStringLiteral("Scrivere il nome del nuovo torneo e premere Applica e chiudi."), panel);
    instructions->setObjectName(QStringLiteral("lblIstruzioni"));
    instructions->setFont(style::verdana(14, true));
    instructions->setStyleSheet(QStringLiteral("color: %1;").arg(style::navy.name()));
    instructions->setAlignment(Qt::AlignCenter);
    instructions->setGeometry(40, 394, width - 80, 32);

    auto* hint = new QLabel(QStringLiteral("Il nome non pu\u00F2 contenere i caratteri  \" * / : < > ? \\ \u00B0 \u00C7 \u00D1 \u00E7 \u00F1"), panel);
    hint->setObjectName(QStringLiteral("lblCaratteri"));
    hint->setFont(style::verdana(10));
    hint->setStyleSheet(QStringLiteral("color: %1;").arg(style::pitchGreen.name()));
    hint->setAlignment(Qt::AlignCenter);
    hint->setGeometry(40, 488, width - 80, 24);

    m_txtFile->setObjectName(QStringLiteral("txtFile"));
    m_txtFile->setFont(style::verdana(16, true));
    m_txtFile->setMaxLength(catalogue::nameMaxLength);
    m_txtFile->setGeometry(97, 436, width - 194, 44);
    focusHighlight::applyFormA(m_txtFile);
    m_txtFile->installEventFilter(this);

    auto* apply = new PictureButton(QStringLiteral("btnApplica"), QStringLiteral("applica"), panel);
    apply->move(width / 2 - 230, 556);
    connect(apply, &PictureButton::clicked, this, &TfrmCreaArchivio::btnApplicaClick);

    auto* cancel = new PictureButton(QStringLiteral("btnAnnulla"), QStringLiteral("annulla"), panel);
    cancel->move(width / 2 + 10, 556);
    connect(cancel, &PictureButton::clicked, this, &QWidget::close);

    auto* guide = new PictureButton(QStringLiteral("imgGuida"), QStringLiteral("help"), panel);
    guide->move(width - 72, 16);
    connect(guide, &PictureButton::clicked, this, [this] { help::show(this, QStringLiteral("tornei")); });
}

void TfrmCreaArchivio::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_txtFile->clear();
        m_txtFile->setFocus(Qt::OtherFocusReason);
    }
    WorkScreen::showEvent(event);
}

bool TfrmCreaArchivio::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtFile && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter does nothing here; characters a file name cannot hold are not inserted.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return true;
        const QString text = key->text();
        if (std::any_of(text.begin(), text.end(), catalogue::isRefusedNameCharacter))
            return true;
    }
    return WorkScreen::eventFilter(watched, event);
}

void TfrmCreaArchivio::btnApplicaClick()
{
    const QString typed = m_txtFile->text();
    const auto refuse = [this](const QString& message) {
        platform::warningBox(message, this);
        m_txtFile->setFocus(Qt::OtherFocusReason);
    };
    switch (catalogue::checkName(typed)) {
    case catalogue::NameProblem::None:
        break;
    case catalogue::NameProblem::Empty:
        return refuse(catalogue::nameMissingMessage);
    case catalogue::NameProblem::RefusedCharacter:
    case catalogue::NameProblem::ControlCharacter:
        return refuse(catalogue::nameCharactersMessage);
    case catalogue::NameProblem::OnlyDots:
        return refuse(catalogue::nameOnlyDotsMessage);
    }

    switch (catalogue::create(catalogue::pathFor(typed))) {
    case catalogue::CreateOutcome::Created:
        platform::informationBox(catalogue::createdMessage, this);
        close();
        break;
    case catalogue::CreateOutcome::NameTaken:
        platform::warningBox(catalogue::nameTakenMessage, this);
        break;
    case catalogue::CreateOutcome::Failed:
        refuse(catalogue::createFailedMessage);
        break;
    }
}

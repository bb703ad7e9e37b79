#include "app/CambiaPassword.h"

#include "app/Password.h"
#include "app/PasswordForm.h"
#include "app/PasswordStore.h"
#include "app/ProgramFolder.h"
#include "common/EnterChain.h"
#include "common/FocusHighlight.h"
#include "common/Navigator.h"
#include "common/Style.h"
#include "platform/Platform.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {

const QString changeFailed = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");

}  // namespace

TfrmCambiaPassword::TfrmCambiaPassword(Navigator& navigator)
    : m_navigator(navigator)
    , m_old(new QLineEdit(this))
    , m_new(new QLineEdit(this))
    , m_confirm(new QLineEdit(this))
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));
    passwordForm::makeFixedWindow(this, {600, 320});

    const struct {
        QLineEdit* field;
        const char* name;
        const char* eff;
        const char* label;
    } rows[] = {
        {m_old, "txtPasswordOld", "effPasswordOld", "Vecchia password:"},
        {m_new, "txtPasswordNew", "effPasswordNew", "Nuova password:"},
        {m_confirm, "txtConferma", "effConferma", "Conferma nuova password:"},
    };
    int y = 36;
    for (const auto& row : rows) {
        auto* label = new QLabel(QString::fromUtf8(row.label), this);
        label->setFont(style::verdana(11, true));
        label->setStyleSheet(QStringLiteral("color: white;"));
        // Wide enough for the longest caption, "Conferma nuova password:", in full.
        label->setGeometry(28, y + 4, 272, 28);
        passwordForm::setUpField(row.field, QString::fromLatin1(row.name), style::verdana(12, true));
        row.field->setGeometry(312, y, 250, 34);
        focusHighlight::applyFormB(row.field, QString::fromLatin1(row.eff));
        y += 56;
    }
    enterChain::link({m_old, m_new, m_confirm}, m_old);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(312, 226, 120, 36);
    passwordForm::enableWhileFilled(ok, {m_old, m_new, m_confirm});
    connect(ok, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("cmdEsci"));
    close->setGeometry(442, 226, 120, 36);
    connect(close, &QPushButton::clicked, this, &TfrmCambiaPassword::backToLogin);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_old->clear();
    m_new->clear();
    m_confirm->clear();
    m_old->setFocus();
}

void TfrmCambiaPassword::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect());
}

void TfrmCambiaPassword::cmdOKClick()
{
    using accessControl::ChangeResult;
    const ChangeResult result = accessControl::changePassword(programFolder::file(programFolder::passwordStoreName),
                                                       m_old->text(), m_new->text(), m_confirm->text());
    auto refuseNew = [this](const QString& message) {
        platform::plainBox(message, this);
        m_new->clear();
        m_confirm->clear();
        m_new->setFocus();
    };
    switch (result) {
    case ChangeResult::Changed:
        platform::plainBox(QStringLiteral("Modifica della password completata con successo."), this);
        backToLogin();
        break;
    case ChangeResult::WrongOldPassword:
        platform::plainBox(QStringLiteral("Attenzione: vecchia password errata."), this);
        m_old->clear();
        m_old->setFocus();
        break;
    case ChangeResult::NotConfirmed:
        refuseNew(QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                 "E' necessario reinserire entrambi i valori."));
        break;
    case ChangeResult::TooLong:
        refuseNew(QStringLiteral("Attenzione: la nuova password non può superare i 255 caratteri."));
        break;
    case ChangeResult::UnsupportedCharacter:
        refuseNew(QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi. "
                                 "Utilizzare lettere, cifre e simboli dell'alfabeto latino."));
        break;
    case ChangeResult::StoreFailure:
        platform::plainBox(changeFailed, this);
        break;
    }
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event)
{
    event->accept();
    backToLogin();
}

void TfrmCambiaPassword::backToLogin()
{
    if (auto* login = qobject_cast<TfrmPassword*>(m_navigator.screen(Screen::Login)))
        login->reset();
    m_navigator.go(Screen::Login, this);
}

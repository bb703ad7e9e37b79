#include "app/Password.h"

#include "app/PasswordStore.h"
#include "app/Product.h"
#include "app/ProgramFolder.h"
#include "common/EnterChain.h"
#include "common/FocusHighlight.h"
#include "common/Navigator.h"
#include "app/PasswordForm.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "text/TextRules.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

TfrmPassword::TfrmPassword(Navigator& navigator)
    : m_navigator(navigator)
    , m_password(new QLineEdit(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QLatin1Char(' ') + product::name + QStringLiteral(" - Accesso al programma"));
    passwordForm::makeFixedWindow(this, {480, 300});

    auto* key = new Picture(QStringLiteral("imgChiave"), QStringLiteral("login_key"), this);
    key->setGeometry(24, 28, 96, 96);

    auto* title = new QLabel(QStringLiteral("Accesso al programma"), this);
    title->setObjectName(QStringLiteral("lblTitolo"));
    title->setFont(style::verdana(16, true));
    title->setStyleSheet(QStringLiteral("color: white;"));
    title->setGeometry(140, 30, 320, 32);

    auto* instruction = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    instruction->setObjectName(QStringLiteral("lblRigo05"));
    instruction->setFont(style::verdana(11));
    instruction->setStyleSheet(QStringLiteral("color: white;"));
    instruction->setGeometry(140, 70, 320, 26);

    passwordForm::setUpField(m_password, QStringLiteral("txtPassword"), style::verdana(14, true));
    m_password->setGeometry(140, 108, 300, 36);
    focusHighlight::applyFormB(m_password, QStringLiteral("effPassword"));
    m_password->installEventFilter(this);
    passwordForm::enableWhileFilled(m_ok, {m_password});

    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(140, 170, 140, 36);
    m_ok->setEnabled(false);
    connect(m_ok, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);

    auto* exit = new QPushButton(QStringLiteral("Esci"), this);
    exit->setObjectName(QStringLiteral("cmdEsci"));
    exit->setGeometry(300, 170, 140, 36);
    connect(exit, &QPushButton::clicked, this, &QWidget::close);

    auto* change = new QPushButton(QStringLiteral("Cambia password"), this);
    change->setObjectName(QStringLiteral("btnCambiaPassword"));
    change->setGeometry(140, 236, 300, 34);
    change->setFlat(true);
    change->setCursor(Qt::PointingHandCursor);
    change->setStyleSheet(QStringLiteral("color: white; text-decoration: underline;"));
    connect(change, &QPushButton::clicked, this, [this] { m_navigator.go(Screen::ChangePassword, this); });
}

void TfrmPassword::reset()
{
    m_password->clear();
    m_password->setFocus();
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_password->setFocus();
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_password && event->type() == QEvent::KeyPress
        && enterChain::isEnter(static_cast<QKeyEvent*>(event)->key())) {
        if (!trimControls(m_password->text()).isEmpty())
            cmdOKClick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmPassword::closeEvent(QCloseEvent* event)
{
    // Leaving the login screen without logging in ends the program.
    event->accept();
    Q_EMIT quitRequested();
}

void TfrmPassword::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect());
}

void TfrmPassword::cmdOKClick()
{
    switch (accessControl::checkLogin(programFolder::file(programFolder::passwordStoreName), m_password->text())) {
    case accessControl::LoginResult::Accepted:
        m_navigator.go(Screen::Launcher, this);
        break;
    case accessControl::LoginResult::Wrong:
        platform::plainBox(QStringLiteral("Attenzione: password errata."), this);
        m_password->clear();
        m_password->setFocus();
        break;
    case accessControl::LoginResult::StoreMissing:
        platform::plainBox(accessControl::storeMissingMessage(programFolder::file(programFolder::passwordStoreName)), this);
        break;
    case accessControl::LoginResult::StoreUnreadable:
        platform::plainBox(QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                                          "della password. Si consiglia di reinstallare il software."),
                           this);
        break;
    }
}

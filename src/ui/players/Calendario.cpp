#include "players/Calendario.h"

#include "app/Formats.h"
#include "common/Dialogs.h"
#include "common/Style.h"
#include "platform/Platform.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

TfrmCalendario::TfrmCalendario(QWidget* owner)
    : QDialog(owner)
    , m_calendar(new QCalendarWidget(this))
    , m_typed(new QLineEdit(this))
{
    setObjectName(u"frmCalendario"_s);
    setWindowTitle(u" Importazione data"_s);
    dialogs::makeFixed(this, {372, 330});

    QLabel* caption = style::label(this, u"lblCampo001"_s, u"Importare una data:"_s, style::verdana(10, true), style::navy);
    caption->setGeometry(16, 10, 200, 24);

    m_typed->setObjectName(u"txtData"_s);
    m_typed->setFont(style::verdana(10, true));
    m_typed->setAlignment(Qt::AlignCenter);
    m_typed->setInputMask(u"00/00/0000;_"_s);
    m_typed->setGeometry(236, 8, 120, 28);

    m_calendar->setObjectName(u"calAppuntamenti"_s);
    m_calendar->setGeometry(16, 42, 340, 232);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    // Dates are typed into the field above, which reads them as the program writes them.
    m_calendar->setDateEditEnabled(false);
    if (QWidget* days = m_calendar->focusProxy())
        days->installEventFilter(this);
    connect(m_calendar, &QCalendarWidget::selectionChanged, this,
            [this] { m_typed->setText(formats::dateText(m_calendar->selectedDate())); });
    m_calendar->setSelectedDate(platform::clock().now().date());
    m_typed->setText(formats::dateText(m_calendar->selectedDate()));
    connect(m_typed, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const QDate date = formats::dateFromText(text); date.isValid()) {
            const QSignalBlocker typing(m_calendar);
            m_calendar->setSelectedDate(date);
        }
    });
    connect(m_typed, &QLineEdit::returnPressed, this, [this] {
        if (formats::dateFromText(m_typed->text()).isValid())
            btnImportaDataClick();
    });

    auto* import = new QPushButton(u"Importa"_s, this);
    import->setObjectName(u"btnImportaData"_s);
    import->setGeometry(150, 286, 100, 30);
    import->setDefault(true);
    connect(import, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    // Double-clicking a day imports it, as the button would.
    connect(m_calendar, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);

    auto* cancel = new QPushButton(u"Annulla"_s, this);
    cancel->setObjectName(u"btnAnnulla"_s);
    cancel->setGeometry(256, 286, 100, 30);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    m_calendar->setFocus(Qt::OtherFocusReason);
}

void TfrmCalendario::setDate(const QString& text)
{
    if (const QDate date = formats::dateFromText(text); date.isValid())
        m_calendar->setSelectedDate(date);
}

void TfrmCalendario::typeAhead(const QKeyEvent& key)
{
    // Only a digit can begin a date; any other key has opened the calendar and that is all.
    if (key.text().size() == 1 && key.text().front().isDigit())
        startTyping(key);
}

void TfrmCalendario::startTyping(const QKeyEvent& key)
{
    const QSignalBlocker quiet(m_typed);
    m_typed->clear();
    m_typed->setFocus(Qt::OtherFocusReason);
    m_typed->setCursorPosition(0);
    QKeyEvent copy(QEvent::KeyPress, key.key(), key.modifiers(), key.text());
    QCoreApplication::sendEvent(m_typed, &copy);
    m_typing = true;
}

void TfrmCalendario::setVisible(bool visible)
{
    const int typedUpTo = m_typed->cursorPosition();
    QDialog::setVisible(visible);
    // Showing gives the field the focus as Tab would, which takes a masked field's cursor back to
    // its start: the next digit goes after the one already typed.
    if (visible && m_typing)
        m_typed->setCursorPosition(typedUpTo);
}

bool TfrmCalendario::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().size() == 1 && key->text().front().isDigit()) {
            typeAhead(*key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmCalendario::btnImportaDataClick()
{
    if (m_target)
        m_target(formats::dateText(m_calendar->selectedDate()));
    accept();
}

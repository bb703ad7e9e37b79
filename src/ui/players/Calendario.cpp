#include "players/Calendario.h"

#include "app/Formats.h"
#include "common/Dialogs.h"
#include "common/Style.h"
#include "platform/Platform.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

TfrmCalendario::TfrmCalendario(QWidget* owner)
    : QDialog(owner)
    , m_calendar(new QCalendarWidget(this))
{
    setObjectName(u"frmCalendario"_s);
    setWindowTitle(u" Importazione data"_s);
    dialogs::makeFixed(this, {372, 330});

    QLabel* caption = style::label(this, u"lblCampo001"_s, u"Importare una data:"_s, style::verdana(10, true), style::navy);
    caption->setGeometry(16, 10, 340, 24);

    m_calendar->setObjectName(u"calAppuntamenti"_s);
    m_calendar->setGeometry(16, 38, 340, 236);
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    m_calendar->setSelectedDate(platform::clock().now().date());

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
}

void TfrmCalendario::btnImportaDataClick()
{
    if (m_target)
        m_target(formats::dateText(m_calendar->selectedDate()));
    accept();
}

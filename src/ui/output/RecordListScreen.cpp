#include "output/RecordListScreen.h"

#include "common/Dialogs.h"
#include "common/EnterChain.h"
#include "common/FillScreen.h"
#include "common/PanelScroll.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "output/FindInList.h"
#include "output/ListSummary.h"
#include "output/PrintChoices.h"
#include "output/RecordListModel.h"
#include "output/RecordTable.h"
#include "output/ReportLayout.h"
#include "platform/Platform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include <array>

namespace {

constexpr std::size_t KindCount = std::size_t(ListKind::MeritStandings) + 1;

QString& remembered(ListKind kind)
{
    static std::array<QString, KindCount> texts;
    return texts.at(std::size_t(kind));
}

}  // namespace

RecordListScreen::RecordListScreen(QWidget* owner, const Setup& setup)
    : QDialog(owner)
    , m_kind(setup.kind)
    , m_maximised(setup.maximised)
    , m_panel(new QWidget(this))
    , m_model(new RecordListModel(this))
    , m_list(new RecordTable(m_model, m_panel))
    , m_findField(new QLineEdit(m_panel))
    , m_findButton(new PictureButton(QStringLiteral("btnTrova"), QStringLiteral("pulsante_trova"), m_panel))
    , m_printButton(new PictureButton(QStringLiteral("btnStampa"), setup.printPicture, m_panel))
    , m_withdrawnSwitch(new QCheckBox(QStringLiteral("Mostra anche i ritirati"), m_panel))
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    m_panel->setObjectName(QStringLiteral("panContent"));
    m_panel->setFixedSize(setup.panelSize);
    if (m_maximised) {
        setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                       | Qt::WindowCloseButtonHint);
        setModal(true);
        fillScreen(this, owner);
        setWindowState(Qt::WindowMaximized);
        m_panel->setAttribute(Qt::WA_StyledBackground);
        m_panel->setStyleSheet(style::panelStyleSheet);
        panelScroll::place(this, m_panel);
    } else {
        dialogs::makeFixed(this, setup.panelSize);
    }

    m_findField->setObjectName(QStringLiteral("txtTrova"));
    m_findField->setFont(style::verdana(12, true));
    connect(m_findButton, &PictureButton::clicked, this, &RecordListScreen::findNext);
    m_withdrawnSwitch->setObjectName(QStringLiteral("chkRitirati"));
    m_withdrawnSwitch->setFont(style::verdana(10, true));
    m_withdrawnSwitch->adjustSize();
}

withdrawal::Listing RecordListScreen::withdrawnListing() const
{
    return m_withdrawnSwitch->isChecked() ? withdrawal::Listing::Mark : withdrawal::Listing::LeaveOut;
}

void RecordListScreen::onWithdrawnSwitch(std::function<void()> refill)
{
    connect(m_withdrawnSwitch, &QCheckBox::toggled, this, [this, refill = std::move(refill)] {
        refill();
        selectRow(0);
    });
}

QList<ListRow> RecordListScreen::rows() const
{
    return m_model->source().all();
}

qsizetype RecordListScreen::rowCount() const
{
    return m_model->source().count();
}

int RecordListScreen::selectedRow() const { return m_list->selectedRow(); }

QString RecordListScreen::rememberedSearch(ListKind kind)
{
    return remembered(kind);
}

void RecordListScreen::setRows(QList<ListRow> rows)
{
    m_model->setRows(std::move(rows));
}

void RecordListScreen::setRows(std::shared_ptr<const RowSource> rows)
{
    m_model->setSource(std::move(rows));
}

void RecordListScreen::selectRow(int row) { m_list->choose(row); }

void RecordListScreen::resetFind()
{
    selectRow(0);
    m_findField->clear();
    remembered(m_kind).clear();
    m_findField->setFocus();
}

void RecordListScreen::findNext()
{
    const findInList::Outcome outcome = findInList::next(m_model->source(), selectedRow(), m_findField->text(), remembered(m_kind));
    if (!outcome.applicable) {
        platform::plainBox(QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."), this);
        return;
    }
    selectRow(outcome.selected);
}

void RecordListScreen::printRows(const QString& title, const QStringList& closing)
{
    // The printed title names the document and the suggested PDF, never the screen's inner name.
    print(listSummary::make(title.trimmed(), title, listSummary::lines(m_model->source(), closing)),
          report::pdfFileName(title));
}

void RecordListScreen::print(const report::Report& document, const QString& fileName)
{
    platform::printReportingFailure({report::prepare(document), fileName}, this);
}

void RecordListScreen::enableRecordOpening()
{
    connect(m_list, &RecordTable::rowOpened, this, [this](int row) {
        const qint64 position = m_model->source().position(row);
        Q_EMIT recordOpened(position);
        if (m_open && !m_open(position))
            return;
        accept();
    });
    // Where no row is, the screen closes as after a failed opening: the editor keeps what it had.
    connect(m_list, &RecordTable::nothingOpened, this, &QDialog::reject);
}

void RecordListScreen::enableEnterToFind()
{
    m_findButton->setFocusPolicy(Qt::TabFocus);
    enterChain::link({m_findField}, m_findButton);
}

void RecordListScreen::layOutForOpening(QWidget* parent, const QString& openHint)
{
    const int bottom = parent->height() - 58;
    m_findField->setParent(parent);
    m_findField->setGeometry(16, 14, 420, 32);
    m_findButton->setParent(parent);
    m_findButton->move(448, 8);
    m_list->setParent(parent);
    m_list->setGeometry(16, 60, parent->width() - 32, 273);
    style::label(parent, QStringLiteral("lblDoppioClic"), openHint, style::verdana(10, true), style::crimson)
        ->setGeometry(16, 338, parent->width() - 32 - m_withdrawnSwitch->width() - 8, 24);
    m_withdrawnSwitch->setParent(parent);
    m_withdrawnSwitch->move(parent->width() - 16 - m_withdrawnSwitch->width(), 338);
    auto* close = new PictureButton(QStringLiteral("btnChiudi"), QStringLiteral("pulsante_chiudi"), parent);
    close->move(16, bottom);
    connect(close, &PictureButton::clicked, this, &QDialog::close);
    m_printButton->setParent(parent);
    m_printButton->move(parent->width() - 166, bottom);
    enableRecordOpening();
    enableEnterToFind();
}

void RecordListScreen::done(int result)
{
    m_model->clear();
    QDialog::done(result);
}

void RecordListScreen::paintEvent(QPaintEvent* event)
{
    if (!m_maximised) {
        QDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style::paintBackground(painter, rect());
}

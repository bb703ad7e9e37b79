#include "output/SearchScreen.h"

#include "common/EnterChain.h"
#include "common/FocusHighlight.h"
#include "common/PictureButton.h"
#include "common/Style.h"
#include "editor/RecordEditing.h"
#include "output/PackedRows.h"
#include "output/SearchFilter.h"
#include "platform/Platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

constexpr QSize ResultPanel{833, 529};
constexpr int FilterWidth = 320;

PictureButton* makeButton(QWidget* parent, const QString& name, const QString& picture, QPoint position)
{
    auto* button = new PictureButton(name, picture, parent);
    button->move(position);
    return button;
}

}  // namespace

SearchScreen::SearchScreen(QWidget* owner, Search search)
    : RecordListScreen(owner, search.list)
    , m_search(std::move(search))
    , m_filterPanel(new QWidget(panel()))
    , m_resultPanel(new QWidget(panel()))
{
    const QRect panels(QPoint((m_search.list.panelSize.width() - ResultPanel.width()) / 2,
                              (m_search.list.panelSize.height() - ResultPanel.height()) / 2),
                       ResultPanel);
    for (auto [widget, name] : {std::pair{m_filterPanel, "panAvvio"}, std::pair{m_resultPanel, "panContainer"}}) {
        widget->setObjectName(QLatin1String(name));
        widget->setGeometry(panels);
    }

    for (const Filter& filter : m_search.filters) {
        const QRect geometry(filter.position, QSize(FilterWidth, 26));
        style::label(m_filterPanel, QString(), filter.caption, style::verdana(12), style::navy)
            ->setGeometry(geometry.translated(0, -24).adjusted(0, 0, 0, -4));
        auto* field = new QLineEdit(m_filterPanel);
        field->setObjectName(filter.name);
        field->setFont(style::verdana(12, true));
        field->setGeometry(geometry);
        focusHighlight::applyFormB(field, QStringLiteral("eff") + filter.name.mid(3));
        m_filters.append(field);
    }
    if (!m_filters.isEmpty())
        enterChain::link({m_filters.begin(), m_filters.end()}, m_filters.first());

    const int bottom = ResultPanel.height() - 58;
    auto* cancel = makeButton(m_filterPanel, QStringLiteral("btnAnnulla"), QStringLiteral("pulsante_chiudi"), {16, bottom});
    auto* searchButton = makeButton(m_filterPanel, QStringLiteral("btnCerca"), QStringLiteral("pulsante_cerca"),
                                    {ResultPanel.width() - 166, bottom});
    m_wait = style::label(m_filterPanel, QStringLiteral("lblAttendere"), QStringLiteral("Ricerca schede in corso. Attendere..."),
                       style::verdana(12, true), QColor(0x00, 0x8B, 0x8B));
    m_wait->setAlignment(Qt::AlignCenter);
    m_wait->setGeometry(180, bottom + 8, ResultPanel.width() - 360, 30);
    m_wait->hide();
    m_filtersInUse = style::label(m_filterPanel, QStringLiteral("lblConta"), QStringLiteral("0"), style::verdana(8), Qt::black);
    m_filtersInUse->hide();
    connect(cancel, &PictureButton::clicked, this, &QDialog::close);
    // The wait line shows from the press, so it is on screen while the click runs the search.
    connect(searchButton, &PictureButton::pressed, m_wait, &QWidget::show);
    connect(searchButton, &PictureButton::clicked, this, &SearchScreen::runSearch);

    layOutForOpening(m_resultPanel, m_search.openHint);
    m_count = style::label(m_resultPanel, QStringLiteral("lblTrovate"), QStringLiteral("Il presente riepilogo contiene 0 schede"),
                        style::verdana(12, true), style::navy);
    m_count->setGeometry(16, 372, 801, 30);
    connect(printButton(), &PictureButton::clicked, this, [this] { printRows(m_search.printTitle); });
    onWithdrawnSwitch([this] { runSearch(); });

    m_resultPanel->hide();
}

QStringList SearchScreen::filterTexts() const
{
    QStringList texts;
    texts.reserve(m_filters.size());
    for (const QLineEdit* field : m_filters)
        texts.append(field->text());
    return texts;
}

void SearchScreen::showEvent(QShowEvent* event)
{
    RecordListScreen::showEvent(event);
    if (event->spontaneous())
        return;
    resetFind();
    if (!m_filters.isEmpty())
        m_filters.first()->setFocus(Qt::OtherFocusReason);
}

void SearchScreen::runSearch()
{
    const QStringList filters = filterTexts();
    m_filtersInUse->setText(QString::number(searchFilter::countInUse(filters)));
    // Only the fields of the filters in use are read for every record, and only the row's fields
    // are kept for the ones listed.
    const QList<searchFilter::Prepared> inUse = searchFilter::prepare(filters);
    QList<int> searchedFields;
    for (const Filter& filter : m_search.filters)
        searchedFields.append(m_search.format.indexOf(filter.field));

    std::shared_ptr<PackedRows> found =
        PackedRows::read(m_search.archivePath(), m_search.format, m_search.row, [&](QByteArrayView bytes) {
            for (const searchFilter::Prepared& filter : inUse) {
                if (!searchFilter::occurs(filter, m_search.format.readField(bytes, searchedFields.at(filter.index))))
                    return false;
            }
            return true;
        }, withdrawnListing());
    m_wait->hide();
    if (!found->error().isEmpty()) {
        platform::plainBox(recordEditing::archiveFailureMessage, this);
        return;
    }
    setRows(std::move(found));
    m_count->setText(QStringLiteral("Il presente riepilogo contiene ") + QString::number(rowCount())
                     + m_search.countEnding);
    m_filterPanel->hide();
    m_resultPanel->show();
    findField()->clear();
    findField()->setFocus(Qt::OtherFocusReason);
}

void SearchScreen::done(int result)
{
    m_wait->hide();
    RecordListScreen::done(result);
}

#include "output/Anteprima.h"

#include "output/ReportPainter.h"
#include "platform/Platform.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int PageGap = 16;

// The pages at the chosen zoom, stacked with a gap; only the pages in view are painted.
class PageStrip final : public QWidget {
public:
    PageStrip(const report::PreparedReport& prepared, QWidget* parent)
        : QWidget(parent), m_prepared(prepared)
    {
        setObjectName(QStringLiteral("panPagine"));
        relayout();
    }

    void setZoom(double zoom)
    {
        m_zoom = zoom;
        relayout();
    }

    void relayout()
    {
        m_tops.clear();
        int y = PageGap;
        int width = 0;
        for (const report::PreparedPage& page : m_prepared.pages) {
            m_tops.append(y);
            const QSize size = pageSize(page);
            y += size.height() + PageGap;
            width = std::max(width, size.width());
        }
        setFixedSize(width + 2 * PageGap, y);
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), QColor(0x5A, 0x66, 0x78));
        for (qsizetype i = 0; i < m_prepared.pages.size(); ++i) {
            const report::PreparedPage& page = m_prepared.pages.at(i);
            const QRect paper(QPoint((width() - pageSize(page).width()) / 2, m_tops.at(i)), pageSize(page));
            if (!paper.intersects(event->rect()))
                continue;
            painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 90));
            painter.fillRect(paper, Qt::white);
            painter.save();
            painter.translate(paper.topLeft());
            painter.scale(m_zoom, m_zoom);
            report::paintPage(painter, page);
            painter.restore();
        }
    }

private:
    QSize pageSize(const report::PreparedPage& page) const { return (page.size * m_zoom).toSize(); }

    const report::PreparedReport& m_prepared;
    QList<int> m_tops;
    double m_zoom = 1.0;
};

}  // namespace

TfrmAnteprima::TfrmAnteprima(QWidget* owner)
    : QDialog(owner)
    , m_pages(nullptr)
    , m_scroll(new QScrollArea(this))
    , m_zoom(new QComboBox(this))
    , m_fullScreen(new QPushButton(QStringLiteral("Schermo intero"), this))
{
    setObjectName(QStringLiteral("frmAnteprima"));
    setWindowTitle(QStringLiteral(" Anteprima di stampa"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setModal(true);
    resize(1000, 760);

    auto* print = new QPushButton(QStringLiteral("Stampa"), this);
    print->setObjectName(QStringLiteral("btnStampa"));
    connect(print, &QPushButton::clicked, this, &TfrmAnteprima::print);

    m_zoom->setObjectName(QStringLiteral("cmbZoom"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent / 100.0);
    m_zoom->setCurrentIndex(2);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] {
        if (auto* strip = static_cast<PageStrip*>(m_pages))
            strip->setZoom(zoom());
    });

    m_fullScreen->setObjectName(QStringLiteral("btnSchermoIntero"));
    m_fullScreen->setCheckable(true);
    connect(m_fullScreen, &QPushButton::clicked, this, &TfrmAnteprima::toggleFullScreen);

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* tools = new QHBoxLayout;
    tools->addWidget(print);
    tools->addWidget(m_zoom);
    tools->addWidget(m_fullScreen);
    tools->addStretch();
    tools->addWidget(close);

    m_scroll->setObjectName(QStringLiteral("scrPagine"));
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_scroll);
}

void TfrmAnteprima::setDocument(report::PreparedReport prepared)
{
    m_prepared = std::move(prepared);
    auto* strip = new PageStrip(m_prepared, m_scroll);
    strip->setZoom(zoom());
    m_scroll->setWidget(strip);  // replaces and deletes an earlier strip
    m_pages = strip;
}

double TfrmAnteprima::zoom() const
{
    return m_zoom->currentData().toDouble();
}

void TfrmAnteprima::print()
{
    platform::printReportingFailure({m_prepared, QString()}, this);
}

void TfrmAnteprima::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
    m_fullScreen->setChecked(isFullScreen());
}

#include "players/Zoom.h"

#include "common/Style.h"
#include "players/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

const style::Background steelBlueToWhite{QColor(0x46, 0x82, 0xB4), Qt::white};

}  // namespace

TfrmZoom::TfrmZoom(QWidget* owner)
    : QDialog(owner)
    , m_container(new QWidget(this))
    , m_photo(new PictureBox(QStringLiteral("imgFoto"), m_container))
{
    setObjectName(QStringLiteral("frmZoom"));
    setWindowTitle(QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"));
    setWindowFlags(Qt::Window);
    setWindowState(Qt::WindowMaximized);
    setModal(true);
    m_container->setObjectName(QStringLiteral("panContainer"));
    m_container->setCursor(Qt::PointingHandCursor);
    connect(m_photo, &PictureBox::clicked, this, &QDialog::accept);
    fitToScreen();
}

void TfrmZoom::setPicture(const QImage& picture)
{
    m_photo->setPicture(picture);
    fitToScreen();
}

void TfrmZoom::fitToScreen()
{
    const QScreen* screen = this->screen();
    const QSize area = screen ? screen->size() - QSize(60, 90) : QSize(800, 600);
    // The geometry too, for desktops whose window manager ignores the maximised state.
    if (screen)
        setGeometry(screen->availableGeometry());
    m_container->resize(area);
    // The photo at its real size, centred; only one larger than the area is scaled down to fit.
    QSize shown = m_photo->picture().isNull() ? area : m_photo->picture().size();
    if (shown.width() > area.width() || shown.height() > area.height())
        shown.scale(area, Qt::KeepAspectRatio);
    m_photo->setGeometry(QRect(QPoint((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2), shown));
    m_container->move((width() - area.width()) / 2, (height() - area.height()) / 2);
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    fitToScreen();
    QDialog::showEvent(event);
}

void TfrmZoom::resizeEvent(QResizeEvent* event)
{
    // The panel stays centred in whatever the window manager gives the maximised window.
    m_container->move((width() - m_container->width()) / 2, (height() - m_container->height()) / 2);
    QDialog::resizeEvent(event);
}

void TfrmZoom::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    style::paintBackground(painter, rect(), steelBlueToWhite);
}

void TfrmZoom::mouseReleaseEvent(QMouseEvent* event)
{
    // The panel around the picture closes the view too.
    if (event->button() == Qt::LeftButton && m_container->geometry().contains(event->position().toPoint()))
        accept();
    QDialog::mouseReleaseEvent(event);
}

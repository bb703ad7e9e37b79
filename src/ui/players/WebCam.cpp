#include "players/WebCam.h"

#include "app/Plugins.h"
#include "common/Dialogs.h"
#include "common/Style.h"
#include "platform/Platform.h"
#include "players/PhotoFiles.h"
#include "players/PhotoStore.h"
#include "players/PictureBox.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize boxSize{366, 274};

const QString noCameraMessage = u"Nessuna webcam disponibile."_s;
const QString noSupportMessage = u"La webcam non \u00E8 disponibile: il supporto per la webcam non \u00E8 installato."_s;

}  // namespace

TfrmWebCam::TfrmWebCam(QWidget* owner)
    : QDialog(owner)
    , m_camera(new PictureBox(u"imgCamera"_s, this))
    , m_target(new PictureBox(u"imgTarget"_s, this))
    , m_supported(platform::cameras().supported())  // the webcam support is loaded here, the first time
{
    setObjectName(u"frmWebCam"_s);
    setWindowTitle(u" Cattura foto con webcam"_s);
    dialogs::makeFixed(this, {788, 410});
    setStyleSheet(u"TfrmWebCam { background-color: #F4F8FB; }"_s);

    for (PictureBox* box : {m_camera, m_target})
        box->setStyleSheet(u"background-color: white;"_s);
    m_camera->setGeometry(QRect(QPoint(20, 20), boxSize));
    m_target->setGeometry(QRect(QPoint(402, 20), boxSize));
    m_camera->setPicture(PictureBox::drawn(u"webcam"_s, boxSize));
    m_target->setPicture(PictureBox::drawn(u"fotocamera"_s, boxSize));

    m_start = button(u"btnAccendi"_s, u"Accendi webcam"_s, {20, 310, 176, 34}, &TfrmWebCam::btnAccendiClick);
    m_stop = button(u"btnSpegni"_s, u"Spegni webcam"_s, {210, 310, 176, 34}, &TfrmWebCam::btnSpegniClick);
    m_capture = button(u"btnCattura"_s, u"Cattura foto"_s, {402, 310, 176, 34}, &TfrmWebCam::btnCatturaClick);
    m_saveCapture = button(u"btnSalvaFotogramma"_s, u"Salva foto su disco"_s, {592, 310, 176, 34},
                           &TfrmWebCam::btnSalvaFotogrammaClick);
    m_import = button(u"btnImportaFoto"_s, u"Importa foto in scheda"_s, {402, 358, 176, 34},
                      &TfrmWebCam::btnImportaFotoClick);
    // Until a frame is captured the right box shows a drawing, which is no one's photo.
    m_saveCapture->setEnabled(false);
    m_import->setEnabled(false);
    button(u"btnClose"_s, u"Annulla"_s, {592, 358, 176, 34}, &QDialog::reject);
    setRunning(false);
}

TfrmWebCam::~TfrmWebCam()
{
    if (m_source)
        m_source->stop();
}

QPushButton* TfrmWebCam::button(const QString& name, const QString& caption, QRect geometry,
                                void (TfrmWebCam::*action)())
{
    auto* result = new QPushButton(caption, this);
    result->setObjectName(name);
    result->setGeometry(geometry);
    result->setFont(style::verdana(9, true));
    connect(result, &QPushButton::clicked, this, action);
    return result;
}

void TfrmWebCam::setRunning(bool running)
{
    m_start->setEnabled(!running);
    m_stop->setEnabled(running);
    m_capture->setEnabled(running);
}

void TfrmWebCam::btnAccendiClick()
{
    if (!m_supported) {
        platform::informationBox(plugins::missingBoxMessage(noSupportMessage, plugins::webcam), this);
        return;
    }
    if (!m_source)
        m_source = platform::cameras().defaultCamera();
    if (!m_source) {
        platform::informationBox(noCameraMessage, this);
        return;
    }
    m_frame = QImage();
    const QString error = m_source->start(
        [this](const QImage& frame) { frameArrived(frame); },
        [this](const QString& failure) { cameraFailed(failure); });
    if (!error.isEmpty()) {
        cameraFailed(error);
        return;
    }
    setRunning(true);
}

void TfrmWebCam::cameraFailed(const QString& error)
{
    // The source is kept (it may be the one reporting): a later start tries the camera again.
    setRunning(false);
    platform::informationBox(error, this);
}

void TfrmWebCam::btnSpegniClick()
{
    if (m_source)
        m_source->stop();
    setRunning(false);
}

void TfrmWebCam::frameArrived(const QImage& frame)
{
    m_frame = frame;
    m_camera->setPicture(frame);
}

void TfrmWebCam::btnCatturaClick()
{
    // A camera that has not sent a frame yet leaves nothing to capture.
    if (m_frame.isNull())
        return;
    // Kept and saved like any picture put into the photo: no bigger than the sheet prints it.
    m_captured = photoStore::reduced(m_frame);
    m_target->setPicture(m_captured);
    m_saveCapture->setEnabled(true);
    m_import->setEnabled(true);
}

void TfrmWebCam::btnSalvaFotogrammaClick()
{
    if (!m_captured.isNull())
        photoFiles::saveCopy(this, m_captured);
}

void TfrmWebCam::btnImportaFotoClick()
{
    if (m_captured.isNull())
        return;
    btnSpegniClick();
    if (m_importTarget)
        m_importTarget(m_captured);
    accept();
}

void TfrmWebCam::reject()
{
    btnSpegniClick();
    QDialog::reject();
}

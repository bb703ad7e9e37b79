#include "players/PhotoFiles.h"

#include "platform/Platform.h"
#include "players/PhotoStore.h"

#include <QFileInfo>
#include <QWidget>

using namespace Qt::StringLiterals;

std::optional<QImage> photoFiles::load(QWidget* owner)
{
    const QString file = platform::fileDialogs().openFile(
        {u"Selezionare un file di immagine in formato Jpeg o Bitmap."_s, {}, {},
         {u"Immagine JPEG (*.jpg *.jpeg)"_s, u"Immagine Bitmap (*.bmp)"_s}},
        owner);
    if (file.isEmpty())
        return std::nullopt;
    const QImage picture = photoStore::read(file);
    if (picture.isNull()) {
        platform::warningBox(u"Attenzione: il file indicato non contiene un'immagine Jpeg o Bitmap leggibile.\r\n\r\n"
                             u"La foto non \u00E8 stata cambiata."_s,
                             owner);
        return std::nullopt;
    }
    return picture;
}

void photoFiles::saveCopy(QWidget* owner, const QImage& picture)
{
    QString file = platform::fileDialogs().saveFile(
        {u"Selezionare la cartella in cui si desidera salvare il file Jpeg."_s, {}, u"Foto.jpg"_s,
         {u"File Jpeg (*.jpg)"_s}},
        owner);
    if (file.isEmpty())
        return;
    if (QFileInfo(file).suffix().isEmpty())
        file += u".jpg"_s;
    if (!photoStore::writeJpeg(file, picture))
        platform::warningBox(u"Attenzione: non \u00E8 stato possibile salvare la foto nel file indicato.\r\n\r\n"
                             u"Accertarsi di possedere i privilegi di scrittura nella cartella scelta."_s,
                             owner);
}

#include "players/PhotoFiles.h"

#include "platform/ChooserFolders.h"
#include "platform/Platform.h"
#include "players/PhotoStore.h"
#include "players/PlayerPhoto.h"
#include "storage/DiskFile.h"

#include <QFileInfo>
#include <QWidget>

using namespace Qt::StringLiterals;

void photoFiles::load(QWidget* owner, PlayerPhoto& photo)
{
    const QString file = platform::fileDialogs().openFile(
        {u"Selezionare un file di immagine in formato Jpeg o Bitmap."_s, chooserFolders::pictures(), {},
         {u"Immagine JPEG o Bitmap (*.jpg *.jpeg *.bmp)"_s, u"Immagine JPEG (*.jpg *.jpeg)"_s,
          u"Immagine Bitmap (*.bmp)"_s, u"Tutti i file (*)"_s}},
        owner);
    if (file.isEmpty())
        return;
    photo.pick(file, [owner](const QString& error) { platform::warningBox(error, owner); });
}

void photoFiles::saveCopy(QWidget* owner, const QImage& picture)
{
    QString file = platform::fileDialogs().saveFile(
        {u"Selezionare la cartella in cui si desidera salvare il file Jpeg."_s, chooserFolders::pictures(), u"Foto.jpg"_s,
         {u"File Jpeg (*.jpg)"_s}, u"jpg"_s},
        owner);
    if (file.isEmpty())
        return;
    // A dialog that left the extension to us has not asked about the file it names.
    if (QFileInfo(file).suffix().isEmpty()) {
        file += u".jpg"_s;
        if (DiskFile::exists(file)
            && !platform::questionBox(
                u"Attenzione: il file \"%1\" esiste gi\u00E0.\r\n\r\nSi vuole sostituirlo?"_s.arg(QFileInfo(file).fileName()),
                owner, platform::Answer::No))
            return;
    }
    if (!photoStore::writeJpeg(file, picture))
        platform::warningBox(u"Attenzione: non \u00E8 stato possibile salvare la foto nel file indicato.\r\n\r\n"
                             u"Accertarsi di possedere i privilegi di scrittura nella cartella scelta."_s,
                             owner);
}

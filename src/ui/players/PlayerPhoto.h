#pragma once

#include "players/PhotoStore.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class PictureBox;

// The player's photo as the editor holds it: the picture in the photo box, whether the user put
// it there since the record was shown, and the photo file as it stood then. A save writes the
// photo file only when it has to, never over a photo another station wrote meanwhile, and a
// JPEG the user picked goes into it byte for byte.
class PlayerPhoto {
public:
    explicit PlayerPhoto(PictureBox* box);

    // The photo box's size on the editor, and the placeholder's.
    static constexpr QSize boxSize{307, 394};

    // The photo of the record at `position`, read on a worker; the file is noted as it stands.
    void load(qint64 position);
    // The placeholder, for a record not in the archive yet (new, duplicate).
    void reset();

    // What the user puts in the box: a picture (with the file's own JPEG bytes when they can be
    // stored as they are), or the placeholder when the photo is cleared.
    void put(const QImage& picture, const QByteArray& jpeg = {});
    void clear();
    // The picture file the user picked, put in once a worker has decoded it: a huge file never
    // holds the window up. Until then the box keeps its picture, and keeps it when the file cannot
    // be read; `failed` then gets the reason, from the event loop.
    void pick(const QString& file, std::function<void(const QString& error)> failed);
    // The user put a picture in since the record was shown or saved.
    bool changed() const;

    // The photo file of `position` is as it stood when the record was shown there (always, for a
    // position the record was not shown at).
    bool unchangedOnDisk(qint64 position) const;
    // After the record was saved at `position`: writes the photo file when the picture changed,
    // the record is new there, or the file is missing. False when the file could not be written;
    // the picture then stays a change, to be written by the next save.
    bool store(qint64 position);

    QImage picture() const;
    static const QImage& placeholder();

private:
    // Takes in the picked picture once it has been read (waiting for it when it has not).
    void settle() const;

    PictureBox* m_box;
    mutable bool m_changed = false;
    mutable QByteArray m_jpeg;     // the picture's own bytes, when it came from a JPEG file
    // The picked file as the worker read it; set while it is being read, not yet taken in.
    mutable std::shared_ptr<photoStore::Picture> m_picked;
    qint64 m_shownAt = 0;          // the record's position; 0 for a record not in the archive
    photoStore::Stamp m_onDisk;    // the photo file of m_shownAt as it stood when shown or saved
};

#include "players/PlayerPhoto.h"

#include "players/PictureBox.h"

PlayerPhoto::PlayerPhoto(PictureBox* box)
    : m_box(box)
{
    reset();
}

const QImage& PlayerPhoto::placeholder()
{
    static const QImage picture = PictureBox::drawn(QStringLiteral("foto_vuota"), boxSize);
    return picture;
}

void PlayerPhoto::load(qint64 position)
{
    // Read on a worker: a large photo never holds up the record it belongs to.
    photoStore::makeFolder();
    m_onDisk = photoStore::stamp(position);
    m_box->loadPicture([file = photoStore::path(position)] { return photoStore::read(file); }, placeholder());
    m_shownAt = position;
    m_changed = false;
    m_jpeg.clear();
    m_picked.reset();
}

void PlayerPhoto::reset()
{
    m_box->setPicture(placeholder());
    m_shownAt = 0;
    m_onDisk = {};
    m_changed = false;
    m_jpeg.clear();
    m_picked.reset();
}

void PlayerPhoto::put(const QImage& picture, const QByteArray& jpeg)
{
    m_box->setPicture(picture);
    m_changed = true;
    m_jpeg = jpeg;
    m_picked.reset();
}

void PlayerPhoto::pick(const QString& file, std::function<void(const QString& error)> failed)
{
    settle();  // an earlier pick still being read counts, should this one fail
    // Written by the worker; read here only once its reading has finished.
    auto read = std::make_shared<photoStore::Picture>();
    m_box->loadPicture(
        [file, read] {
            *read = photoStore::readPicture(file);
            return read->image;
        },
        m_box->picture(), [read, failed = std::move(failed)] { failed(read->error); });
    m_picked = read;
}

void PlayerPhoto::settle() const
{
    if (!m_picked)
        return;
    m_box->picture();  // waits for the worker
    if (!m_picked->image.isNull()) {
        m_changed = true;
        m_jpeg = m_picked->jpeg;
    }
    m_picked.reset();
}

bool PlayerPhoto::changed() const
{
    settle();
    return m_changed;
}

void PlayerPhoto::clear() { put(placeholder()); }

bool PlayerPhoto::unchangedOnDisk(qint64 position) const
{
    return position != m_shownAt || photoStore::stamp(position) == m_onDisk;
}

bool PlayerPhoto::store(qint64 position)
{
    settle();
    // A record saved without a photo still gets one: the placeholder.
    const bool needed = m_changed || position != m_shownAt || !m_onDisk.exists;
    if (needed) {
        const bool written = m_jpeg.isEmpty() ? photoStore::store(position, picture())
                                              : photoStore::storeEncoded(position, m_jpeg);
        if (!written)
            return false;
    }
    m_shownAt = position;
    m_onDisk = photoStore::stamp(position);
    m_changed = false;
    return true;
}

QImage PlayerPhoto::picture() const { return m_box->picture(); }

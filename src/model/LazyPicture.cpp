#include "model/LazyPicture.h"

#include "config/DataCentre.h"
#include "config/DataCentreImages.h"
#include "model/GraphicProperties.h"

#include <QBuffer>
#include <QImageIOHandler>
#include <QImageReader>
#include <QMutex>
#include <QtDebug>

#include <atomic>

namespace {

std::atomic<int> gDecodeCount{0};

QImage decodeBytes(const QByteArray &encoded, const QString &path)
{
    QImageReader::setAllocationLimit(DataCentreImages::kImageAllocationLimitMB);
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull())
        qWarning() << "cannot read image" << path << reader.errorString();
    return image;
}

// The size the decoded picture will have, from the header alone.
QSize headerSize(const QByteArray &encoded, const QString &path)
{
    QBuffer buffer;
    QImageReader reader;
    if (!encoded.isEmpty()) {
        buffer.setData(encoded);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    } else {
        reader.setFileName(path);
    }
    QSize size = reader.size();
    if (size.isValid() && (reader.transformation() & QImageIOHandler::TransformationRotate90))
        size.transpose();
    return size;
}

} // namespace

struct LazyPicture::State {
    QMutex lock;
    QByteArray encoded; // kept for a picture as read: its properties form carries it
    QString path;
    QImage image;
    QSize size; // while pending: from the header, once asked
    QSize filesMadeFor;
    std::atomic<bool> pending{false};
    bool asRead = false;
};

LazyPicture::LazyPicture(const QImage &image)
{
    if (!image.isNull()) {
        m_state = std::make_shared<State>();
        m_state->image = image;
    }
}

LazyPicture &LazyPicture::operator=(const QImage &image)
{
    *this = LazyPicture(image);
    return *this;
}

LazyPicture LazyPicture::fromEncoded(const QByteArray &encoded, const QString &path, const QImage &decoded)
{
    LazyPicture picture;
    if (encoded.isEmpty() && path.isEmpty())
        return LazyPicture(decoded);
    auto state = std::make_shared<State>();
    state->encoded = encoded;
    state->path = path;
    state->asRead = true;
    state->image = decoded;
    state->pending.store(decoded.isNull(), std::memory_order_release);
    picture.m_state = std::move(state);
    return picture;
}

const QImage &LazyPicture::image() const
{
    static const QImage none;
    if (!m_state)
        return none;
    State &s = *m_state;
    if (s.pending.load(std::memory_order_acquire)) {
        const QMutexLocker locker(&s.lock);
        if (s.pending.load(std::memory_order_relaxed)) {
            // A file that went missing or cannot be read leaves the picture
            // empty, as it would have been had it been decoded while the page opened.
            s.image = decode(s.encoded, s.path);
            s.pending.store(false, std::memory_order_release);
        }
    }
    return s.image;
}

bool LazyPicture::isNull() const
{
    if (!m_state)
        return true;
    return !m_state->pending.load(std::memory_order_acquire) && m_state->image.isNull();
}

QSize LazyPicture::size() const
{
    if (!m_state)
        return QSize();
    State &s = *m_state;
    if (s.pending.load(std::memory_order_acquire)) {
        const QMutexLocker locker(&s.lock);
        if (s.pending.load(std::memory_order_relaxed)) {
            if (!s.size.isValid())
                s.size = headerSize(s.encoded, s.path);
            if (s.size.isValid())
                return s.size;
        }
    }
    return image().size();
}

bool LazyPicture::isDecoded() const { return !m_state || !m_state->pending.load(std::memory_order_acquire); }
bool LazyPicture::isAsRead() const { return m_state && m_state->asRead; }
QString LazyPicture::sourcePath() const { return m_state && m_state->asRead ? m_state->path : QString(); }
QByteArray LazyPicture::encoded() const { return m_state && m_state->asRead ? m_state->encoded : QByteArray(); }

QSize LazyPicture::filesMadeFor() const
{
    if (!m_state)
        return QSize();
    const QMutexLocker locker(&m_state->lock);
    return m_state->filesMadeFor;
}

void LazyPicture::setFilesMadeFor(const QSize &size) const
{
    if (!m_state)
        return;
    const QMutexLocker locker(&m_state->lock);
    m_state->filesMadeFor = size;
}

void LazyPicture::write(GraphicProperties &p, const QString &key) const
{
    if (isAsRead()) {
        p.set(key + QLatin1String("Data"), m_state->encoded);
        p.setString(key + QLatin1String("File"), m_state->path);
        if (isDecoded() && !m_state->image.isNull())
            p.setImage(key, m_state->image);
    } else if (!isNull()) {
        p.setImage(key, image());
    }
}

void LazyPicture::read(const GraphicProperties &p, const QString &key)
{
    const QByteArray encoded = p.value(key + QLatin1String("Data")).toByteArray();
    const QString path = p.string(key + QLatin1String("File"));
    const QImage decoded = p.image(key);
    if (!encoded.isEmpty() || !path.isEmpty())
        *this = fromEncoded(encoded, path, decoded);
    else if (!decoded.isNull())
        *this = LazyPicture(decoded);
}

QImage LazyPicture::decode(const QByteArray &encoded, const QString &path)
{
    if (encoded.isEmpty() && path.isEmpty())
        return QImage();
    gDecodeCount.fetch_add(1, std::memory_order_relaxed);
    if (!encoded.isEmpty())
        return decodeBytes(encoded, path);
    return DataCentre::readImage(path);
}

int LazyPicture::decodeCount() { return gDecodeCount.load(std::memory_order_relaxed); }

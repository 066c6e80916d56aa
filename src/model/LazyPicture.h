#pragma once
// A picture that may still wait in its encoded form: the bytes of the file a
// page was read from, decoded the first time its pixels are asked for. Page
// image graphics and the pictures inside slideshows, galleries and tables
// hold their pictures this way, so opening a page with many pictures decodes
// none of them, and saving one whose picture is still the one read can leave
// its files alone.
//
// Copies share one decode: a picture copied into an undo record or a
// properties map is decoded at most once, whichever copy asks first. Setting
// a QImage makes a picture of those pixels that is no longer "as read".
#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

class GraphicProperties;

class LazyPicture {
public:
    LazyPicture() = default;
    LazyPicture(const QImage &image); // NOLINT: a picture in memory stands where a QImage did
    LazyPicture &operator=(const QImage &image);

    // The picture read from path (its bytes in encoded; empty to read the
    // file itself when first needed). decoded, when given, is the picture
    // already decoded from those bytes.
    static LazyPicture fromEncoded(const QByteArray &encoded, const QString &path, const QImage &decoded = QImage());

    // The pixels, decoded on first use (thread-safe: books are painted on a
    // worker). A picture that cannot be decoded reads as a null image.
    const QImage &image() const;
    operator const QImage &() const { return image(); } // NOLINT
    // Null only for no picture at all; a picture still waiting counts as present.
    bool isNull() const;
    // The size, from the encoded header while the picture waits (turned
    // upright as decoding would turn it).
    QSize size() const;
    int width() const { return size().width(); }
    int height() const { return size().height(); }

    // Whether the pixels are in memory.
    bool isDecoded() const;
    // Whether this is still the picture read from sourcePath() (decoded or
    // not); false for a picture set from pixels.
    bool isAsRead() const;
    QString sourcePath() const;
    QByteArray encoded() const;
    // The retina size the picture's files in the page folder were last made
    // for (invalid when unknown). Shared by copies, as the files are.
    QSize filesMadeFor() const;
    void setFilesMadeFor(const QSize &size) const;

    // Properties form under key: a picture as read keeps its bytes and file
    // under key + "Data" / key + "File" (and its pixels under key once they
    // are decoded), any other its pixels under key. Nothing for no picture.
    void write(GraphicProperties &p, const QString &key) const;
    // Reads what write wrote; an absent picture leaves this one as it was.
    void read(const GraphicProperties &p, const QString &key);

    // Decodes a picture as the page reader reads it (turned upright, within
    // the allocation limit): from encoded when it holds bytes, else from path.
    static QImage decode(const QByteArray &encoded, const QString &path);
    // How many pictures were decoded from encoded bytes or files since the
    // program started: lets tests and benchmarks see that work was skipped.
    static int decodeCount();

private:
    struct State;
    std::shared_ptr<State> m_state;
};

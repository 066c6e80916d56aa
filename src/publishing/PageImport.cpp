#include "publishing/PageImport.h"

#include "config/DataCentreNames.h"
#include "platform/Bundle.h"
#include "platform/HttpClient.h"
#include "platform/TextCodec.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

const QString PageImport::kWebMark = QStringLiteral("<meta name='Generator' content='HTML Zov");
const QString PageImport::kFormMark = QStringLiteral("<meta name='Generator' content='Trelko Forms");

namespace {

// Pictures larger than this many bytes once decoded are not made: a style sheet can
// ask for any size.
constexpr qint64 kMaxDecodedBytes = qint64(256) * 1024 * 1024;

QString extensionOf(const QString &address)
{
    const QString path = QUrl(address).path();
    return QFileInfo(path).suffix();
}

bool isPlainName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return plain.match(name).hasMatch();
}

class Clock {
public:
    Clock() { timer_.start(); }
    // The time-out for the next request, or 0 when the import is out of time.
    int nextTimeout() const
    {
        const qint64 left = PageImport::kTotalTimeoutMs - timer_.elapsed();
        return left <= 0 ? 0 : int(qMin<qint64>(left, PageImport::kRequestTimeoutMs));
    }

private:
    QElapsedTimer timer_;
};

QByteArray fetch(HttpClient &client, const Clock &clock, const QString &url, qint64 maxBytes)
{
    const int timeout = clock.nextTimeout();
    if (timeout <= 0)
        return {};
    const HttpClient::Response response = client.get(url, timeout, maxBytes);
    if (!response.ok || response.status < 200 || response.status >= 300)
        return {};
    return response.body;
}

QImage decodePicture(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > kMaxDecodedBytes)
        return {};
    return reader.read();
}

bool isPicture(const QImage &image)
{
    return !image.isNull() && image.width() * image.height() > 1;
}

bool writePicture(const QImage &image, const QString &path, const QString &type)
{
    const bool jpeg = type.compare(QLatin1String("JPG"), Qt::CaseInsensitive) == 0
        || type.compare(QLatin1String("JPEG"), Qt::CaseInsensitive) == 0;
    if (image.save(path, jpeg ? "JPEG" : "PNG", jpeg ? 100 : -1))
        return true;
    // The picture could not be turned into file data: the transparent placeholder
    // keeps the page's layout.
    QImage placeholder(Bundle::pathForResource(QStringLiteral("clearGrid"), QStringLiteral("png")));
    if (placeholder.isNull()) {
        placeholder = QImage(1, 1, QImage::Format_ARGB32);
        placeholder.fill(Qt::transparent);
    }
    return placeholder.save(path, "PNG");
}

QStringList grabImagesWith(HttpClient &client, const Clock &clock, const QString &text, const QString &address, const QString &folder)
{
    QStringList written;
    // The retina copy, when the server has one, replaces the plain one.
    const QString base = PageImport::imageBase(address);
    for (const PageImport::ImageRule &rule : PageImport::imageRules(text)) {
        const QString fileName = rule.name + QStringLiteral("o.") + rule.type;
        const QString target = QDir(folder).filePath(fileName);
        bool done = false;
        for (const QString &suffix : {QString(), QStringLiteral("@2x")}) {
            const QImage image = decodePicture(fetch(client, clock, base + QLatin1Char('/') + rule.name + suffix + QLatin1Char('.') + rule.type, PageImport::kMaxImageBytes));
            if (!isPicture(image))
                continue;
            if (writePicture(image.scaled(rule.width, rule.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation), target, rule.type))
                done = true;
        }
        if (done)
            written.append(fileName);
    }
    if (PageImport::hasBackgroundPicture(text)) {
        const QImage image = decodePicture(fetch(client, clock, base + QStringLiteral("/background.PNG"), PageImport::kMaxImageBytes));
        if (isPicture(image) && writePicture(image, QDir(folder).filePath(QStringLiteral("background.PNG")), QStringLiteral("PNG")))
            written.append(QStringLiteral("background.PNG"));
    }
    return written;
}

}  // namespace

QStringList PageImport::grabImages(const QString &pageText, const QString &address, const QString &imageFolder)
{
    Clock clock;
    HttpClient client;
    return grabImagesWith(client, clock, pageText, address, imageFolder);
}

QString PageImport::completedAddress(const QString &typed)
{
    QString address = typed.trimmed();
    if (address.size() >= 5 && !address.startsWith(QLatin1String("http")))
        address.prepend(QLatin1String("http://"));
    return address;
}

QString PageImport::decode(const QByteArray &bytes, int encoding)
{
    switch (encoding) {
    case 0:
        return QString::fromUtf8(bytes);
    case 1:
        return TextCodec::fromUTF16(bytes);
    case 2:
        return TextCodec::fromWindows1251(bytes);
    case 3: {
        QStringDecoder decoder("GB18030");
        if (decoder.isValid())
            return decoder.decode(bytes);
        return QString::fromUtf8(bytes);
    }
    default: {
        QString text = QString::fromLatin1(bytes);
        for (QChar &c : text)
            if (c.unicode() > 0x7f)
                c = QLatin1Char('?');
        return text;
    }
    }
}

QString PageImport::pageExtensionFor(const QString &address, const QString &text)
{
    const QString extension = extensionOf(address);
    if (extension == QLatin1String("html"))
        return text.contains(kWebMark) ? extension : QString();
    if (extension == QLatin1String("php"))
        return text.contains(kFormMark) || text.contains(kWebMark) ? extension : QString();
    return {};
}

QStringList PageImport::styleLines(const QString &pageText)
{
    const qsizetype end = pageText.indexOf(QLatin1String("</style></head>"));
    if (end < 0)
        return {};
    return pageText.left(end).split(QLatin1Char('\n'));
}

QList<PageImport::ImageRule> PageImport::imageRules(const QString &pageText)
{
    static const QStringList types = {QStringLiteral("PNG"), QStringLiteral("JPG"), QStringLiteral("JPEG"), QStringLiteral("GIF")};
    QList<ImageRule> rules;
    for (QString line : styleLines(pageText)) {
        if (!line.startsWith(QLatin1String(".image")))
            continue;
        for (const char *mark : {";", "=", "{"})
            line.replace(QLatin1String(mark), QLatin1String(":"));
        for (const char *mark : {"px", "#", "\"", "}"})
            line.remove(QLatin1String(mark));
        const QStringList parts = line.split(QLatin1Char(':'));
        QString name, type;
        bool hasWidth = false, hasHeight = false;
        qint64 width = 0, height = 0;
        for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
            const QString key = parts.at(i).trimmed();
            const QString value = parts.at(i + 1).trimmed();
            if (key == QLatin1String("imagename"))
                name = value;
            else if (key == QLatin1String("imagetype"))
                type = value;
            else if (key == QLatin1String("width"))
                width = value.toLongLong(&hasWidth);
            else if (key == QLatin1String("height"))
                height = value.toLongLong(&hasHeight);
        }
        if (!isPlainName(name) || !types.contains(type, Qt::CaseInsensitive) || !hasWidth || !hasHeight)
            continue;
        rules.append({name, type, int(qBound<qint64>(1, width, qint64(kMaxImageSide))), int(qBound<qint64>(1, height, qint64(kMaxImageSide)))});
    }
    return rules;
}

bool PageImport::hasBackgroundPicture(const QString &pageText)
{
    for (const QString &line : styleLines(pageText))
        if (line.contains(QLatin1String("body{background-image:url(")))
            return true;
    return false;
}

QString PageImport::imageBase(const QString &address)
{
    const QString extension = extensionOf(address);
    QString base = address;
    if (extension != QLatin1String("html") && extension != QLatin1String("php")) {
        while (base.endsWith(QLatin1Char('/')))
            base.chop(1);
        base += QLatin1String("/index.html");
    }
    return base.left(base.lastIndexOf(QLatin1Char('.')));
}

QString PageImport::refusalTitle()
{
    return QStringLiteral("Not able to import");
}

QString PageImport::refusalText()
{
    return QStringLiteral(
        "Please check to make sure:\n\n1.This page is compatible with HTML Zov\n2.You have internet connection and are able to access "
        "this URL\n3.URL is complete with file name and extension\nhttp://www.example.com/index.html");
}

PageImport::Outcome PageImport::run(const Input &input)
{
    Outcome outcome;
    outcome.address = completedAddress(input.typedAddress);
    const QString scheme = QUrl(outcome.address).scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")) {
        outcome.reason = QStringLiteral("Only http and https addresses are imported");
        return outcome;
    }

    Clock clock;
    HttpClient client;  // one kept-alive connection for the page and its pictures
    const QByteArray bytes = fetch(client, clock, outcome.address, kMaxPageBytes);
    if (bytes.isEmpty()) {
        outcome.reason = QStringLiteral("Nothing received from %1").arg(outcome.address);
        return outcome;
    }
    const QString text = decode(bytes, input.encoding);
    const QString pageExtension = pageExtensionFor(outcome.address, text);
    if (pageExtension.isEmpty()) {
        outcome.reason = QStringLiteral("Not a page of ours: %1").arg(outcome.address);
        return outcome;
    }

    const QString lastComponent = QFileInfo(QUrl(outcome.address).path()).completeBaseName();
    outcome.baseName = DataCentreNames::generateNewFileName(lastComponent);
    const QString packageExtension = pageExtension == QLatin1String("php") ? QStringLiteral("trelkoforms") : input.documentExtension;
    outcome.packageName = outcome.baseName + QLatin1Char('.') + packageExtension;

    const QString folder = QDir(input.receivedFolder).filePath(outcome.baseName);
    outcome.pageFile = QDir(folder).filePath(outcome.baseName + QLatin1Char('.') + pageExtension);
    outcome.imageFolder = QDir(folder).filePath(outcome.baseName);
    QFile::remove(outcome.pageFile);
    if (!QDir().mkpath(outcome.imageFolder)) {
        outcome.reason = QStringLiteral("Could not make %1").arg(outcome.imageFolder);
        return outcome;
    }
    QFile page(outcome.pageFile);
    const QByteArray stored = TextCodec::encodePageText(text);
    if (!page.open(QIODevice::WriteOnly) || page.write(stored) != stored.size() || !page.flush()) {
        outcome.reason = QStringLiteral("Could not write %1").arg(outcome.pageFile);
        return outcome;
    }
    page.close();

    outcome.imagesWritten = grabImagesWith(client, clock, text, outcome.address, outcome.imageFolder);
    outcome.ok = true;
    return outcome;
}

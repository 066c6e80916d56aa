#include "platform/MhtBuilder.h"

#include "platform/TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

namespace {

const qint64 kMaxPartSize = 25 * 1024 * 1024;

bool isRemoteOrInline(const QString &reference)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*:"));
    if (reference.startsWith(QStringLiteral("//")) || reference.startsWith(QLatin1Char('#')))
        return true;
    return scheme.match(reference).hasMatch() && !reference.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive);
}

// The decoded local path a reference names, without query or fragment.
QString localPathOf(const QString &reference)
{
    QString ref = reference.trimmed();
    if (ref.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive))
        return QUrl(ref).toLocalFile();
    const qsizetype cut = ref.indexOf(QRegularExpression(QStringLiteral("[?#]")));
    if (cut >= 0)
        ref.truncate(cut);
    return QUrl::fromPercentEncoding(ref.toUtf8());
}

bool isInside(const QString &path, const QString &folder)
{
    return path.startsWith(folder + QLatin1Char('/'));
}

}  // namespace

QString MhtBuilder::contentTypeFor(const QString &fileName)
{
    static const QHash<QString, QString> types = {
        {QStringLiteral("png"), QStringLiteral("image/png")},
        {QStringLiteral("jpg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("jpeg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("gif"), QStringLiteral("image/gif")},
        {QStringLiteral("webp"), QStringLiteral("image/webp")},
        {QStringLiteral("svg"), QStringLiteral("image/svg+xml")},
        {QStringLiteral("bmp"), QStringLiteral("image/bmp")},
        {QStringLiteral("ico"), QStringLiteral("image/x-icon")},
        {QStringLiteral("tif"), QStringLiteral("image/tiff")},
        {QStringLiteral("tiff"), QStringLiteral("image/tiff")},
    };
    return types.value(QFileInfo(fileName).suffix().toLower(), QStringLiteral("application/octet-stream"));
}

bool MhtBuilder::build(const QString &htmlPath, MimeMessage &message)
{
    html_.clear();
    embedded_.clear();
    skipped_.clear();
    error_.clear();
    QFile file(htmlPath);
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("Could not read %1: %2").arg(htmlPath, file.errorString());
        return false;
    }
    // Page files are ASCII or UTF-16 with a mark; other HTML is mostly UTF-8.
    const QString source = TextCodec::decodePageText(file.readAll());
    const QFileInfo page(htmlPath);
    const QString folder = page.dir().canonicalPath();

    QHash<QString, QString> idOfFile;  // canonical path -> content id
    const QString domain = QStringLiteral("@zov.local");
    // Answers the cid: reference for a local picture, or an empty text to leave it.
    const auto cidFor = [&](const QString &reference) -> QString {
        if (reference.trimmed().isEmpty() || isRemoteOrInline(reference.trimmed()))
            return {};
        const QString local = localPathOf(reference);
        const QString absolute = QFileInfo(local).isAbsolute() ? local : page.dir().filePath(local);
        const QFileInfo info(absolute);
        // Canonical paths resolve "..", and links, so a name leading out is caught.
        const QString canonical = info.canonicalFilePath();
        if (canonical.isEmpty() || !info.isFile() || !isInside(canonical, folder) || info.size() > kMaxPartSize) {
            skipped_.append(reference);
            return {};
        }
        if (auto it = idOfFile.constFind(canonical); it != idOfFile.constEnd())
            return *it;
        QFile picture(canonical);
        if (!picture.open(QIODevice::ReadOnly)) {
            skipped_.append(reference);
            return {};
        }
        const QString id = QStringLiteral("part%1.%2%3")
                               .arg(idOfFile.size() + 1)
                               .arg(QString::number(qHash(canonical), 16), domain);
        message.addRelatedPart({picture.readAll(), contentTypeFor(canonical), id, info.fileName()});
        idOfFile.insert(canonical, id);
        embedded_.append(canonical);
        return id;
    };

    // Attribute references, quoted either way or bare, and CSS url() anywhere.
    static const QRegularExpression attribute(
        QStringLiteral("(\\b(?:src|background)\\s*=\\s*)(?:\"([^\"]*)\"|'([^']*)'|([^\\s>\"']+))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression cssUrl(
        QStringLiteral("(url\\(\\s*)(?:\"([^\"]*)\"|'([^']*)'|([^)\\s\"']*))(\\s*\\))"),
        QRegularExpression::CaseInsensitiveOption);

    const auto rewrite = [&](const QString &text, const QRegularExpression &re) {
        QString out;
        qsizetype last = 0;
        for (auto it = re.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            int group = 2;
            while (group <= 4 && m.capturedStart(group) < 0)
                ++group;
            const QString reference = m.captured(group);
            const QString id = cidFor(reference);
            if (id.isEmpty())
                continue;
            out += text.mid(last, m.capturedStart(group) - last);
            out += QStringLiteral("cid:") + id;
            last = m.capturedEnd(group);
        }
        out += text.mid(last);
        return out;
    };
    html_ = rewrite(rewrite(source, attribute), cssUrl);
    message.setHtmlBody(html_);
    return true;
}

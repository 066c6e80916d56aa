#include "window/PageOrderFile.h"

#include "platform/SafeFileWrite.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

QByteArray PageOrderFile::encode(const QList<PageEntry> &pages)
{
    QString text;
    for (int i = 0; i < pages.size(); ++i)
        text += pages.at(i).documentName + QLatin1Char(',') + QString::number(i) + QLatin1Char('\n');
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 128; });
    if (ascii)
        return text.toLatin1();
    QStringEncoder encoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

bool PageOrderFile::write(const QString &path, const QList<PageEntry> &pages, QString *error)
{
    return SafeFileWrite::write(path, encode(pages), error);
}

void PageOrderFile::apply(const QString &path, QList<PageEntry> &pages)
{
    QFile file(path);
    if (!file.exists()) {
        for (int i = 0; i < pages.size(); ++i)
            pages[i].pageNumber = i;
    } else {
        for (PageEntry &page : pages)
            page.pageNumber = 0;
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            QString text;
            if (bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
                QStringDecoder decoder(QStringDecoder::Utf16);
                text = decoder.decode(bytes);
            } else {
                QStringDecoder decoder(QStringDecoder::Utf8);
                text = decoder.decode(bytes);
            }
            const QStringList lines = text.trimmed().split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts);
            for (const QString &line : lines) {
                const int comma = int(line.lastIndexOf(QLatin1Char(',')));
                if (comma < 0)
                    continue;
                const QString name = line.left(comma);
                const int number = line.mid(comma + 1).trimmed().toInt();
                for (int i = int(pages.size()) - 1; i >= 0; --i)
                    if (pages.at(i).documentName == name) {
                        pages[i].pageNumber = number;
                        break;
                    }
            }
        }
    }
    std::stable_sort(pages.begin(), pages.end(),
                     [](const PageEntry &a, const PageEntry &b) { return a.pageNumber < b.pageNumber; });
}

// Writes what a desktop needs to start each edition and open its pages: one
// desktop entry per edition (its name, its icon, "zov --edition NAME"), the
// icons beside them, and the page file types of every edition as a
// shared-mime-info package. Installed by `cmake --install`.
//
//   make_desktop_entries EDITIONS_JSON ICONS_FOLDER OUTPUT_FOLDER IDENTIFIER
#include "config/EditionTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>

#include <cstdio>

namespace {

QString slugOf(const QString &name)
{
    QString slug = name.toLower();
    slug.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    while (slug.startsWith(QLatin1Char('-')))
        slug.remove(0, 1);
    while (slug.endsWith(QLatin1Char('-')))
        slug.chop(1);
    return slug.isEmpty() ? QStringLiteral("zov") : slug;
}

// A value inside a desktop entry's Exec line, quoted as the desktop entry
// rules ask: in double quotes, with " ` $ and \ escaped.
QString quotedArgument(const QString &value)
{
    QString quoted;
    for (const QChar c : value) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // The entry's own string escapes come on top: a backslash is written twice.
    quoted.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString mimeTypeOf(const QString &extension)
{
    return QStringLiteral("application/x-zov-") + extension.toLower();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        std::fprintf(stderr, "make_desktop_entries: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

bool copyIcon(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_desktop_entries: no icon %s\n", qPrintable(from));
        return false;
    }
    return writeFile(to, source.readAll());
}

}  // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: make_desktop_entries EDITIONS_JSON ICONS_FOLDER OUTPUT_FOLDER IDENTIFIER\n");
        return 2;
    }
    QString error;
    const EditionTable table = EditionTable::load(args.at(1), &error);
    if (table.isEmpty()) {
        std::fprintf(stderr, "make_desktop_entries: %s\n", qPrintable(error));
        return 1;
    }
    const QDir icons(args.at(2));
    const QDir out(args.at(3));
    const QString identifier = args.at(4);

    QList<EditionEntry> entries = table.editions();
    entries.prepend(table.defaultEdition());
    // An edition without an icon of its own shows the program's (the first edition's).
    QString fallbackIcon;
    for (const EditionEntry &entry : entries)
        if (fallbackIcon.isEmpty() && !entry.icon.isEmpty())
            fallbackIcon = entry.icon;

    QMap<QString, QStringList> editionsOfExtension;
    for (const EditionEntry &entry : entries) {
        const QString name = entry.key.isEmpty() ? QStringLiteral("Zov") : entry.key;
        const QString id = identifier + QLatin1Char('.') + slugOf(name);
        const QString extension = entry.settings.value(QStringLiteral("gDocumentExtension")).toString();
        const QString iconName = entry.icon.isEmpty() ? fallbackIcon : entry.icon;
        if (!copyIcon(icons.filePath(iconName + QStringLiteral(".png")),
                      out.filePath(QStringLiteral("icons/hicolor/256x256/apps/") + id + QStringLiteral(".png"))))
            return 1;
        QString exec = QStringLiteral("zov");
        if (!entry.key.isEmpty())
            exec += QStringLiteral(" --edition ") + quotedArgument(entry.key);
        exec += QStringLiteral(" %F");
        QString text = QStringLiteral("[Desktop Entry]\n"
                                      "Type=Application\n"
                                      "Version=1.0\n"
                                      "Name=%1\n"
                                      "Comment=Lay out pages on a canvas and make them into web pages, e-mails, forms and prints\n"
                                      "Exec=%2\n"
                                      "Icon=%3\n"
                                      "Terminal=false\n"
                                      "Categories=Graphics;Publishing;\n")
                           .arg(name, exec, id);
        if (!extension.isEmpty()) {
            text += QStringLiteral("MimeType=%1;\n").arg(mimeTypeOf(extension));
            editionsOfExtension[extension.toLower()] << name;
        }
        if (!writeFile(out.filePath(QStringLiteral("applications/") + id + QStringLiteral(".desktop")), text.toUtf8()))
            return 1;
    }

    QString mime = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n");
    for (auto it = editionsOfExtension.cbegin(); it != editionsOfExtension.cend(); ++it) {
        mime += QStringLiteral("  <mime-type type=\"%1\">\n"
                               "    <comment>Zov page (.%2)</comment>\n"
                               "    <sub-class-of type=\"application/zip\"/>\n"
                               "    <glob pattern=\"*.%2\"/>\n"
                               "  </mime-type>\n")
                    .arg(mimeTypeOf(it.key()), it.key());
    }
    mime += QStringLiteral("</mime-info>\n");
    if (!writeFile(out.filePath(QStringLiteral("mime/packages/") + identifier + QStringLiteral(".xml")), mime.toUtf8()))
        return 1;
    std::printf("make_desktop_entries: %d editions, %d page types\n", int(entries.size()),
                int(editionsOfExtension.size()));
    return 0;
}

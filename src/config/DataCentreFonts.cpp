#include "config/DataCentreFonts.h"

#include "config/FontSubstitutes.h"

#include "config/DataFiles.h"
#include "config/EditionSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QThread>
#include <QTimer>
#include <algorithm>

QStringList gCustomFontNames;
QStringList gCustomFontSourceCodeNames;

namespace {

struct WebFontRow {
    QString name;
    QString sourceCodeName;
};

const QList<WebFontRow> &webFontRows()
{
    static const QList<WebFontRow> rows = [] {
        QList<WebFontRow> list;
        for (const QString &line : DataFiles::readDataLines(QStringLiteral("webfonts.txt"))) {
            const QStringList cells = line.split(QLatin1Char('\t'));
            if (cells.size() >= 2)
                list.append({cells[0].trimmed(), cells[1].trimmed()});
        }
        return list;
    }();
    return rows;
}

// The family a web-font file carries, when it differs from the name pages
// store: the request name without "+" and weight ("Passion+One" -> "Passion One").
QString fileFamilyOf(const WebFontRow &row)
{
    QString family = row.sourceCodeName.section(QLatin1Char(':'), 0, 0);
    family.replace(QLatin1Char('+'), QLatin1Char(' '));
    return family;
}

// The loaded family that draws a web font whose name is not itself a family:
// the request name's family, else the shortest family that starts with either
// name and a space.
QString fileFamilyFor(const WebFontRow &row, const QStringList &families)
{
    const QString requested = fileFamilyOf(row);
    if (families.contains(requested))
        return requested;
    QString best;
    for (const QString &family : families) {
        if ((family.startsWith(row.name + QLatin1Char(' ')) || family.startsWith(requested + QLatin1Char(' ')))
            && (best.isEmpty() || family.size() < best.size()))
            best = family;
    }
    return best;
}

bool lessCaseInsensitive(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

QStringList DataCentreFonts::loadCustomFont()
{
    const QString folder = DataFiles::fontsFolder();
    if (folder.isEmpty())
        return {};
    return loadCustomFont(folder);
}

namespace {

// Each file is added once per process, however often start-up runs.
QHash<QString, int> &loadedIds()
{
    static QHash<QString, int> ids;
    return ids;
}

struct PendingFonts {
    bool deferred = false;
    bool idleLoading = false;
    QStringList files;
};

PendingFonts &pendingFonts()
{
    static PendingFonts pending;
    return pending;
}

void registerFile(const QString &path, QStringList &added)
{
    auto known = loadedIds().constFind(path);
    const int id = known != loadedIds().constEnd() ? *known : QFontDatabase::addApplicationFont(path);
    loadedIds().insert(path, id);
    if (id < 0)
        return;
    for (const QString &family : QFontDatabase::applicationFontFamilies(id)) {
        if (!added.contains(family))
            added << family;
    }
}

// A stored name such as "Passion" draws with the "Passion One" file, and
// "Bitter" with files whose family reads "Bitter Thin" at every weight.
// The stored name itself is never rewritten.
void substituteStoredNames()
{
    const QStringList families = QFontDatabase::families();
    for (const WebFontRow &row : webFontRows()) {
        if (families.contains(row.name))
            continue;
        const QString drawn = fileFamilyFor(row, families);
        if (!drawn.isEmpty())
            QFont::insertSubstitution(row.name, drawn);
    }
}

// Files registered per turn of the event loop: a few milliseconds, so the
// window on screen stays responsive.
constexpr int kFilesPerTurn = 12;

void registerSomePending()
{
    PendingFonts &pending = pendingFonts();
    if (pending.files.isEmpty()) {
        pending.idleLoading = false;
        return;
    }
    QStringList added;
    for (int i = 0; i < kFilesPerTurn && !pending.files.isEmpty(); ++i)
        registerFile(pending.files.takeFirst(), added);
    if (pending.files.isEmpty()) {
        pending.idleLoading = false;
        substituteStoredNames();
        return;
    }
    QTimer::singleShot(0, QCoreApplication::instance(), registerSomePending);
}

}  // namespace

QStringList DataCentreFonts::loadCustomFont(const QString &folder)
{
    QStringList added;
    const QDir dir(folder);
    const QStringList files =
        dir.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf"), QStringLiteral("*.woff"),
                       QStringLiteral("*.woff2")},
                      QDir::Files, QDir::Name);
    PendingFonts &pending = pendingFonts();
    if (pending.deferred) {
        for (const QString &file : files) {
            const QString path = dir.absoluteFilePath(file);
            if (!loadedIds().contains(path) && !pending.files.contains(path))
                pending.files << path;
        }
        return added;
    }
    for (const QString &file : files)
        registerFile(dir.absoluteFilePath(file), added);
    substituteStoredNames();
    return added;
}

void DataCentreFonts::setDeferredLoading(bool deferred)
{
    pendingFonts().deferred = deferred;
}

void DataCentreFonts::registerPendingFontsWhenIdle()
{
    PendingFonts &pending = pendingFonts();
    if (!QCoreApplication::instance())
        return;
    QTimer::singleShot(0, QCoreApplication::instance(), FontSubstitutes::install);
    if (pending.idleLoading || pending.files.isEmpty())
        return;
    pending.idleLoading = true;
    QTimer::singleShot(0, QCoreApplication::instance(), registerSomePending);
}

void DataCentreFonts::finishLoadingCustomFonts()
{
    PendingFonts &pending = pendingFonts();
    // The font database is the main thread's; a worker finds the fonts ready
    // because no page reaches one before its document opened.
    if (!QCoreApplication::instance() || QThread::currentThread() != QCoreApplication::instance()->thread())
        return;
    FontSubstitutes::install();
    if (pending.files.isEmpty())
        return;
    QStringList added;
    while (!pending.files.isEmpty())
        registerFile(pending.files.takeFirst(), added);
    substituteStoredNames();
}

bool DataCentreFonts::hasPendingFonts()
{
    return !pendingFonts().files.isEmpty();
}

QList<CustomFont> DataCentreFonts::customFontRecords()
{
    // Both columns are sorted on their own, as the web-font list always
    // was; for these fonts the two orders agree row by row.
    QStringList names;
    QStringList sourceNames;
    for (const WebFontRow &row : webFontRows()) {
        names << row.name;
        sourceNames << row.sourceCodeName;
    }
    std::stable_sort(names.begin(), names.end(), lessCaseInsensitive);
    std::stable_sort(sourceNames.begin(), sourceNames.end(), lessCaseInsensitive);
    QList<CustomFont> records;
    for (qsizetype i = 0; i < names.size(); ++i) {
        CustomFont font;
        font.fontName = names[i];
        font.sourceCodeName = sourceNames[i];
        records << font;
    }
    return records;
}

void DataCentreFonts::prepCustomFont()
{
    // A fresh list each run: marks from an earlier page never carry over.
    gCustomFonts = customFontRecords();
    gCustomFontNames.clear();
    gCustomFontSourceCodeNames.clear();
    for (const CustomFont &font : std::as_const(gCustomFonts)) {
        gCustomFontNames << font.fontName;
        gCustomFontSourceCodeNames << font.sourceCodeName;
    }
}

QStringList DataCentreFonts::missingCustomFonts()
{
    finishLoadingCustomFonts();
    const QStringList families = QFontDatabase::families();
    QStringList missing;
    for (const WebFontRow &row : webFontRows()) {
        const QString substitute = QFont::substitute(row.name);
        if (!families.contains(row.name)
            && !(substitute.compare(row.name, Qt::CaseInsensitive) != 0
                 && families.contains(substitute, Qt::CaseInsensitive)))
            missing << row.name;
    }
    return missing;
}

// Writes the browser test's pages of the responsive editions as a person
// makes them: each edition started as main() starts it, a new page from its
// welcome window, a 2-column section, a text into column 1 and a photo into
// column 2 by drag events on the canvas, the text dragged into column 2 and a
// second text dropped into column 1; then File > Save. The page file the
// program stored (with its pictures) is what the browser opens, and
// pages.json says how its columns should sit at each width.
//
//   make_window_pages OUTPUT_FOLDER [SMTP_HOST [REFUSING_SMTP_HOST]]
#include "support/RealProgram.h"
#include "support/ResponsivePageJourney.h"
#include "support/ScriptedFilePanels.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTTable.h"
#include "window/ui/SKTWindowController.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

struct Edition {
    const char *name;
    const char *folder;  // under the output folder
};

const Edition kEditions[] = {
    {"Mirvel Responsive Website Designer", "website"},
    {"Mirvel Responsive Email Designer", "email"},
    {"Tovra Responsive Form Designer", "form"},
};

bool copyFolder(const QString &from, const QString &to)
{
    bool ok = QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(file));
        QFile::remove(target);
        ok = QDir().mkpath(QFileInfo(target).path()) && QFile::copy(file, target) && ok;
    }
    return ok;
}

// One edition's run of the program, as the window tests run it.
class EditionRun : public RealProgramTest {
public:
    void TestBody() override {}
    using RealProgramTest::SetUp;
    using RealProgramTest::TearDown;

    // Makes and saves the page; the description of its browser row, or an empty
    // object after saying on stderr what went wrong.
    QJsonObject make(const Edition &edition, const QString &out)
    {
        const QString name = QString::fromLatin1(edition.name);
        const auto fail = [&name](const QString &why) {
            std::fprintf(stderr, "make_window_pages: %s: %s\n", qPrintable(name), qPrintable(why));
            return QJsonObject();
        };
        launchAs(name);
        SKTWindowController *w = newPageWindow();
        if (!w)
            return fail(QStringLiteral("no window for a new page (%1)").arg(alerts.messages().join(QStringLiteral("; "))));
        const QString picture = writePhoto({400, 100});
        ScriptedFilePanels journeyPanels;
        journeyPanels.answer(picture);

        using namespace ResponsivePageJourney;
        const TwoColumnPage page = buildTwoColumnPage(*w);
        if (!page.failure.isEmpty())
            return fail(page.failure);
        SKTTable *section = firstSection(*w);
        if (!section || page.text->sectionColumnSpot() != 1 || page.photo->sectionColumnSpot() != 1)
            return fail(QStringLiteral("the text and the photo are not both in column 2"));
        // Column 1 holds a text again, so that stacking can be seen.
        section->drawBoxModel();
        const QRectF one = cellRect(*section, 0);
        if (!dropPaletteEntry(*w, QStringLiteral("zov_textbox_body_tovra_rich"),
                              QPointF(one.left() + 40, std::max(one.top(), section->contentRect().top()) + 20)))
            return fail(QStringLiteral("the second text was not taken in column 1"));

        journeyPanels.answer(path(QStringLiteral("saved.") + gDocumentExtension));
        w->activateWindow();
        spinUntil([w] { return QApplication::activeWindow() == w; }, 2000);
        QString why;
        if (!MenuPath::trigger(w, QStringLiteral("File/Save"), &why))
            return fail(why);
        settleEvents();
        SKTDocument &doc = w->document();
        if (doc.fileURLPath.isEmpty() || doc.isDocumentEdited())
            return fail(QStringLiteral("not saved (%1)").arg(alerts.messages().join(QStringLiteral("; "))));
        // The stored page and its picture folder, as they lie in the page's
        // work folder.
        const QFileInfo stored(doc.pagePath);
        const QString target = QDir(out).filePath(QString::fromLatin1(edition.folder));
        if (!copyFolder(stored.path(), target))
            return fail(QStringLiteral("%1 could not be copied").arg(stored.path()));
        const bool email = gResponsiveEmailEdition;
        const QJsonObject stacking{{"kind", email ? "email" : "bootstrap"},
                                   {"sideBySide", email ? QJsonArray{600} : QJsonArray{1200, 768}},
                                   {"stacked", email ? QJsonArray{400} : QJsonArray{375, 767}}};
        return {{"page", QStringLiteral("%1/%2").arg(QString::fromLatin1(edition.folder), stored.fileName())},
                {"edition", name},
                {"stacking", stacking}};
    }
};

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_window_pages OUTPUT_FOLDER [SMTP_HOST [REFUSING_SMTP_HOST]]\n");
        return 2;
    }
    // Settings, caches and the work folder start empty and are the run's own.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    for (const char *variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        qputenv(variable, (home.path() + QLatin1Char('/') + QString::fromLatin1(variable)).toLocal8Bit());
    if (qgetenv("XDG_RUNTIME_DIR").isEmpty())
        qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zov-tests"));
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);

    bool ok = true;
    QJsonArray pages;
    for (const Edition &edition : kEditions) {
        EditionRun run;
        run.SetUp();
        const QJsonObject spec = run.make(edition, out);
        run.TearDown();
        if (spec.isEmpty())
            ok = false;
        else
            pages.append(spec);
    }
    QSaveFile manifest(QDir(out).filePath(QStringLiteral("pages.json")));
    if (!manifest.open(QIODevice::WriteOnly) ||
        manifest.write(QJsonDocument(QJsonObject{{"pages", pages}}).toJson()) < 0 || !manifest.commit()) {
        std::fprintf(stderr, "make_window_pages: cannot write pages.json\n");
        return 1;
    }
    return ok ? 0 : 1;
}

#pragma once
// A page document for generation tests: a known edition (name, version, no
// responsive branch), the pinned test font as the page's font, and a
// temporary work folder as the page's save folder.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "support/TempDir.h"
#include "support/TestFont.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

class PageTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("Zov Web");
        gAppVersion = QStringLiteral("1.0");
        fontFamily = testFontFamily();
        doc = std::make_unique<SKTDocument>();
        doc->pageName = QStringLiteral("index");
        doc->pageOfficialName = QStringLiteral("Home");
        doc->pageFileExtension = QStringLiteral("html");
        doc->mainTemplateName = QStringLiteral("main");
        doc->encodingType = QStringLiteral("UTF-8");
        doc->tempSavePathLocal = path();
        doc->openWebsiteFolderTempPath = path();
    }
    void TearDown() override { EditionSettings::resetToInitialState(); }

    template <typename T>
    T *add(std::shared_ptr<T> graphic)
    {
        T *raw = graphic.get();
        doc->insertGraphic(graphic);
        return raw;
    }

    QString generate(bool responsive = false, bool saveImages = false)
    {
        return doc->generateSourceCode(doc->pageName, responsive, saveImages);
    }

    // The page up to and including "</html>\n": the part before the closing markers.
    static QString frame(const QString &page)
    {
        const qsizetype end = page.indexOf(QStringLiteral("</html>\n"));
        return end < 0 ? page : page.left(end + 8);
    }

    // Compares text with the stored golden page tests/fixtures/generation/<name>;
    // ZOV_UPDATE_GOLDEN=1 rewrites the file instead (then check it by hand).
    static void expectGolden(const QString &name, const QString &text)
    {
        const QString file = QStringLiteral(ZOV_TEST_FIXTURES "/generation/") + name;
        if (qEnvironmentVariableIsSet("ZOV_UPDATE_GOLDEN")) {
            QDir().mkpath(QFileInfo(file).path());
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(text.toUtf8());
            return;
        }
        const QByteArray stored = readFile(file);
        ASSERT_FALSE(stored.isEmpty()) << "missing golden page " << file.toStdString();
        EXPECT_EQ(QString::fromUtf8(stored).toStdString(), text.toStdString()) << "golden page " << name.toStdString();
    }

    static QByteArray readFile(const QString &filePath)
    {
        QFile f(filePath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString fontFamily;
    std::unique_ptr<SKTDocument> doc;
};

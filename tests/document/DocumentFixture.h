#pragma once
// A page document in a known edition whose work folder, received pages and
// packages lie in a temporary folder; alerts are scripted.
#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "model/SKTLine.h"
#include "model/SKTRectangle.h"
#include "model/SKTText.h"
#include "support/ScriptedAlerts.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <memory>

class DocumentTest : public TempDirTest {
protected:
    void SetUp() override
    {
        EditionSettings::resetToInitialState();
        gAppName = QStringLiteral("Zov Web");
        gAppVersion = QStringLiteral("1.0");
        gDocumentExtension = QStringLiteral("zovweb");
        gWorkFolder = path(QStringLiteral("work"));
        gReceivedPagesFolder = QStringLiteral("Received");
        gPageTitleEnabled = true;
        QDir().mkpath(gWorkFolder);
        QDir().mkpath(path(QStringLiteral("packages")));
        doc = newPage(QStringLiteral("index"));
    }
    void TearDown() override { EditionSettings::resetToInitialState(); }

    // An untitled page whose working folder is a fresh folder of the test.
    std::unique_ptr<SKTDocument> newPage(const QString &name)
    {
        auto page = std::make_unique<SKTDocument>();
        page->pageName = name;
        page->pageOfficialName = QStringLiteral("Home");
        page->pageFileExtension = QStringLiteral("html");
        page->mainTemplateName = name;
        page->encodingType = QStringLiteral("UTF-8");
        page->tempSavePathLocal = path(QStringLiteral("w-") + QString::number(++pages));
        QDir().mkpath(page->tempSavePathLocal);
        return page;
    }

    QString packagePath(const QString &name) const
    {
        return path(QStringLiteral("packages/") + name + QStringLiteral(".") + gDocumentExtension);
    }

    static std::shared_ptr<SKTText> makeText(const QRectF &bounds, const QString &text)
    {
        auto t = std::make_shared<SKTText>();
        t->setTextType(QStringLiteral("Text"));
        t->setBounds(bounds);
        t->setTextString(text);
        // As the canvas makes them: a clear shape behind the text.
        t->setValue(QStringLiteral("backgroundHexColorString"), QStringLiteral("CLEAR0"));
        return t;
    }

    static std::shared_ptr<SKTLine> makeLine(const QRectF &bounds)
    {
        auto line = std::make_shared<SKTLine>();
        line->setBounds(bounds);
        line->setValue(QStringLiteral("borderHexColorString"), QStringLiteral("000000"));
        return line;
    }

    static QByteArray readAll(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    ScriptedAlerts alerts;
    std::unique_ptr<SKTDocument> doc;
    int pages = 0;
};

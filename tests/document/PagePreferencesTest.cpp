// The page and form preferences: what the panels show and what saving them
// does to the page, its files and the defaults.
#include "DocumentFixture.h"

#include "document/PagePreferences.h"
#include "generation/ui/FormPreferencesDialog.h"
#include "document/ui/PagePreferencesDialog.h"
#include "model/SKTImage.h"
#include "support/ScopedUserDefaults.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>

class PagePreferencesTest : public DocumentTest {
protected:
    void SetUp() override
    {
        DocumentTest::SetUp();
        doc->insertGraphicAtIndex(makeText({20, 30, 200, 40}, QStringLiteral("Hello")), 0);
        doc->publishExt = QStringLiteral("html");
        ASSERT_TRUE(doc->saveThisPage(packagePath(QStringLiteral("index")), false));
    }
    ScopedUserDefaults defaults;
};

TEST_F(PagePreferencesTest, FillCleanAndSaveSettings)
{
    defaults.defaults().setFloat(0.6f, QStringLiteral("backgroundQualityPercentage"));
    defaults.defaults().setInteger(1234, QStringLiteral("DovrinMaxImageSize"));
    auto image = std::make_shared<SKTImage>();
    image->setRetinaFlag(true);
    doc->insertGraphicAtIndex(image, 0);
    PagePreferencesValues v = PagePreferences::fill(*doc);
    EXPECT_EQ(v.qualitySegment, 0);
    EXPECT_EQ(v.maxSizeSegment, 4);
    EXPECT_EQ(v.fileName, QStringLiteral("index"));
    EXPECT_EQ(v.encodingSegment, 0);

    v.widthText = QStringLiteral("1,2a00");
    v.manualWidth = true;
    v.qualitySegment = 2;
    v.maxSizeSegment = 1;
    v.retina = false;
    v.pageTitle = QStringLiteral("Welcome");
    v.encodingSegment = 2;
    ASSERT_TRUE(PagePreferences::save(*doc, v)) << doc->lastSaveError.toStdString();
    EXPECT_EQ(doc->webPageWidth, 1200);
    EXPECT_EQ(doc->pageOfficialName, QStringLiteral("Welcome"));
    EXPECT_EQ(doc->encodingType, QStringLiteral("Win-1251"));
    EXPECT_FALSE(image->retinaFlag());
    EXPECT_EQ(defaults.defaults().floatForKey(QStringLiteral("backgroundQualityPercentage")), 0.5f);
    EXPECT_EQ(defaults.defaults().integerForKey(QStringLiteral("DovrinMaxImageSize")), 1000);
    EXPECT_EQ(alerts.count(), 0) << "an unchanged publish extension asks nothing";
    EXPECT_FALSE(doc->isDocumentEdited());

    // A changed publish extension kept at its default.
    v = PagePreferences::fill(*doc);
    v.publishExt = QStringLiteral("php");
    alerts.answer(QStringLiteral("Keep default"));
    PagePreferences::save(*doc, v);
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Extension Update"));
    EXPECT_EQ(doc->publishExt, QStringLiteral("html"));

    // A publish extension becomes part of a file name: only plain ones are taken.
    struct Case {
        const char *typed;
        bool accepted;
    } cases[] = {{"php5", true}, {"HTM", true}, {"abcdefghij", true}, {"abcdefghijk", false}, {"", false},
                 {"html/../x", false}, {"ht ml", false}, {"php;rm", false}, {"\u00e9t\u00e9", false}};
    for (const Case &c : cases) {
        v = PagePreferences::fill(*doc);
        v.publishExt = QString::fromUtf8(c.typed);
        const int before = alerts.count();
        if (c.accepted)
            alerts.answer(QStringLiteral("Change it"));
        const bool saved = PagePreferences::save(*doc, v);
        EXPECT_EQ(saved, c.accepted) << c.typed;
        EXPECT_EQ(doc->publishExt, c.accepted ? v.publishExt : QStringLiteral("html")) << c.typed;
        ASSERT_GT(alerts.count(), before);
        EXPECT_EQ(alerts.shown().at(before).alert.messageText,
                  c.accepted ? QStringLiteral("File Extension Update") : QStringLiteral("Publish Extension Not Accepted"))
            << c.typed;
        doc->publishExt = QStringLiteral("html");
    }
}

// The publish extension question answered as the alert on screen answers,
// after save has returned: "Change it" then gives the page the extension and
// writes it to the page file; "Keep default" keeps the page as it is.
TEST_F(PagePreferencesTest, TheExtensionIsTakenWhenItsAlertAnswersLater)
{
    // The set-up's insertion closes its undo step, as it would long before
    // a person opens the panel; the page is saved clean.
    QCoreApplication::processEvents();
    ASSERT_TRUE(doc->saveThisPage(doc->fileURLPath, false));
    alerts.setAnswersLater(true);
    for (const char *answer : {"Keep default", "Change it"}) {
        SCOPED_TRACE(answer);
        const bool change = QString::fromLatin1(answer) == QLatin1String("Change it");
        PagePreferencesValues v = PagePreferences::fill(*doc);
        v.publishExt = QStringLiteral("php");
        v.pageTitle = QStringLiteral("Contact");
        alerts.answer(QString::fromLatin1(answer));
        ASSERT_TRUE(PagePreferences::save(*doc, v)) << doc->lastSaveError.toStdString();
        EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Extension Update"));
        EXPECT_EQ(doc->publishExt, QStringLiteral("html")) << "taken before the answer";
        for (int round = 0; round < 5; ++round)
            QCoreApplication::processEvents();
        EXPECT_EQ(alerts.unansweredScripts(), 0);
        EXPECT_EQ(doc->publishExt, change ? QStringLiteral("php") : QStringLiteral("html"));
        // What the page file holds, read back.
        SKTDocument opened;
        ASSERT_TRUE(opened.readFromFile(doc->fileURLPath));
        EXPECT_EQ(opened.publishExt, doc->publishExt);
        EXPECT_EQ(opened.pageOfficialName, QStringLiteral("Contact"));
        EXPECT_FALSE(doc->isDocumentEdited());
    }
    EXPECT_EQ(alerts.mismatches(), QStringList());
}

TEST_F(PagePreferencesTest, RenameSavesTheNewPackageBeforeRemovingTheOldAndNeverOverwritesAnother)
{
    const QString oldPackage = packagePath(QStringLiteral("index"));
    const QString other = packagePath(QStringLiteral("Index"));
    QFile file(other);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("another page");
    file.close();
    // "Index" differs from "index" only in case, but it is another file here.
    EXPECT_FALSE(PagePreferences::renameFileName(*doc, QStringLiteral("Index")));
    EXPECT_EQ(alerts.last().messageText, QStringLiteral("File Conflict"));
    EXPECT_EQ(readAll(other), QByteArray("another page"));
    EXPECT_TRUE(QFileInfo::exists(oldPackage));

    ASSERT_TRUE(PagePreferences::renameFileName(*doc, QStringLiteral("about")));
    const QString renamed = packagePath(QStringLiteral("about"));
    EXPECT_EQ(doc->fileURLPath, renamed);
    EXPECT_FALSE(QFileInfo::exists(oldPackage));
    SKTDocument opened;
    ASSERT_TRUE(opened.readFromFile(renamed));
    EXPECT_EQ(opened.pageName, QStringLiteral("about"));
    EXPECT_EQ(opened.graphics().size(), 1);

    // A rename whose save fails keeps the old package and name.
    QDir().mkpath(packagePath(QStringLiteral("blocked")) + QStringLiteral("/x"));
    QFile::remove(packagePath(QStringLiteral("blocked")));
    EXPECT_FALSE(PagePreferences::renameFileName(*doc, QStringLiteral("blocked")));
    EXPECT_EQ(doc->pageName, QStringLiteral("about"));
    EXPECT_TRUE(QFileInfo::exists(renamed));
}

TEST_F(PagePreferencesTest, BackgroundsMarkThePageEditedAndFormSettingsComeBack)
{
    const QString png = path(QStringLiteral("photo.PNG"));
    QImage pixels(8, 8, QImage::Format_RGB32);
    pixels.fill(Qt::blue);
    ASSERT_TRUE(pixels.save(png, "PNG"));
    ASSERT_TRUE(PagePreferences::newBackground(*doc, png));
    EXPECT_EQ(doc->backgroundImageType, QStringLiteral("PNG"));
    EXPECT_EQ(doc->backgroundImageFlag, 2);
    EXPECT_TRUE(doc->isDocumentEdited());
    ASSERT_TRUE(doc->saveThisPage(doc->fileURLPath, false));
    EXPECT_TRUE(QFileInfo::exists(QDir(doc->pageFolderPath()).filePath(QStringLiteral("background.PNG"))));
    PagePreferences::removeBackground(*doc);
    EXPECT_TRUE(doc->isDocumentEdited());
    EXPECT_FALSE(QFileInfo::exists(QDir(doc->pageFolderPath()).filePath(QStringLiteral("background.PNG"))));
    const QString jpeg = path(QStringLiteral("photo.jpeg"));
    ASSERT_TRUE(pixels.save(jpeg, "JPEG"));
    ASSERT_TRUE(PagePreferences::newBackground(*doc, jpeg));
    EXPECT_EQ(doc->backgroundImageType, QStringLiteral("JPG"));
    EXPECT_FALSE(PagePreferences::newBackground(*doc, path(QStringLiteral("missing.png"))));

    doc->markClean();
    FormPreferencesValues form = PagePreferences::fillForm(*doc);
    form.responseEmail = QStringLiteral(" owner@example.org ");
    form.grabIP = true;
    form.layoutColumn = 1;
    PagePreferences::saveForm(*doc, form);
    EXPECT_EQ(doc->siteFeedbackEmail, QStringLiteral("owner@example.org"));
    EXPECT_EQ(doc->grabIPFlag, 1);
    EXPECT_EQ(PagePreferences::fillForm(*doc).layoutColumn, 1);
    EXPECT_TRUE(doc->isDocumentEdited());
}

TEST_F(PagePreferencesTest, DialogsShowAndHandBackTheirValues)
{
    QWidget window;
    window.resize(900, 700);
    window.show();
    PagePreferencesDialog *page = PagePreferencesDialog::showPagePreferences(*doc, &window);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->windowTitle(), QStringLiteral("Page Preferences"));
    EXPECT_EQ(page->windowModality(), Qt::WindowModal);
    const PagePreferencesValues shown = PagePreferences::fill(*doc);
    const PagePreferencesValues back = page->values();
    EXPECT_EQ(back.fileName, shown.fileName);
    EXPECT_EQ(back.pageTitle, shown.pageTitle);
    EXPECT_EQ(back.maxSizeSegment, shown.maxSizeSegment);
    EXPECT_EQ(back.encodingSegment, shown.encodingSegment);
    if (const QByteArray out = qgetenv("ZOV_SCREENSHOT_DIR"); !out.isEmpty())
        page->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/page-preferences.png"));
    page->reject();

    doc->siteFeedbackEmail = QStringLiteral("owner@example.org");
    doc->formOrderLayoutOption = 1;
    FormPreferencesDialog *form = FormPreferencesDialog::showFormPreferences(*doc, &window);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Preferences"));
    EXPECT_EQ(form->values().responseEmail, QStringLiteral("owner@example.org"));
    EXPECT_EQ(form->values().layoutColumn, 1);
    // Stored addresses fill their fields; empty ones leave what is there; the
    // submit button's text is shown but not taken back.
    FormPreferencesValues refill = form->values();
    refill.responseEmail.clear();
    refill.sentResponse.clear();
    refill.submitButtonText = QStringLiteral("Send");
    form->setValues(refill);
    EXPECT_EQ(form->values().responseEmail, QStringLiteral("owner@example.org"));
    EXPECT_EQ(form->values().sentResponse, QString());
    doc->formSubmitButtonValue = QStringLiteral("Submit");
    int tipped = 0;
    for (QWidget *w : form->findChildren<QWidget *>())
        tipped += w->toolTip().startsWith(QLatin1String("Primary Response Email")) ? 1 : 0;
    EXPECT_EQ(tipped, 2) << "the field and its label";
    if (const QByteArray out = qgetenv("ZOV_SCREENSHOT_DIR"); !out.isEmpty())
        form->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/form-preferences.png"));
    // The server's "host:port" shows as host and port, and is stored as one text again.
    refill = form->values();
    refill.mailServer = QStringLiteral("127.0.0.1:8025");
    form->setValues(refill);
    QLineEdit *port = nullptr;
    for (QLineEdit *edit : form->findChildren<QLineEdit *>())
        if (edit->placeholderText() == QLatin1String("25"))
            port = edit;
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->text(), QStringLiteral("8025"));
    port->setText(QStringLiteral("2525"));
    form->accept();
    EXPECT_EQ(doc->formEmailServer, QStringLiteral("127.0.0.1:2525"));
    EXPECT_EQ(doc->siteFeedbackEmail, QStringLiteral("owner@example.org"));
    EXPECT_EQ(doc->formSubmitButtonValue, QStringLiteral("Submit"));
}

TEST_F(PagePreferencesTest, BaseTemplateSwitchesShowAndGreyInThePanel)
{
    QWidget window;
    window.show();
    auto checkBox = [](QWidget *panel, const char *title) {
        for (QCheckBox *box : panel->findChildren<QCheckBox *>())
            if (box->text() == QLatin1String(title))
                return box;
        return static_cast<QCheckBox *>(nullptr);
    };
    // Without a base template page in the site the switches stay hidden.
    PagePreferencesDialog *alone = PagePreferencesDialog::showPagePreferences(*doc, &window);
    ASSERT_NE(checkBox(alone, "Use Base Template"), nullptr);
    EXPECT_TRUE(checkBox(alone, "Use Base Template")->isHidden());
    alone->reject();

    const QString site = path(QStringLiteral("site"));
    QDir().mkpath(site);
    QFile base(QDir(site).filePath(QStringLiteral("basetemplate.html")));
    ASSERT_TRUE(base.open(QIODevice::WriteOnly));
    base.write("<html><head></head><body></body></html>");
    base.close();
    doc->openWebsiteFolderTempPath = site;
    doc->useBaseTemplateFlag = 0;
    PagePreferencesDialog *page = PagePreferencesDialog::showPagePreferences(*doc, &window);
    QCheckBox *useBase = checkBox(page, "Use Base Template");
    QCheckBox *inheritMeta = checkBox(page, "Inherit Metadata");
    EXPECT_FALSE(useBase->isHidden());
    EXPECT_TRUE(inheritMeta->isHidden());
    useBase->click();
    EXPECT_FALSE(inheritMeta->isHidden());
    EXPECT_TRUE(inheritMeta->isChecked());
    EXPECT_TRUE(page->values().inheritCustomHeader);
    bool greyed = false;
    for (QLineEdit *edit : page->findChildren<QLineEdit *>())
        if (edit->toolTip().startsWith(QLatin1String("Meta Description")))
            greyed = !edit->isEnabled();
    EXPECT_TRUE(greyed) << "inherited metadata is not typed here";
    if (const QByteArray out = qgetenv("ZOV_SCREENSHOT_DIR"); !out.isEmpty())
        page->grab().save(QString::fromLocal8Bit(out) + QStringLiteral("/page-preferences-base.png"));
    useBase->click();
    EXPECT_TRUE(inheritMeta->isHidden());
    EXPECT_FALSE(page->values().inheritMetadata);
    page->reject();
}

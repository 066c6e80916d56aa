// The record editions' main job through the real document window: a record
// added from the Add New menu with every field and a photo, its page showing
// the record, refreshed when the record changes, saved and exported; the
// viewer opening a record read-only and saying whose it is; the samples.
#include "support/RealProgram.h"

#include "document/SKTDocument.h"
#include "model/SKTText.h"
#include "window/ProfilePageTable.h"
#include "window/ui/ProfilePopover.h"
#include "window/ui/RecordSheet.h"
#include "window/ui/SKTWindowController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

SKTText *box(const SKTDocument &doc, const QString &name)
{
    for (const auto &g : doc.graphics())
        if (auto *t = dynamic_cast<SKTText *>(g.get()); t && t->templateName() == name)
            return t;
    return nullptr;
}

int boxesNamed(const SKTDocument &doc, const QString &name)
{
    int n = 0;
    for (const auto &g : doc.graphics())
        if (auto *t = dynamic_cast<SKTText *>(g.get()); t && t->templateName() == name)
            ++n;
    return n;
}

QString pageText(const SKTDocument &doc)
{
    QFile file(QDir(doc.tempSavePathLocal).filePath(doc.pageName + QStringLiteral(".html")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QImage pdfImage(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("50"), QStringLiteral("-png"),
                                         QStringLiteral("-singlefile"), pdf, pdf});
    p.waitForFinished(30000);
    return QImage(pdf + QStringLiteral(".png"));
}

// The share of pixels in a part of the image (in fractions of its size) that are not near white.
double inked(const QImage &image, const QRectF &part)
{
    const QRect r(int(part.x() * image.width()), int(part.y() * image.height()), int(part.width() * image.width()),
                  int(part.height() * image.height()));
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                ++dark;
    return double(dark) / std::max(1, r.width() * r.height());
}

// A press and release of the left button on the widget, as the window
// system delivers them.
class RecordEditionsJourneyTest : public RealProgramTest {
protected:
    RecordSheet *openSheet(SKTWindowController *window, const QString &path)
    {
        QString why;
        EXPECT_TRUE(MenuPath::trigger(window, path, &why)) << qPrintable(why);
        RecordSheet *sheet = nullptr;
        spinUntil([&] {
            sheet = window->findChild<RecordSheet *>();
            return sheet && sheet->isVisible();
        }, 3000);
        return sheet;
    }
};

TEST_F(RecordEditionsJourneyTest, APersonsRecordShowsOnItsPageAndSurvivesSavePrintAndUpdate)
{
    launchAs(QStringLiteral("Pellamy"));
    SKTWindowController *window = newPageWindow();
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join(QLatin1Char('\n')));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Pellamy"));

    RecordSheet *sheet = openSheet(window, QStringLiteral("Add New/Add New Patient..."));
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->windowTitle().isEmpty() || !sheet->windowTitle().contains(QStringLiteral("zov")));
    sheet->text(QStringLiteral("Owner First Name"))->setText(QStringLiteral("Ann"));
    sheet->text(QStringLiteral("Owner Last Name"))->setText(QStringLiteral("Lee"));
    sheet->text(QStringLiteral("Pet Chart Number"))->setText(QStringLiteral("A-12"));
    sheet->text(QStringLiteral("Owner Home Phone Number"))->setText(QStringLiteral("555-0101"));
    sheet->text(QStringLiteral("Owner Email"))->setText(QStringLiteral("ann@example.com"));
    sheet->textView(QStringLiteral("Owner Address"))->setPlainText(QStringLiteral("1 Elm Row\nTownsend"));
    // Bad input: no birth date, and a 2,000-character note.
    sheet->birthDateNotAvailableCheckbox()->setChecked(true);
    QString longNote = QStringLiteral("Allergy: Penicillin. ");
    while (longNote.size() < 2000)
        longNote += QStringLiteral("Observed on review, nothing new to report. ");
    longNote = longNote.left(1999) + QLatin1Char('Z');
    sheet->textView(QStringLiteral("Notes"))->setPlainText(longNote);
    sheet->pageFileNameTextField()->setText(QStringLiteral("ann-lee"));
    QImage photo(120, 160, QImage::Format_RGB32);
    photo.fill(QColor(200, 30, 30));
    const QString photoPath = path(QStringLiteral("ann.png"));
    ASSERT_TRUE(photo.save(photoPath));
    panels.answer(photoPath);
    clickWidget(sheet->photoButton());
    EXPECT_FALSE(sheet->photo().isNull());
    clickWidget(sheet->saveButton());
    settleEvents();
    ASSERT_TRUE(alerts.messages().filter(QStringLiteral("Not")).isEmpty()) << qPrintable(alerts.shown().isEmpty() ? QString() : alerts.shown().first().alert.informativeText);

    SKTDocument &doc = window->document();
    EXPECT_EQ(doc.pageName, QStringLiteral("ann-lee"));
    SKTText *heading = box(doc, ProfilePageTable::kNameBox);
    SKTText *table = box(doc, ProfilePageTable::kTableBox);
    SKTText *notes = box(doc, ProfilePageTable::kNotesBox);
    ASSERT_TRUE(heading && table && notes);
    EXPECT_EQ(heading->textString(), QStringLiteral("Ann Lee"));
    EXPECT_TRUE(table->textString().contains(QStringLiteral("Birth Date: Not available")));
    EXPECT_TRUE(table->textString().contains(QStringLiteral("Address: 1 Elm Row, Townsend")));
    EXPECT_TRUE(table->textString().contains(QStringLiteral("ID Number: A-12")));
    // The whole note, in a box tall enough for it, below the table.
    EXPECT_TRUE(notes->textString().endsWith(QLatin1Char('Z')));
    EXPECT_TRUE(notes->textString().contains(longNote));
    EXPECT_GE(notes->bounds().height() + 1, notes->naturalSize().height());
    EXPECT_GE(notes->bounds().top(), table->bounds().bottom());

    // The listing shows the person's photo as the record's picture (until the
    // page is next saved, when the page's own picture takes its place).
    const auto &pages = window->project().scan.siteIconArray;
    QString picture;
    for (const auto &page : pages)
        if (page.pageName == QStringLiteral("ann-lee.pelprofile"))
            picture = page.imagePath;
    ASSERT_FALSE(picture.isEmpty());
    const QImage thumb(picture);
    ASSERT_FALSE(thumb.isNull()) << qPrintable(picture);
    const QColor centre = thumb.pixelColor(thumb.width() / 2, thumb.height() / 2);
    EXPECT_GT(centre.red(), 150);
    EXPECT_LT(centre.green(), 80);

    // Saved: the page's own text carries the fields and the table.
    QString why;
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Save"), &why)) << qPrintable(why);
    const QString saved = pageText(doc);
    EXPECT_TRUE(saved.contains(QStringLiteral("Birth Date: Not available"))) << qPrintable(saved.left(400));
    EXPECT_TRUE(saved.contains(QStringLiteral("<!====Owner First NameSTARTSTRING--Ann--Owner First NameENDSTRING====>")));
    EXPECT_TRUE(saved.contains(QStringLiteral("Z--NotesENDSTRING====>")));
    // Read again, the page shows the record once, as before.
    ASSERT_TRUE(doc.refreshDocument());
    for (const QString &name : {ProfilePageTable::kNameBox, ProfilePageTable::kTableBox, ProfilePageTable::kNotesBox})
        EXPECT_EQ(boxesNamed(doc, name), 1) << qPrintable(name);
    EXPECT_TRUE(box(doc, ProfilePageTable::kNotesBox)->textString().contains(longNote));

    // The profile card says whose record it is, and a click elsewhere closes
    // it and still reaches what it was meant for.
    auto *card = window->findChild<ProfilePopover *>();
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->lines().value(0), QStringLiteral("Ann"));
    auto *probe = new QPushButton(QStringLiteral("probe"), window);
    probe->setGeometry(5, window->height() - 40, 100, 24);
    probe->show();
    int clicks = 0;
    QObject::connect(probe, &QPushButton::clicked, [&clicks] { ++clicks; });
    settleEvents();
    clickWidget(probe);
    EXPECT_FALSE(card->isVisible());
    EXPECT_EQ(clicks, 1);
    delete probe;

    // Exported as PDF, the page carries the record.
    const QString pdf = path(QStringLiteral("ann.pdf"));
    panels.answer(pdf);
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("File/Export/PDF..."), &why)) << qPrintable(why);
    spinUntil([&] { return QFileInfo(pdf).size() > 0; }, 10000);
    // The PDF draws the page as it shows: the heading and the table are inked.
    const QImage sheetImage = pdfImage(pdf);
    ASSERT_FALSE(sheetImage.isNull());
    EXPECT_GT(inked(sheetImage, QRectF(0.0, 0.0, 0.5, 0.25)), 0.01);

    // Updating the record refreshes the page.
    sheet = openSheet(window, QStringLiteral("View/Profile/Update Profile..."));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->text(QStringLiteral("Owner First Name"))->text(), QStringLiteral("Ann"));
    EXPECT_TRUE(sheet->birthDateNotAvailableCheckbox()->isChecked());
    sheet->text(QStringLiteral("Owner First Name"))->setText(QStringLiteral("Anna"));
    sheet->textView(QStringLiteral("Notes"))->setPlainText(QStringLiteral("Short now."));
    clickWidget(sheet->saveButton());
    settleEvents();
    ASSERT_NE(box(doc, ProfilePageTable::kNameBox), nullptr);
    EXPECT_EQ(box(doc, ProfilePageTable::kNameBox)->textString(), QStringLiteral("Anna Lee"));
    EXPECT_EQ(box(doc, ProfilePageTable::kNotesBox)->textString(), QStringLiteral("Notes:\nShort now."));
    EXPECT_TRUE(pageText(doc).contains(QStringLiteral("Short now.")));
    // Once the record changes and is saved, its picture is the page's own: white, with the record's text.
    {
        const QImage pagePicture(QDir(doc.tempSavePathLocal).filePath(doc.pageName + QStringLiteral("@2x.png")));
        ASSERT_FALSE(pagePicture.isNull());
        EXPECT_GT(qGray(pagePicture.pixel(pagePicture.width() - 2, 1)), 200);
        EXPECT_GT(inked(pagePicture, QRectF(0.0, 0.0, 0.5, 0.2)), 0.005);
    }
}

TEST_F(RecordEditionsJourneyTest, TheViewerShowsWhoseRecordIsOpenAndItsSampleHasContent)
{
    launchAs(QStringLiteral("Pellamy Viewer"));
    // The sample, from the welcome window as a person opens it.
    ASSERT_TRUE(sendAction(QStringLiteral("openSample")));
    SKTWindowController *window = nullptr;
    spinUntil([&] { return (window = frontWindow()) != nullptr; }, 5000);
    ASSERT_NE(window, nullptr) << qPrintable(alerts.messages().join('\n'));
    SKTDocument &doc = window->document();
    EXPECT_EQ(doc.profileDictionary.value(QStringLiteral("Owner First Name")), QStringLiteral("Alex"));
    ASSERT_NE(box(doc, ProfilePageTable::kNameBox), nullptr);
    EXPECT_EQ(box(doc, ProfilePageTable::kNameBox)->textString(), QStringLiteral("Alex Morgan"));
    EXPECT_TRUE(box(doc, ProfilePageTable::kTableBox)->textString().contains(QStringLiteral("Birth Date: Mar 14 1986")));

    QString why;
    QAction *badge = MenuPath::find(window, QStringLiteral("View/Profile/Show Profile Badge"), &why);
    ASSERT_NE(badge, nullptr) << qPrintable(why);
    EXPECT_TRUE(badge->isEnabled());
    ASSERT_TRUE(MenuPath::trigger(window, QStringLiteral("View/Profile/Show Profile Badge"), &why)) << qPrintable(why);
    auto *card = window->findChild<ProfilePopover *>();
    ASSERT_NE(card, nullptr);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->lines().value(1), QStringLiteral("Morgan"));
}

TEST_F(RecordEditionsJourneyTest, EverySampleRecordIsARealRecord)
{
    struct Case {
        const char *edition;
        const char *first;
        const char *heading;
    };
    for (const Case &c : {Case{"Pellamy 2", "Sam", "Sam Carter"}, Case{"Pellamy Vet Edition", "Robin", "Fetch (Robin Hale)"},
                          Case{"Carrowel", "Jamie", "Jamie Rivera"}}) {
        SCOPED_TRACE(c.edition);
        launchAs(QString::fromLatin1(c.edition));
        ASSERT_TRUE(sendAction(QStringLiteral("openSample")));
        SKTWindowController *window = nullptr;
        spinUntil([&] { return (window = frontWindow()) != nullptr; }, 5000);
        ASSERT_NE(window, nullptr);
        SKTDocument &doc = window->document();
        EXPECT_EQ(doc.profileDictionary.value(QStringLiteral("Owner First Name")), QString::fromLatin1(c.first));
        ASSERT_NE(box(doc, ProfilePageTable::kNameBox), nullptr);
        EXPECT_EQ(box(doc, ProfilePageTable::kNameBox)->textString(), QString::fromLatin1(c.heading));
        EXPECT_EQ(boxesNamed(doc, ProfilePageTable::kNameBox), 1);
        EXPECT_FALSE(window->windowTitle().contains(QStringLiteral("zov")));
        if (QString::fromLatin1(c.edition) == QLatin1String("Carrowel"))
            EXPECT_TRUE(box(doc, ProfilePageTable::kTableBox)->textString().startsWith(QStringLiteral("Student ID: ")));
        TearDown();
        SetUp();
    }
}

}  // namespace

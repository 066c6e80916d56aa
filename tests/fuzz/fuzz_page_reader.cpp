// Any bytes, read as a page file by the page text rule, go through the page
// reader and the marker and profile-field readers. The only way out of the
// reader is a result or a ReadError; anything else (a crash, another
// exception, a sanitizer report, a hang) is a find.
#include "config/DataCentreMarkers.h"
#include "config/DataCentreProfileFields.h"
#include "document/PageReader.h"
#include "document/PageRule.h"
#include "document/ReadError.h"
#include "platform/TextCodec.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = TextCodec::decodePageText(bytes);
    // The first byte picks the kind of page the text is read as, so one corpus
    // reaches the form, record, label and base-template paths.
    const uint8_t flavour = size > 0 ? data[0] : 0;

    PageReadInput input;
    input.pageText = text;
    input.pageName = (flavour & 1) ? QStringLiteral("basetemplate") : QStringLiteral("index");
    input.pageFilePath = QStringLiteral("/nonexistent-zov-fuzz/page.html");
    input.formPage = flavour & 2;
    input.documentExtension = (flavour & 4) ? QStringLiteral("pelprofile") : QStringLiteral("zovsite");
    input.replacePageNumbers = flavour & 8;
    input.useBaseTemplateFlag = flavour & 16;
    input.baseTemplateExists = flavour & 32;
    input.appName = (flavour & 64) ? QStringLiteral("Glentor Mails Express") : QStringLiteral("Zov");
    input.canvasWidth = 960;
    input.canvasMaxHeight = 3000;
    input.loadPictures = false;
    input.isFontAvailable = [](const QString &family) { return family.size() % 2 == 0; };
    try {
        const PageReadResult result = PageReader::read(input);
        if (result.carriers.size() > text.size())
            std::abort(); // every carrier comes from a rule line of the text
    } catch (const ReadError &) {
    }

    DataCentreMarkers::customHeaderCodeOfText(text);
    DataCentreMarkers::grabMiddleString(QStringLiteral("<!--PAGETITLESTART=="), QStringLiteral("==PAGETITLEEND-->"), text);
    DataCentreMarkers::metaContentOfText(text, QStringLiteral("<meta name=\"keywords\" content=\""), 2);
    DataCentreProfileFields::grabPageTitle(text);
    DataCentreProfileFields::grabOtherProfileBlocks(text, {QStringLiteral("Owner First Name")});
    const QString field = DataCentreProfileFields::grabProfileField(QStringLiteral("Notes"), text);
    // A value written and read again is the value.
    if (DataCentreProfileFields::grabProfileField(
            QStringLiteral("Notes"), DataCentreProfileFields::generateFullString(field, QStringLiteral("Notes")))
        != field)
        std::abort();
    if (DataCentreProfileFields::oldPelprofileFlag(text)) {
        const Person person = DataCentreProfileFields::grabOldPelprofileData(text);
        DataCentreProfileFields::convertPelprofileDataToNew(person, QDate(2024, 1, 2));
        DataCentreProfileFields::grabPageTitleFromPellprofile(person);
    }
    return 0;
}

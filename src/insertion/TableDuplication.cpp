#include "insertion/TableDuplication.h"

#include "config/EditionSettings.h"
#include "document/PageImageNames.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/PageImageService.h"
#include "insertion/SectionOperations.h"
#include "model/SKTTable.h"

#include <cmath>

namespace {
QString originalFileName(const TransformView &image)
{
    return QStringLiteral("%1o.%2").arg(image.imageName, image.imageType);
}
} // namespace

std::shared_ptr<SKTTable> TableDuplication::duplicateTable(SKTTable &source, int32_t y, const QString &sourceFolder)
{
    SKTDocument &document = m_frame.document();
    PageImageService images(document);
    const QString fromFolder = sourceFolder.isEmpty() ? images.pageFolder() : sourceFolder;
    const bool section = source.gridType() == QLatin1String("section");

    // The copy comes from the source's stored properties, so it holds its
    // own cells and pictures with every property the page stores.
    const auto made = InsertionFrame::makeGraphic(QStringLiteral("SKTTable"), source.properties());
    const auto copy = std::dynamic_pointer_cast<SKTTable>(made);
    if (!copy)
        return {};
    copy->setSelected(false);

    if (section) {
        const int32_t number = SectionOperations(m_frame.context()).findNextSectionNumber();
        copy->setSectionNumber(number);
        for (const SKTTable::Cell &cell : copy->cellHelperArray())
            if (cell)
                cell->sectionNumber = number;
    }

    // Every picture gets a new name and its own original; a name handed out
    // here counts as taken for the next. A pasted table's names come from the
    // clipboard: only plain names of our two kinds name a file to copy.
    auto rename = [&](TransformView &image) {
        const bool plain = PageImageNames::isSafeImageName(image.imageName)
            && PageImageNames::isSafeImageType(image.imageType);
        const QString from = originalFileName(image);
        image.imageName = images.getNextImageName();
        image.templateName = QLatin1String("");
        if (plain)
            images.copyOriginalFromFolder(fromFolder, from, originalFileName(image));
    };
    for (const GridGraphic::Image &image : copy->imageArray())
        if (image)
            rename(*image);
    if (const GridGraphic::Image background = copy->tableBackgroundImage()) {
        auto own = std::make_shared<TransformView>(*background);
        rename(*own);
        copy->setTableBackgroundImage(own);
    }

    QRectF rect = source.bounds();
    int32_t interim = 0;
    if (gSectionAwarePaste && section) {
        interim = int32_t(std::trunc(rect.y() - y));
        rect.moveTop(y);
    }
    copy->SKTGraphic::setBounds(rect);

    {
        InsertionStep step(document, QStringLiteral("Duplicate"));
        m_frame.insertAtFront(copy);
    }
    source.interimTranslatedY = interim;
    return copy;
}

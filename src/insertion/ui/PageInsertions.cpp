#include "insertion/ui/PageInsertions.h"

#include "document/SKTDocument.h"
#include "insertion/CompositeMakers.h"
#include "insertion/DropMakers.h"
#include "insertion/DropTables.h"
#include "insertion/FormFields.h"
#include "insertion/GridPictureCommands.h"
#include "insertion/ImageCommands.h"
#include "insertion/InsertionFrame.h"
#include "insertion/TableMakers.h"
#include "platform/FilePanels.h"

#include <QHash>
#include <QPointer>
#include <functional>

bool PageInsertions::insertCodeName(InsertionFrame &frame, const DropCodeName &code, const QPointF &point)
{
    SKTDocument &document = frame.document();
    const int before = int(document.graphics().size());
    const QStringList spans = code.arguments.size() == 1 ? code.arguments.first().split(QLatin1Char(','))
                                                         : code.arguments;
    using Maker = std::function<void()>;
    CompositeMakers composites(frame);
    TableMakers tables(frame);
    FormFields forms(frame);
    const QHash<QString, Maker> makers{
        {QStringLiteral("addSection"), [&] { composites.addSection(spans, int(spans.size()), point); }},
        {QStringLiteral("addSectionTemplate"), [&] { composites.addSectionTemplate(4, point); }},
        {QStringLiteral("addTableOfContents"), [&] { composites.addTableOfContents(point); }},
        {QStringLiteral("addTextCarousel"), [&] { composites.addTextCarousel(point); }},
        {QStringLiteral("addNavbar"), [&] { composites.addNavbar(point); }},
        {QStringLiteral("addNavbar_centered"), [&] { composites.addNavbar_centered(point); }},
        {QStringLiteral("addNavbar_Fixed"), [&] { composites.addNavbar_Fixed(point); }},
        {QStringLiteral("addNavbar_Fixed_Centered"), [&] { composites.addNavbar_Fixed_Centered(point); }},
        {QStringLiteral("addDropdownmenu"), [&] { composites.addDropdownmenu(point); }},
        {QStringLiteral("addCollapsibleTextPanel"), [&] { composites.addCollapsibleTextPanel(point); }},
        {QStringLiteral("addCollapsibleImagePanel"), [&] { composites.addCollapsibleImagePanel(point); }},
        {QStringLiteral("addPhoto_Hover_Caption"), [&] { composites.addPhoto_Hover_Caption(point); }},
        {QStringLiteral("addSlideshow_drag"), [&] { composites.addSlideshow_drag(point); }},
        {QStringLiteral("addTable_drag"), [&] { tables.addTable_drag(point); }},
        {QStringLiteral("addTable_Responsive"), [&] { tables.addTable_Responsive(spans, int(spans.size()), point); }},
        {QStringLiteral("addTable_Strip"), [&] { tables.addTable_Strip(point); }},
        {QStringLiteral("addTable_Strip2"), [&] { tables.addTable_Strip2(point); }},
        {QStringLiteral("addTable_multiColumnWidth_drag"), [&] { tables.addTable_multiColumnWidth_drag(point); }},
        {QStringLiteral("addTextField_drag"), [&] { forms.addTextField_drag(point.x(), point.y()); }},
        {QStringLiteral("addEmailTextField_drag"), [&] { forms.addEmailTextField_drag(point.x(), point.y()); }},
        {QStringLiteral("addParagraph_drag"), [&] { forms.addParagraph_drag(point.x(), point.y()); }},
        {QStringLiteral("addBotCheckerTextField_drag"), [&] { forms.addBotCheckerTextField_drag(point.x(), point.y()); }},
        {QStringLiteral("addSubmitButton_drag"), [&] { forms.addSubmitButton_drag(point.x(), point.y()); }},
        {QStringLiteral("addMultipleChoice_drag"), [&] { forms.addMultipleChoice_drag(point.x(), point.y()); }},
        {QStringLiteral("addCheckboxes_drag"), [&] { forms.addCheckboxes_drag(point.x(), point.y()); }},
    };
    if (const auto maker = makers.value(code.action)) {
        maker();
        return int(document.graphics().size()) != before;
    }

    // The pictures, PDF pages and section background ask for their files
    // first; they land when the panel answers, on the page the canvas the
    // drop came from shows then (a canvas closed meanwhile takes nothing).
    // Pictures and PDF pages are read on workers and find that page again
    // once they are ready.
    const InsertionFrameRunner frames = frame.context().frameRunner();
    if (!frames)
        return false;
    if (code.action == QLatin1String("addNewImage_drag")) {
        ImageCommands(frame).addNewImage_drag(point, frames);
        return true;
    }
    if (code.action == QLatin1String("addNewPDF_drag")) {
        ImageCommands(frame).addNewPDF_drag(point, frames);
        return true;
    }
    OpenPanelOptions options;
    std::function<void(InsertionFrame &, const QStringList &, const InsertionFrameRunner &)> land;
    if (code.action == QLatin1String("addSectionBackgroundImage")) {
        if (frame.grabOverLappingSectionCell(point).isNull())
            return false;
        options = ImageCommands::replacePanelOptions();
        options.title = QStringLiteral("Select image");
        land = [point](InsertionFrame &f, const QStringList &paths, const InsertionFrameRunner &) {
            f.grabOverLappingSectionCell(point); // makes the section under the point the selected table
            GridPictureCommands(f).addSectionBackgroundImage(paths.first());
        };
    } else if (DropMakers::has(code.action)) {
        // Makers other subsystems registered (family relations, equal-column tables ...).
        return DropMakers::run(frame, code, point);
    } else {
        return false;
    }
    frame.context().filePanels().showOpenPanel(options, frame.context().window(), [frames, land](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        frames([&](InsertionFrame &laterFrame) { land(laterFrame, paths, frames); });
    });
    return true;
}

QStringList PageInsertions::dropActions()
{
    return {
        QStringLiteral("addSection"),           QStringLiteral("addSectionTemplate"),
        QStringLiteral("addTableOfContents"),   QStringLiteral("addTextCarousel"),
        QStringLiteral("addNavbar"),            QStringLiteral("addNavbar_centered"),
        QStringLiteral("addNavbar_Fixed"),      QStringLiteral("addNavbar_Fixed_Centered"),
        QStringLiteral("addDropdownmenu"),      QStringLiteral("addCollapsibleTextPanel"),
        QStringLiteral("addCollapsibleImagePanel"), QStringLiteral("addPhoto_Hover_Caption"),
        QStringLiteral("addSlideshow_drag"),    QStringLiteral("addTable_drag"),
        QStringLiteral("addTable_Responsive"),  QStringLiteral("addTable_Strip"),
        QStringLiteral("addTable_Strip2"),      QStringLiteral("addTable_multiColumnWidth_drag"),
        QStringLiteral("addTextField_drag"),    QStringLiteral("addEmailTextField_drag"),
        QStringLiteral("addParagraph_drag"),    QStringLiteral("addBotCheckerTextField_drag"),
        QStringLiteral("addSubmitButton_drag"), QStringLiteral("addMultipleChoice_drag"),
        QStringLiteral("addCheckboxes_drag"),   QStringLiteral("addNewPDF_drag"),
        QStringLiteral("addNewImage_drag"),
        QStringLiteral("addSectionBackgroundImage"),
    };
}

void PageInsertions::registerDropMakers()
{
    for (const QString &action : dropActions()) {
        DropMakers::add(action, &PageInsertions::insertCodeName);
    }
}

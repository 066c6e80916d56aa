#include "canvas/ui/CompositeCommands.h"

#include "canvas/CanvasMenuValidator.h"
#include "canvas/SKTGraphicView.h"
#include "config/EditionSettings.h"
#include "insertion/CompositeMakers.h"
#include "insertion/FormFields.h"
#include "insertion/GridPictureCommands.h"
#include "insertion/ImageCommands.h"
#include "insertion/SlideCommands.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/TableGridEditing.h"
#include "insertion/TableMakers.h"
#include "insertion/ui/CropImageDialog.h"
#include "insertion/ui/PageInsertions.h"
#include "model/SKTGalleryGrid.h"
#include "model/SKTImage.h"
#include "model/SKTSlideshow.h"
#include "model/SKTTable.h"
#include "platform/FilePanels.h"
#include "platform/ui/CommandRegistry.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <tuple>

namespace {
// The containers a command acts on: the selected table (the one under the
// last click when several are selected) and the one selected picture.
void findSelection(InsertionContext &context)
{
    InsertionSelectionCache &cache = context.cache();
    cache = InsertionSelectionCache();
    const QList<SKTGraphic *> selection = context.selectedGraphics();
    for (SKTGraphic *graphic : selection)
        if (auto *table = dynamic_cast<SKTTable *>(graphic)) {
            if (!cache.selectedTable || table->bounds().contains(context.lastTouchPoint()))
                cache.selectedTable = table;
        }
    if (selection.size() == 1) {
        cache.selectedImage = dynamic_cast<SKTImage *>(selection.first());
        cache.selectedGalleryGrid = dynamic_cast<SKTGalleryGrid *>(selection.first());
        cache.selectedSlideshow = dynamic_cast<SKTSlideshow *>(selection.first());
    }
}

// Runs fn with a frame over the window's current page, through its canvas's
// insertion context; false when the window shows no page. The containers the
// command finds are its own: the menu validation's are back afterwards.
bool withFrame(const DocumentWindowContext &window, const std::function<void(InsertionFrame &)> &fn)
{
    SKTGraphicView *canvas = window.currentCanvas();
    if (!canvas || !canvas->document() || canvas->document() != window.currentDocument())
        return false;
    InsertionContext &context = canvas->menuValidator().context();
    const InsertionSelectionCache validated = context.cache();
    findSelection(context);
    InsertionFrame frame(context);
    fn(frame);
    context.cache() = validated;
    return true;
}

// Frames over the window's page for inserts that finish later; the window
// must still be open.
InsertionFrameRunner framesOf(const DocumentWindowContext &window)
{
    QPointer<QWidget> owner(window.window);
    const bool hadWindow = window.window;
    return [owner, hadWindow, window](const std::function<void(InsertionFrame &)> &fn) {
        return !(hadWindow && !owner) && withFrame(window, fn);
    };
}

bool hasTable(const DocumentWindowContext &window)
{
    bool found = false;
    withFrame(window, [&](InsertionFrame &frame) { found = frame.context().cache().selectedTable; });
    return found;
}

bool twoTables(const DocumentWindowContext &window)
{
    if (gResponsiveEdition)
        return false;
    bool both = false;
    withFrame(window, [&](InsertionFrame &frame) {
        const QList<SKTGraphic *> selection = frame.context().selectedGraphics();
        both = selection.size() == 2 && dynamic_cast<SKTTable *>(selection[0]) && dynamic_cast<SKTTable *>(selection[1]);
    });
    return both;
}

bool hasPicture(const DocumentWindowContext &window)
{
    bool found = false;
    withFrame(window, [&](InsertionFrame &frame) { found = frame.context().cache().selectedImage; });
    return found;
}

// Opens the panel now; the chosen paths go to fn on the page shown when the
// panel answers.
void afterPanel(const DocumentWindowContext &window, const OpenPanelOptions &options,
                std::function<void(InsertionFrame &, const QStringList &)> fn)
{
    QPointer<QWidget> owner(window.window);
    const DocumentWindowContext copy = window;
    FilePanels::current().showOpenPanel(options, window.window, [owner, copy, fn](const QStringList &paths) {
        if (paths.isEmpty() || (copy.window && !owner))
            return;
        withFrame(copy, [&](InsertionFrame &frame) { fn(frame, paths); });
    });
}
} // namespace

void installCompositeCommands(ActionMap &commands, const DocumentWindowContext &window)
{
    using Grid = bool (TableGridEditing::*)();
    const QList<QPair<QString, Grid>> gridCommands = {
        {QStringLiteral("insertTableRow"), &TableGridEditing::insertTableRow},
        {QStringLiteral("insertTableColumn"), &TableGridEditing::insertTableColumn},
        {QStringLiteral("deleteTableRow"), &TableGridEditing::deleteTableRow},
        {QStringLiteral("deleteTableColumn"), &TableGridEditing::deleteTableColumn},
        {QStringLiteral("moveTableRowUp"), &TableGridEditing::moveTableRowUp},
        {QStringLiteral("moveTableRowDown"), &TableGridEditing::moveTableRowDown},
        {QStringLiteral("moveTableRowLeft"), &TableGridEditing::moveTableRowLeft},
        {QStringLiteral("moveTableRowRight"), &TableGridEditing::moveTableRowRight},
        {QStringLiteral("transformTable"), &TableGridEditing::transformTable},
    };
    for (const auto &[name, command] : gridCommands)
        commands.add(
            name,
            [window, command = command](const ActionItemState &) {
                withFrame(window, [&](InsertionFrame &frame) { (TableGridEditing(frame).*command)(); });
            },
            [window](ActionItemState &) { return hasTable(window); });
    for (const bool vertical : {true, false})
        commands.add(
            vertical ? QStringLiteral("joinTablesVertically") : QStringLiteral("joinTablesHorizontally"),
            [window, vertical](const ActionItemState &) {
                withFrame(window, [&](InsertionFrame &frame) {
                    TableGridEditing editing(frame);
                    vertical ? editing.joinTablesVertically() : editing.joinTablesHorizontally();
                });
            },
            [window](ActionItemState &item) {
                item.visible = !gResponsiveEdition;
                return twoTables(window);
            });
    commands.add(
        QStringLiteral("refreshTableOfContents"),
        [window](const ActionItemState &) {
            withFrame(window, [](InsertionFrame &frame) { TableGridEditing(frame).refreshTableOfContents(); });
        },
        [window](ActionItemState &) {
            bool contents = false;
            withFrame(window, [&](InsertionFrame &frame) {
                const auto *table = dynamic_cast<SKTTable *>(frame.context().cache().selectedTable);
                contents = table && table->gridType() == QLatin1String("TableOfContents");
            });
            return contents;
        });
    commands.add(QStringLiteral("tableEditMenu"), [](const ActionItemState &) {},
                 [window](ActionItemState &) { return hasTable(window) || twoTables(window); });

    commands.add(QStringLiteral("addTable"), [window](const ActionItemState &) {
        withFrame(window, [](InsertionFrame &frame) { TableMakers(frame).addTable(); });
    });
    for (const bool horizontal : {true, false})
        commands.add(horizontal ? QStringLiteral("addTableOfSitemapHorizontal")
                                : QStringLiteral("addTableOfSitemapVertical"),
                     [window, horizontal](const ActionItemState &) {
                         withFrame(window, [&](InsertionFrame &frame) {
                             CompositeMakers(frame).addTableOfSitemap(horizontal, frame.context().pageList());
                         });
                     });

    using Snippet = std::shared_ptr<SKTGraphic> (CompositeMakers::*)();
    const QList<QPair<QString, Snippet>> snippets = {
        {QStringLiteral("addYouTubeHTMLSnippet"), &CompositeMakers::addYouTubeHTMLSnippet},
        {QStringLiteral("addPaypalSnippet"), &CompositeMakers::addPaypalSnippet},
        {QStringLiteral("addNewHTMLSnippet"), &CompositeMakers::addNewHTMLSnippet},
    };
    for (const auto &[name, make] : snippets)
        commands.add(name, [window, make = make](const ActionItemState &) {
            withFrame(window, [&](InsertionFrame &frame) { (CompositeMakers(frame).*make)(); });
        });
    // The navigation bars and drop-down menu from the menu: the palette's makers at the menu point.
    using Composite = std::shared_ptr<SKTTable> (CompositeMakers::*)(const QPointF &);
    const QList<QPair<QString, Composite>> composites = {
        {QStringLiteral("addNavbar"), &CompositeMakers::addNavbar},
        {QStringLiteral("addNavbar_centered"), &CompositeMakers::addNavbar_centered},
        {QStringLiteral("addNavbar_Fixed"), &CompositeMakers::addNavbar_Fixed},
        {QStringLiteral("addNavbar_Fixed_Centered"), &CompositeMakers::addNavbar_Fixed_Centered},
        {QStringLiteral("addDropdownmenu"), &CompositeMakers::addDropdownmenu},
    };
    for (const auto &[name, make] : composites)
        commands.add(name, [window, make = make](const ActionItemState &) {
            withFrame(window, [&](InsertionFrame &frame) { (CompositeMakers(frame).*make)(frame.menuPoint()); });
        });
    commands.add(QStringLiteral("addSlideshow"), [window](const ActionItemState &) {
        withFrame(window, [](InsertionFrame &frame) { CompositeMakers(frame).addSlideshow_drag(frame.menuPoint()); });
    });

    commands.add(QStringLiteral("addNewImage"), [window](const ActionItemState &) {
        afterPanel(window, ImageCommands::imagePanelOptions(), [window](InsertionFrame &frame, const QStringList &paths) {
            ImageCommands(frame).insertImageFilesLater(paths, frame.calculateOriginPoint(), true, framesOf(window));
        });
    });
    commands.add(QStringLiteral("addNewPDF"), [window](const ActionItemState &) {
        afterPanel(window, ImageCommands::pdfPanelOptions(), [window](InsertionFrame &frame, const QStringList &paths) {
            ImageCommands(frame).insertPdfPagesLater(paths.first(), frame.menuPoint(), framesOf(window));
        });
    });
    commands.add(
        QStringLiteral("launchReplaceImage"),
        [window](const ActionItemState &) {
            afterPanel(window, ImageCommands::replacePanelOptions(),
                       [](InsertionFrame &frame, const QStringList &paths) {
                           ImageCommands(frame).replaceImageWithFile(paths.first());
                       });
        },
        [window](ActionItemState &) { return hasPicture(window); });
    commands.add(
        QStringLiteral("launchCropImagePanel"),
        [window](const ActionItemState &) {
            withFrame(window, [&](InsertionFrame &frame) {
                auto *image = dynamic_cast<SKTImage *>(frame.context().cache().selectedImage);
                if (!image)
                    return;
                const DocumentWindowContext copy = window;
                auto *dialog = new CropImageDialog(image->inputImage(), window.window);
                dialog->setAttribute(Qt::WA_DeleteOnClose);
                QObject::connect(dialog, &CropImageDialog::cropped, dialog, [copy](const QImage &picture) {
                    withFrame(copy, [&](InsertionFrame &later) { ImageCommands(later).replaceImage(picture); });
                });
                dialog->show();
            });
        },
        [window](ActionItemState &) { return hasPicture(window); });
    const QList<QPair<QString, int>> enlarge = {{QStringLiteral("setClickToEnlargeLight"), 0},
                                                {QStringLiteral("setClickToEnlargeDark"), 1},
                                                {QStringLiteral("setClickToEnlargeClear"), 2}};
    for (const auto &[name, mode] : enlarge)
        commands.add(
            name,
            [window, mode = mode](const ActionItemState &) {
                withFrame(window, [&](InsertionFrame &frame) { ImageCommands(frame).setClickToEnlarge(mode); });
            },
            [window](ActionItemState &) { return hasPicture(window); });
    commands.add(
        QStringLiteral("disableClickToEnlarge"),
        [window](const ActionItemState &) {
            withFrame(window, [](InsertionFrame &frame) { ImageCommands(frame).disableClickToEnlarge(); });
        },
        [window](ActionItemState &item) {
            bool enlarged = false;
            withFrame(window, [&](InsertionFrame &frame) { enlarged = ImageCommands(frame).isItAlreadyEnlarged(); });
            item.title = enlarged ? QStringLiteral("Remove Click to Enlarge") : QStringLiteral("Click to Enlarge");
            return hasPicture(window);
        });
}

void installGridPictureCommands(ActionMap &commands, const DocumentWindowContext &window)
{
    OpenPanelOptions pictures = ImageCommands::replacePanelOptions();
    pictures.allowsMultipleSelection = true;
    auto gallery = [window](ActionItemState &) {
        bool found = false;
        withFrame(window, [&](InsertionFrame &frame) { found = frame.context().cache().selectedGalleryGrid; });
        return found;
    };
    OpenPanelOptions galleryPanel = pictures;
    galleryPanel.title = QStringLiteral("Add one or more images to gallery");
    commands.add(
        QStringLiteral("addGalleryImage"),
        [window, galleryPanel](const ActionItemState &) {
            afterPanel(window, galleryPanel, [](InsertionFrame &frame, const QStringList &paths) {
                GridPictureCommands(frame).addGalleryImagesInBackground(paths, false, {});
            });
        },
        gallery);
    OpenPanelOptions replacePanel = ImageCommands::replacePanelOptions();
    commands.add(
        QStringLiteral("replaceGalleryImage"),
        [window, replacePanel](const ActionItemState &) {
            afterPanel(window, replacePanel, [](InsertionFrame &frame, const QStringList &paths) {
                GridPictureCommands(frame).proceedsToAddGalleryImages(paths.mid(0, 1));
            });
        },
        gallery);
    OpenPanelOptions tablePanel = pictures;
    tablePanel.title = QStringLiteral("Add one or more images");
    commands.add(
        QStringLiteral("addGalleryImageToTable"),
        [window, tablePanel](const ActionItemState &) {
            afterPanel(window, tablePanel, [](InsertionFrame &frame, const QStringList &paths) {
                GridPictureCommands(frame).addGalleryImagesInBackground(paths, true, {});
            });
        },
        [window](ActionItemState &) { return gTableImagesEnabled && hasTable(window); });
    OpenPanelOptions backgroundPanel = ImageCommands::replacePanelOptions();
    backgroundPanel.title = QStringLiteral("Select image");
    commands.add(
        QStringLiteral("addSectionBackgroundImage"),
        [window, backgroundPanel](const ActionItemState &) {
            afterPanel(window, backgroundPanel, [](InsertionFrame &frame, const QStringList &paths) {
                GridPictureCommands(frame).addSectionBackgroundImage(paths.first());
            });
        },
        [window](ActionItemState &) { return hasTable(window); });

    using Run = bool (GridPictureCommands::*)();
    const QList<std::tuple<QString, Run, Run>> picture = {
        {QStringLiteral("deleteGalleryImage"), &GridPictureCommands::deleteGalleryImage, nullptr},
        {QStringLiteral("deleteTableImage"), &GridPictureCommands::deleteTableImage, nullptr},
        {QStringLiteral("removeTableBackgroundImage"), &GridPictureCommands::removeTableBackgroundImage, nullptr},
        {QStringLiteral("moveImageUp"), &GridPictureCommands::moveImageUp, &GridPictureCommands::moveImageUpShown},
        {QStringLiteral("moveImageDown"), &GridPictureCommands::moveImageDown, &GridPictureCommands::moveImageDownShown},
        {QStringLiteral("moveImageLeft"), &GridPictureCommands::moveImageLeft, &GridPictureCommands::moveImageLeftShown},
        {QStringLiteral("moveImageRight"), &GridPictureCommands::moveImageRight,
         &GridPictureCommands::moveImageRightShown},
    };
    for (const auto &[name, run, shown] : picture)
        commands.add(
            name,
            [window, run = run](const ActionItemState &) {
                withFrame(window, [&](InsertionFrame &frame) { (GridPictureCommands(frame).*run)(); });
            },
            [window, shown = shown](ActionItemState &item) {
                if (!shown)
                    return true;
                bool answer = false;
                withFrame(window, [&](InsertionFrame &frame) { answer = (GridPictureCommands(frame).*shown)(); });
                item.visible = answer;
                return answer;
            });

    auto slideshowShown = [window](ActionItemState &item) {
        bool answer = false;
        withFrame(window, [&](InsertionFrame &frame) { answer = SlideCommands(frame).slideShowOptionsShown(); });
        item.visible = answer;
        return answer;
    };
    auto slidesShown = [window](ActionItemState &item) {
        bool answer = false;
        withFrame(window, [&](InsertionFrame &frame) {
            SlideCommands slides(frame);
            answer = slides.slideShowImageEditingOptionsShown();
            if (item.action == QLatin1String("automateSlideShow"))
                item.title = slides.automateTitle();
        });
        item.visible = answer;
        return answer;
    };
    OpenPanelOptions slidePanel = pictures;
    slidePanel.title = QStringLiteral("Add one or more images to slideshow");
    commands.add(
        QStringLiteral("addSlideshowImage"),
        [window, slidePanel](const ActionItemState &) {
            afterPanel(window, slidePanel, [](InsertionFrame &frame, const QStringList &paths) {
                SlideCommands slides(frame);
                if (slides.slideShowOptionsShown())
                    slides.addSlideshowImagesLater(paths);
            });
        },
        slideshowShown);
    OpenPanelOptions replaceSlidePanel = ImageCommands::replacePanelOptions();
    replaceSlidePanel.prompt = QStringLiteral("Add New");
    commands.add(
        QStringLiteral("replaceSlide"),
        [window, replaceSlidePanel](const ActionItemState &) {
            afterPanel(window, replaceSlidePanel, [](InsertionFrame &frame, const QStringList &paths) {
                SlideCommands slides(frame);
                if (slides.slideShowImageEditingOptionsShown())
                    slides.replaceSlide(paths.first());
            });
        },
        slidesShown);
    for (const bool automate : {false, true})
        commands.add(
            automate ? QStringLiteral("automateSlideShow") : QStringLiteral("deleteSlide"),
            [window, automate](const ActionItemState &) {
                withFrame(window, [&](InsertionFrame &frame) {
                    SlideCommands slides(frame);
                    if (!slides.slideShowImageEditingOptionsShown())
                        return;
                    automate ? slides.automateSlideShow() : slides.deleteSlide();
                });
            },
            slidesShown);
}

void installFormCommands(ActionMap &commands, const DocumentWindowContext &window)
{
    using Insert = void (FormFields::*)(double, double);
    const QList<QPair<QString, Insert>> inserts = {
        {QStringLiteral("addTextField"), &FormFields::addTextField_drag},
        {QStringLiteral("addEmailTextField"), &FormFields::addEmailTextField_drag},
        {QStringLiteral("addParagraph"), &FormFields::addParagraph_drag},
        {QStringLiteral("addBotCheckerTextField"), &FormFields::addBotCheckerTextField_drag},
        {QStringLiteral("addSubmitButton"), &FormFields::addSubmitButton_drag},
        {QStringLiteral("addMultipleChoice"), &FormFields::addMultipleChoice_drag},
        {QStringLiteral("addCheckboxes"), &FormFields::addCheckboxes_drag},
    };
    for (const auto &[name, insert] : inserts)
        commands.add(name, [window, insert = insert](const ActionItemState &) {
            withFrame(window, [&](InsertionFrame &frame) {
                const QPointF p = frame.menuPoint();
                (FormFields(frame).*insert)(p.x(), p.y());
            });
        });
    using Run = void (FormFields::*)();
    using Shown = bool (FormFields::*)();
    const QList<std::tuple<QString, Run, Shown>> flags = {
        {QStringLiteral("makeFormMandatory"), &FormFields::makeFormMandatory, &FormFields::showMandatory},
        {QStringLiteral("makeFormOptional"), &FormFields::makeFormOptional, &FormFields::showOptional},
        {QStringLiteral("markAsReplyTo"), &FormFields::markAsReplyTo, &FormFields::showMarkAsReplyTo},
        {QStringLiteral("addNewMultipleChoiceOption"), &FormFields::addNewMultipleChoiceOption,
         &FormFields::enableNewMultipleChoiceOption},
        {QStringLiteral("addNewCheckboxChoiceOption"), &FormFields::addNewCheckboxChoiceOption,
         &FormFields::enableNewCheckboxChoiceOption},
    };
    for (const auto &[name, run, shown] : flags)
        commands.add(
            name,
            [window, run = run](const ActionItemState &) {
                withFrame(window, [&](InsertionFrame &frame) { (FormFields(frame).*run)(); });
            },
            [window, shown = shown](ActionItemState &item) {
                bool answer = false;
                withFrame(window, [&](InsertionFrame &frame) { answer = (FormFields(frame).*shown)(); });
                item.visible = answer;
                return answer;
            });
}

void registerCompositeCommands()
{
    CommandRegistry::addWindowCommands(QStringLiteral("composites"), installCompositeCommands);
    CommandRegistry::addWindowCommands(QStringLiteral("gridPictures"), installGridPictureCommands);
    CommandRegistry::addWindowCommands(QStringLiteral("formFields"), installFormCommands);
    PageInsertions::registerDropMakers();
}

#include "insertion/SlideCommands.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/PageImageService.h"
#include "insertion/PictureBatch.h"
#include "model/SKTSlideshow.h"
#include "platform/Alerts.h"
#include "platform/UserDefaults.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>

namespace {
struct SlidesState {
    QList<TransformView> slides;
    int32_t current = 0;
    int32_t automatic = 0;

    static SlidesState capture(const SKTSlideshow &show)
    {
        SlidesState state;
        for (const auto &slide : show.imageArray())
            if (slide)
                state.slides.append(*slide);
        state.current = show.currentImageIndex();
        state.automatic = show.slideShowAutomaticFlag();
        return state;
    }
    void apply(SKTSlideshow &show) const
    {
        QList<SKTSlideshow::Slide> list;
        for (const TransformView &slide : slides)
            list.append(std::make_shared<TransformView>(slide));
        show.setImageArray(list);
        show.setCurrentImageIndex(current);
        show.setSlideShowAutomaticFlag(automatic);
        show.setBounds(show.bounds());
    }
};

void registerReturn(SKTDocument &document, const std::shared_ptr<SKTGraphic> &graphic, const SlidesState &state)
{
    document.undoManager().registerUndo([&document, graphic, state] {
        auto *show = dynamic_cast<SKTSlideshow *>(graphic.get());
        if (!show)
            return;
        registerReturn(document, graphic, SlidesState::capture(*show));
        document.undoManager().disableUndoRegistration();
        state.apply(*show);
        document.undoManager().enableUndoRegistration();
    });
}
} // namespace

SKTSlideshow *SlideCommands::slideshow()
{
    InsertionContext &context = m_frame.context();
    return dynamic_cast<SKTSlideshow *>(context.stillOnPage(context.cache().selectedSlideshow));
}

bool SlideCommands::slideShowOptionsShown()
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    if (selection.size() != 1 || !dynamic_cast<SKTSlideshow *>(selection.first()))
        return false;
    m_frame.context().cache().selectedSlideshow = selection.first();
    return true;
}

bool SlideCommands::slideShowImageEditingOptionsShown()
{
    return slideShowOptionsShown() && !slideshow()->imageArray().isEmpty();
}

template <typename Edit>
void SlideCommands::edit(SKTSlideshow &show, const QString &name, Edit &&change)
{
    editSlides(m_frame.document(), show, name, std::forward<Edit>(change));
}

template <typename Edit>
void SlideCommands::editSlides(SKTDocument &document, SKTSlideshow &show, const QString &name, Edit &&change)
{
    InsertionStep step(document, name);
    const SlidesState before = SlidesState::capture(show);
    const bool recording = document.undoManager().isUndoRegistrationEnabled();
    if (recording)
        document.undoManager().disableUndoRegistration();
    change();
    if (recording) {
        document.undoManager().enableUndoRegistration();
        for (const auto &g : document.graphics())
            if (g.get() == &show)
                registerReturn(document, g, before);
    }
}

namespace {
// The refusal of unreadable files, naming each; false when there was one.
bool allReadable(const QList<PictureLoad> &loads)
{
    QStringList refused;
    for (const PictureLoad &load : loads)
        if (!load.error.isEmpty() || load.image.isNull())
            refused.append(QStringLiteral("\"%1\": %2").arg(QFileInfo(load.path).fileName(),
                                                            load.error.isEmpty() ? QStringLiteral("no picture") : load.error));
    if (refused.isEmpty())
        return true;
    Alert alert;
    alert.messageText = QStringLiteral("Some files are not pictures that can be added");
    alert.informativeText = refused.join(QLatin1Char('\n'));
    Alerts::current().show(alert, nullptr, {});
    return false;
}
} // namespace

bool SlideCommands::readable(const QStringList &paths, QList<PictureLoad> &loads)
{
    PictureBatch batch(m_frame.document(), QStringLiteral("Adding slides"));
    batch.addPictureFiles(paths, PageImageService::originalSizeLimit());
    batch.runNow([&](QList<PictureLoad> &ready) { loads = std::move(ready); });
    return allReadable(loads);
}

std::shared_ptr<TransformView> SlideCommands::createNewSlideshowImage(const QImage &picture, const QString &type,
                                                                      const QString &sourceFile)
{
    return createSlide(m_frame.document(), picture, type, sourceFile, {});
}

std::shared_ptr<TransformView> SlideCommands::createSlide(SKTDocument &document, const QImage &picture,
                                                          const QString &type, const QString &sourceFile,
                                                          const QByteArray &original)
{
    if (picture.isNull())
        return {};
    int32_t limit = UserDefaults::standard().integerForKey(QStringLiteral("DovrinMaxImageSize"));
    if (limit <= 0)
        limit = PageImageService::originalSizeLimit();
    const float w = float(picture.width()), h = float(picture.height());
    QSizeF size(w, h);
    if (w > float(limit))
        size = QSizeF(limit, h / (w / float(limit)));
    auto record = std::make_shared<TransformView>();
    PageImageService images(document);
    record->image = picture;
    record->imageName = images.getNextImageName();
    record->originalWidth = int32_t(size.width());
    record->originalHeight = int32_t(size.height());
    record->galleryNumber = -99;
    record->tableNumber = -99;
    record->groupNumber = -99;
    record->imageType = type;
    record->borderStyle = QStringLiteral("none");
    record->link = QLatin1String("");
    record->retinaFlag = UserDefaults::standard().integerForKey(QStringLiteral("DovrinRetinaFlag")) != 0;
    record->alpha = 1.0f;
    record->imageLastModDate = QDateTime::currentDateTime();
    // Written atomically, at most the limit wide: the bytes a worker made
    // from the file's own size, when there are some.
    if (!images.saveOriginalImage(picture, record->imageName, type, sourceFile, QSizeF(picture.size()), nullptr,
                                  original))
        return {};
    return record;
}

int SlideCommands::placeSlides(SKTDocument &document, SKTSlideshow &show, const QList<PictureLoad> &loads)
{
    if (!allReadable(loads))
        return 0;
    int added = 0;
    editSlides(document, show, QStringLiteral("Add Slides"), [&] {
        for (const PictureLoad &load : loads) {
            auto record = createSlide(document, load.image, load.type, load.path, load.original);
            if (!record)
                continue;
            record->imageEnlargeFlag = 0;
            record->slideNumber = show.slideNumber();
            show.addIntoImageArray(record);
            ++added;
        }
        show.setBounds(show.bounds());
    });
    return added;
}

int SlideCommands::addSlideshowImage(const QStringList &paths)
{
    SKTSlideshow *show = slideshow();
    if (!show || paths.isEmpty())
        return 0;
    PictureBatch batch(m_frame.document(), QStringLiteral("Adding slides"));
    batch.addPictureFiles(paths, PageImageService::originalSizeLimit());
    int added = 0;
    batch.runNow([&](QList<PictureLoad> &loads) { added = placeSlides(m_frame.document(), *show, loads); });
    return added;
}

void SlideCommands::addSlideshowImagesLater(const QStringList &paths, std::function<void(int added)> done)
{
    SKTSlideshow *show = slideshow();
    if (!show || paths.isEmpty()) {
        if (done)
            done(0);
        return;
    }
    SKTDocument *document = &m_frame.document();
    const auto target = graphicStillOnPageAs<SKTSlideshow>(*document, show);
    PictureBatch batch(*document, QStringLiteral("Adding slides"));
    batch.addPictureFiles(paths, PageImageService::originalSizeLimit());
    batch.setStillWanted([target] { return target() != nullptr; });
    batch.start(
        [document, target, done](QList<PictureLoad> &loads) {
            const int added = placeSlides(*document, *target(), loads);
            if (done)
                done(added);
        },
        [done](QList<PictureLoad> &) {
            if (done)
                done(0);
        });
}

bool SlideCommands::replaceSlide(const QString &path)
{
    SKTSlideshow *show = slideshow();
    if (!show)
        return false;
    const int32_t i = show->currentImageIndex();
    if (i < 0 || i >= show->imageArray().size())
        return false;
    QList<PictureLoad> loads;
    if (!readable({path}, loads))
        return false;
    bool replaced = false;
    edit(*show, QStringLiteral("Replace Slide"), [&] {
        const PictureLoad &load = loads.first();
        auto record = createSlide(m_frame.document(), load.image, load.type, path, load.original);
        if (!record)
            return;
        record->slideNumber = i;
        QList<SKTSlideshow::Slide> slides = show->imageArray();
        slides[i] = record;
        show->setImageArray(slides);
        show->setCurrentImageIndex(i);
        show->setBounds(show->bounds());
        replaced = true;
    });
    return replaced;
}

bool SlideCommands::deleteSlide()
{
    SKTSlideshow *show = slideshow();
    if (!show)
        return false;
    const int32_t i = show->currentImageIndex();
    if (i < 0 || i >= show->imageArray().size())
        return false;
    edit(*show, QStringLiteral("Delete Slide"), [&] {
        QList<SKTSlideshow::Slide> slides = show->imageArray();
        slides.removeAt(i);
        show->setImageArray(slides);
        // The slide shown stays in range when the last one went.
        show->setCurrentImageIndex(std::clamp<int32_t>(i, 0, std::max<int32_t>(0, int32_t(slides.size()) - 1)));
        show->setBounds(show->bounds());
    });
    return true;
}

QString SlideCommands::currentSlideLink()
{
    SKTSlideshow *show = slideshow();
    if (!show)
        return QString();
    const int32_t i = show->currentImageIndex();
    if (i < 0 || i >= show->imageArray().size())
        return QLatin1String("");
    const QString link = show->imageArray()[i]->link;
    return link.isNull() ? QLatin1String("") : link;
}

bool SlideCommands::saveSlideLink(const QString &link)
{
    SKTSlideshow *show = slideshow();
    if (!show)
        return false;
    const int32_t i = show->currentImageIndex();
    if (i < 0 || i >= show->imageArray().size())
        return false;
    edit(*show, QStringLiteral("Slide Link"), [&] { show->imageArray()[i]->link = link; });
    return true;
}

bool SlideCommands::automateSlideShow()
{
    SKTSlideshow *show = slideshow();
    if (!show)
        return false;
    edit(*show, QStringLiteral("Auto Scrolling"),
         [&] { show->setSlideShowAutomaticFlag(show->slideShowAutomaticFlag() == 0 ? 1 : 0); });
    return true;
}

QString SlideCommands::automateTitle()
{
    SKTSlideshow *show = slideshow();
    return show && show->slideShowAutomaticFlag() == 1 ? QStringLiteral("Disable Auto Scrolling")
                                                        : QStringLiteral("Set Auto Scrolling");
}

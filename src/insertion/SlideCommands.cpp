#include "insertion/SlideCommands.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionFrame.h"
#include "insertion/InsertionStep.h"
#include "insertion/PageImageService.h"
#include "model/SKTSlideshow.h"
#include "platform/Alerts.h"
#include "platform/UserDefaults.h"

#include <QDateTime>
#include <QFileInfo>
#include <algorithm>

namespace {
QString typeFor(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    return suffix == QLatin1String("png") || suffix == QLatin1String("PNG") ? QStringLiteral("PNG")
                                                                            : QStringLiteral("JPG");
}

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
    SKTDocument &document = m_frame.document();
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

bool SlideCommands::readable(const QStringList &paths, QList<QImage> &pictures)
{
    const QList<PictureLoad> loads = PageImageService::loadPictures(paths, PageImageService::originalSizeLimit());
    QStringList refused;
    for (const PictureLoad &load : loads) {
        if (!load.error.isEmpty() || load.image.isNull())
            refused.append(QStringLiteral("\"%1\": %2").arg(QFileInfo(load.path).fileName(),
                                                            load.error.isEmpty() ? QStringLiteral("no picture") : load.error));
        pictures.append(load.image);
    }
    if (refused.isEmpty())
        return true;
    Alert alert;
    alert.messageText = QStringLiteral("Some files are not pictures that can be added");
    alert.informativeText = refused.join(QLatin1Char('\n'));
    m_frame.context().alerts().show(alert, m_frame.context().window(), {});
    return false;
}

std::shared_ptr<TransformView> SlideCommands::createNewSlideshowImage(const QImage &picture, const QString &type,
                                                                      const QString &sourceFile)
{
    if (picture.isNull())
        return {};
    int32_t limit = UserDefaults::standard().integerForKey(QStringLiteral("DovrinMaxImageSize"));
    if (limit <= 0)
        limit = PageImageService::originalSizeLimit();
    const float w = float(picture.width()), h = float(picture.height());
    QSizeF original(w, h);
    if (w > float(limit))
        original = QSizeF(limit, h / (w / float(limit)));
    auto record = std::make_shared<TransformView>();
    PageImageService images(m_frame.document());
    record->image = picture;
    record->imageName = images.getNextImageName();
    record->originalWidth = int32_t(original.width());
    record->originalHeight = int32_t(original.height());
    record->galleryNumber = -99;
    record->tableNumber = -99;
    record->groupNumber = -99;
    record->imageType = type;
    record->borderStyle = QStringLiteral("none");
    record->link = QLatin1String("");
    record->retinaFlag = UserDefaults::standard().integerForKey(QStringLiteral("DovrinRetinaFlag")) != 0;
    record->alpha = 1.0f;
    record->imageLastModDate = QDateTime::currentDateTime();
    // Written atomically, at most the limit wide.
    if (!images.saveOriginalImage(picture, record->imageName, type, sourceFile, QSizeF(picture.size())))
        return {};
    return record;
}

int SlideCommands::addSlideshowImage(const QStringList &paths)
{
    SKTSlideshow *show = slideshow();
    if (!show || paths.isEmpty())
        return 0;
    QList<QImage> pictures;
    if (!readable(paths, pictures))
        return 0;
    int added = 0;
    edit(*show, QStringLiteral("Add Slides"), [&] {
        for (qsizetype i = 0; i < paths.size(); ++i) {
            auto record = createNewSlideshowImage(pictures[i], typeFor(paths[i]), paths[i]);
            if (!record)
                continue;
            record->imageEnlargeFlag = 0;
            record->slideNumber = show->slideNumber();
            show->addIntoImageArray(record);
            ++added;
        }
        show->setBounds(show->bounds());
    });
    return added;
}

bool SlideCommands::replaceSlide(const QString &path)
{
    SKTSlideshow *show = slideshow();
    if (!show)
        return false;
    const int32_t i = show->currentImageIndex();
    if (i < 0 || i >= show->imageArray().size())
        return false;
    QList<QImage> pictures;
    if (!readable({path}, pictures))
        return false;
    bool replaced = false;
    edit(*show, QStringLiteral("Replace Slide"), [&] {
        auto record = createNewSlideshowImage(pictures.first(), typeFor(path), path);
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

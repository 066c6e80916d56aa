#pragma once
// Which canvas commands a menu offers for the selection of the moment. One
// table (data/canvas_menu_validation.tsv) says, per action, whether the item
// is hidden or only disabled, by which predicate, under which edition flag,
// with which title and which separator goes with it. The predicates are the
// canvas's one-line selection tests; several remember the object they found
// (the selected table, image, gallery, slideshow, snippet or text box) for
// the command that follows. Remembered objects are weak: a graphic deleted
// since, or no longer on the page, is never handed out.
#include "platform/ActionResponder.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class InsertionContext;
class SKTGalleryGrid;
class SKTGraphic;
class SKTGraphicView;
class SKTImage;
class SKTSlideshow;
class SKTTable;
class SKTText;

class CanvasMenuValidator {
public:
    struct Row {
        int number = 0;
        QStringList actions; // "*": every other action
        QString kind;
        QString predicate;
        QString edition;
        QString title;
        QString separator;
    };
    // The table as the program's data folder holds it (read once).
    static const QList<Row> &rows();
    static QList<Row> rowsFromText(const QString &text);

    explicit CanvasMenuValidator(SKTGraphicView &view);
    ~CanvasMenuValidator();

    // The first row naming the action (the last row for every other action).
    const Row &rowFor(const QString &action) const;
    // Hides, retitles and answers enabled as the action's row says.
    bool validate(ActionItemState &item);
    // A predicate of the table by name ("a&b": both); false for an unknown name.
    bool ask(const QString &predicate);
    bool hasPredicate(const QString &name) const { return m_predicates.contains(name); }
    QStringList predicateNames() const { return m_predicates.keys(); }

    // The separators that go with the slideshow ("first") and image
    // ("fourth") commands: shown when some item validated with them since
    // the menu pass began is shown.
    void startMenuPass() { m_hiddenSeparators.clear(); }
    bool isSeparatorHidden(const QString &separator) const { return m_hiddenSeparators.value(separator, true); }

    // The insertion context of the canvas (its insertion adapter), whose
    // remembered containers follow this validator's.
    InsertionContext &context();

    // --- remembered objects: null once deleted or off the page ------------------------
    SKTTable *selectedTable() const;
    SKTImage *selectedImage() const;
    SKTGalleryGrid *selectedGalleryGrid() const;
    SKTSlideshow *selectedSlideshow() const;
    SKTText *selectedSnippet() const;
    SKTText *selectedTextbox() const;
    QString existingTooltip;
    QString existingHyperLink;
    QString existingOnClickShowString;
    QString existingOnClickHideString;

    // --- predicates -----------------------------------------------------------------
    bool shouldShowLayerArrangement();
    bool shouldShowAlignArrangement();
    bool enlargeShown();
    bool cropShown();
    bool abilityToCopyShown();
    bool duplicateShown();
    bool galleryControlShown();
    bool galleryImageEditControlShown();
    bool tableControlShown();
    bool tableAddImageControlShown();
    bool tableMultiControlShown();
    bool shouldDisplayOfTableContents();
    bool savedTextShown();
    bool codeEditorShown();
    bool linkShown();
    bool tooltipShown();
    bool applyHTMLSnippetFormattingShown();
    bool removeHTMLSnippetFormattingShown();
    bool slideShowOptionsShown();
    bool slideShowImageEditingOptionsShown();
    bool moveImageUpShown();
    bool moveImageDownShown();
    bool moveImageLeftShown();
    bool moveImageRightShown();
    bool showMarkAsReplyTo();
    bool showMandatory();
    bool showOptional();
    bool enableNewMultipleChoiceOption();
    bool enableNewCheckboxChoiceOption();
    bool showDrawStartArrow();
    bool showHideStartArrow();
    bool showDrawEndArrow();
    bool showHideEndArrow();
    bool arrowOptionsShown();
    bool showAutoAdjustSnippetSize();
    bool shouldShowCreateZoomBubble();
    static bool showSectionEditorFlag() { return false; }
    // YES when the remembered table has a background picture.
    bool doesSelectedTableContainBackgroundPattern() const;
    // Whether some page text of the form tag has the form type (radio or checkbox).
    bool isOriginalTextViewOfType(const SKTGraphic &graphic, const QString &formType) const;

private:
    QList<SKTGraphic *> selection() const;
    SKTGraphic *single() const;
    void remember(std::weak_ptr<SKTGraphic> &slot, SKTGraphic *graphic);
    SKTGraphic *alive(const std::weak_ptr<SKTGraphic> &slot) const;
    // The gallery picture under the last click in the remembered gallery: (row, column), or none.
    bool gallerySpotUnderTouch(int32_t &row, int32_t &column) const;
    void syncContextCache();
    bool lineTest(bool start, bool withArrow) const;

    SKTGraphicView &m_view;
    std::unique_ptr<InsertionContext> m_ownContext;
    QHash<QString, std::function<bool()>> m_predicates;
    QHash<QString, bool> m_hiddenSeparators;
    std::weak_ptr<SKTGraphic> m_table, m_image, m_gallery, m_slideshow, m_snippet, m_textbox;
};

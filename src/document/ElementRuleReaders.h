#pragma once
// The readers of one element rule each: a rule line of a stored page becomes
// the element's carrier with every editing attribute set. Pure: the only
// outside state is the small context handed in; pictures are found by the
// caller (PageImageNames) after the rules are read.
#include "document/PageRule.h"
#include "model/GalleryGridView.h"
#include "model/LineView.h"
#include "model/OuterSlideShow.h"
#include "model/TableGridView.h"
#include "model/TransformView.h"
#include "model/myTextView.h"

#include <QSet>
#include <memory>

struct RuleReadContext {
    bool usingBootStrapFlag = false;
    QString pageName;              // the page being read ("basetemplate" for the base template)
    QSet<QString> *fontFamilies = nullptr; // every family named by a rule, for the font check
    QString submitCaption;         // a form page's button caption, kept in its marker
};

class ElementRuleReaders {
public:
    ElementRuleReaders() = delete;

    static std::shared_ptr<myTextView> generateATextView(const PageRule &rule, const RuleReadContext &context);
    // count: how many of the kind were read before (the number when the rule has none).
    static std::shared_ptr<OuterSlideShow> readSlideshow(const PageRule &rule, int32_t count);
    static std::shared_ptr<GalleryGridView> readGalleryGrid(const PageRule &rule, int32_t count);
    static std::shared_ptr<TableGridView> readTableGrid(const PageRule &rule, int32_t count);
    static std::shared_ptr<LineView> readLine(const PageRule &rule);
    // The image's picture is not loaded here (see PageImageNames::retrieveImageFile).
    // The image carrier keeps no stacking number or mask flag of its own: they
    // are answered beside it.
    struct ImageRule {
        std::shared_ptr<TransformView> image;
        int32_t tag = 0;
        bool maskFlag = false;
    };
    static ImageRule readImage(const PageRule &rule);
    static std::shared_ptr<myTextView> readSnippet(const PageRule &rule, const RuleReadContext &context);
    // A ".text" rule of a form page, by its "formType".
    static std::shared_ptr<myTextView> readFormControl(const PageRule &rule, const RuleReadContext &context);
    // The older patient-record tables and their cells.
    static std::shared_ptr<TableGridView> readProfileTable(const PageRule &rule);
    static std::shared_ptr<myTextView> readProfileCell(const PageRule &rule, const RuleReadContext &context);

    // The largest count of rows, columns or lines a rule may give.
    static constexpr double kMaxCount = 10000.0;
};

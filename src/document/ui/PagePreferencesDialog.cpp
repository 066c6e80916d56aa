#include "document/ui/PagePreferencesDialog.h"

#include "document/SKTDocument.h"
#include "platform/FilePanels.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QString colour(bool editable)
{
    return editable ? QStringLiteral("color: black;") : QStringLiteral("color: #a0a0a0;");
}
} // namespace

QButtonGroup *PagePreferencesDialog::segments(const QStringList &titles, QWidget *row)
{
    auto *group = new QButtonGroup(row);
    group->setExclusive(true);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < titles.size(); ++i) {
        auto *button = new QToolButton(row);
        button->setText(titles[i]);
        button->setCheckable(true);
        button->setAutoRaise(false);
        group->addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch();
    return group;
}

PagePreferencesDialog::PagePreferencesDialog(SKTDocument &document, QWidget *parent)
    : QDialog(parent), doc_(document)
{
    setWindowTitle(QStringLiteral("Page Preferences"));
    setWindowModality(Qt::WindowModal);
    auto *form = new QFormLayout;
    form_ = form;
    auto line = [this](QLineEdit *&edit) {
        edit = new QLineEdit(this);
        return edit;
    };
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(line(fileName_));
    auto *nameHelp = new QPushButton(QStringLiteral("?"), this);
    nameHelp->setFixedWidth(28);
    nameRow->addWidget(nameHelp);
    form->addRow(QStringLiteral("File name:"), nameRow);
    auto *extRow = new QHBoxLayout;
    extRow->addWidget(line(publishExt_));
    extRow->addWidget(new QLabel(QStringLiteral("Page file:"), this));
    extRow->addWidget(line(pageExt_));
    pageExt_->setEnabled(false);
    form->addRow(QStringLiteral("Publish extension:"), extRow);
    form->addRow(QStringLiteral("Page title:"), line(title_));
    form->addRow(QStringLiteral("Description:"), line(description_));
    form->addRow(QStringLiteral("Keywords:"), line(keywords_));
    header_ = new QPlainTextEdit(this);
    header_->setFixedHeight(60);
    form->addRow(QStringLiteral("Header code:"), header_);
    baseHeader_ = new QPlainTextEdit(this);
    baseHeader_->setReadOnly(true);
    baseHeader_->setFixedHeight(44);
    form->addRow(QStringLiteral("Base template header:"), baseHeader_);

    auto *widthRow = new QWidget(this);
    widthMode_ = segments({QStringLiteral("Automatic"), QStringLiteral("Manual")}, widthRow);
    auto *widthLayout = static_cast<QHBoxLayout *>(widthRow->layout());
    widthLayout->insertSpacing(widthLayout->count() - 1, 8);
    widthLayout->insertWidget(widthLayout->count() - 1, line(width_));
    width_->setMaximumWidth(80);
    form->addRow(QStringLiteral("Page width:"), widthRow);
    centre_ = new QCheckBox(QStringLiteral("Centre the page"), this);
    form->addRow(QString(), centre_);
    auto *encodingRow = new QWidget(this);
    encoding_ = segments({QStringLiteral("UTF-8"), QStringLiteral("UTF-16"), QStringLiteral("Win-1251")}, encodingRow);
    form->addRow(QStringLiteral("Encoding:"), encodingRow);

    auto *imageRow = new QWidget(this);
    imageType_ = segments({QStringLiteral("PNG"), QStringLiteral("JPEG")}, imageRow);
    form->addRow(QStringLiteral("Image type:"), imageRow);
    auto *sizeRow = new QWidget(this);
    maxSize_ = segments({QStringLiteral("500"), QStringLiteral("1000"), QStringLiteral("1500"), QStringLiteral("2000"),
                         QStringLiteral("5000")},
                        sizeRow);
    auto *sizeHelp = new QPushButton(QStringLiteral("?"), sizeRow);
    sizeHelp->setFixedWidth(28);
    auto *compress = new QPushButton(QStringLiteral("Compress"), sizeRow);
    auto *sizeLayout = static_cast<QHBoxLayout *>(sizeRow->layout());
    sizeLayout->insertSpacing(sizeLayout->count() - 1, 8);
    sizeLayout->insertWidget(sizeLayout->count() - 1, sizeHelp);
    sizeLayout->insertWidget(sizeLayout->count() - 1, compress);
    form->addRow(QStringLiteral("Largest image:"), sizeRow);
    retina_ = new QCheckBox(QStringLiteral("HD Graphics"), this);
    form->addRow(QString(), retina_);

    auto *backgroundRow = new QHBoxLayout;
    background_ = new QLabel(this);
    background_->setFixedSize(64, 40);
    background_->setFrameShape(QFrame::Box);
    background_->setScaledContents(true);
    auto *choose = choose_ = new QPushButton(QStringLiteral("Choose…"), this);
    auto *remove = remove_ = new QPushButton(QStringLiteral("Remove"), this);
    auto *qualityRow = qualityRow_ = new QWidget(this);
    quality_ = segments({QStringLiteral("Best"), QStringLiteral("Good"), QStringLiteral("Small")}, qualityRow);
    backgroundRow->addWidget(background_);
    backgroundRow->addWidget(choose);
    backgroundRow->addWidget(remove);
    backgroundRow->addWidget(qualityRow);
    qualityLabel_ = new QLabel(this);
    backgroundRow->addWidget(qualityLabel_);
    form->addRow(QStringLiteral("Background:"), backgroundRow);

    useBase_ = new QCheckBox(QStringLiteral("Use Base Template"), this);
    inheritMeta_ = new QCheckBox(QStringLiteral("Inherit Metadata"), this);
    inheritHeader_ = new QCheckBox(QStringLiteral("Inherit Custom Header Code"), this);
    for (QCheckBox *box : {useBase_, inheritMeta_, inheritHeader_})
        box->setStyleSheet(QStringLiteral("color: #1a5fd0;"));
    header_->setToolTip(QStringLiteral("Custom Header Code is used to insert custom HTML source code into the <head> tag of your web "
                                       "page.\n\nThis is an advanced field reserved for users with programming experience."));
    title_->setToolTip(QStringLiteral("This is the title of your web page, it will appear on the top toolbar in web browsers.\n\n"
                                      "Example: My Bakery - Fresh Bread Daily"));
    fileName_->setToolTip(QStringLiteral("This is the file name of your web page, not to be confused with the title.\n\nExample: index.html"));
    description_->setToolTip(QStringLiteral("Meta Description should be a short description of your website.\n\nThis information "
                                            "helps search engines index your website."));
    keywords_->setToolTip(QStringLiteral("Meta Keywords should be a list of comma delimited keywords that best represent your website "
                                         "content.\n\nThis information helps search engines index your website."));
    baseHeader_->setStyleSheet(QStringLiteral("color: blue;"));
    form->addRow(QString(), useBase_);
    form->addRow(QString(), inheritHeader_);
    form->addRow(QString(), inheritMeta_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        // A refused publish extension keeps the panel open for the user to mend it.
        const PagePreferencesValues v = values();
        if (v.publishExt != doc_.publishExt && !PagePreferences::isValidPublishExtension(v.publishExt)) {
            PagePreferences::save(doc_, v);
            publishExt_->setFocus();
            return;
        }
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(nameHelp, &QPushButton::clicked, this, [this] { PagePreferences::showFileNameHelp(doc_); });
    connect(sizeHelp, &QPushButton::clicked, this, [this] { PagePreferences::showImageMaxSizeHelp(doc_); });
    connect(compress, &QPushButton::clicked, this, [this] { doc_.compressAllOriginals(); });
    connect(widthMode_, &QButtonGroup::idClicked, this, [this](int id) {
        rules_.manualWidth = id == 1;
        PageSettingsRules::changePageWidthCalculateSetting(rules_);
        applyRules();
    });
    connect(useBase_, &QCheckBox::clicked, this, [this](bool on) {
        rules_.useBaseTemplate = on;
        PageSettingsRules::updateBaseTemplateTextFields(rules_);
        applyRules();
    });
    connect(inheritMeta_, &QCheckBox::clicked, this, [this](bool on) {
        rules_.inheritMetadata = on;
        rules_.metaDescription = description_->text();
        rules_.metaKeywords = keywords_->text();
        PageSettingsRules::updateMetadataSwitchValue(rules_);
        description_->setText(rules_.metaDescription);
        keywords_->setText(rules_.metaKeywords);
        applyRules();
    });
    connect(inheritHeader_, &QCheckBox::clicked, this, [this](bool on) {
        rules_.inheritCustomHeader = on;
        PageSettingsRules::updateCustomHeaderCodeSwitchValue(rules_);
        applyRules();
    });
    connect(choose, &QPushButton::clicked, this, [this] {
        OpenPanelOptions options;
        options.prompt = QStringLiteral("Select");
        options.allowedTypes = {QStringLiteral("jpg"), QStringLiteral("JPG"), QStringLiteral("png"),
                                QStringLiteral("PNG"), QStringLiteral("jpeg"), QStringLiteral("JPEG")};
        FilePanels::current().showOpenPanel(options, this, [this](const QStringList &paths) {
            if (!paths.isEmpty() && PagePreferences::newBackground(doc_, paths.first()))
                refreshBackgroundPattern();
        });
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        PagePreferences::removeBackground(doc_);
        refreshBackgroundPattern();
    });
}

void PagePreferencesDialog::applyRules()
{
    useBase_->setChecked(rules_.useBaseTemplate);
    inheritMeta_->setChecked(rules_.inheritMetadata);
    inheritHeader_->setChecked(rules_.inheritCustomHeader);
    form_->setRowVisible(useBase_, rules_.baseSwitchVisible);
    form_->setRowVisible(inheritMeta_, rules_.inheritSwitchesVisible);
    form_->setRowVisible(inheritHeader_, rules_.inheritSwitchesVisible);
    form_->setRowVisible(baseHeader_, rules_.baseHeaderVisible);
    for (QWidget *w : {static_cast<QWidget *>(choose_), static_cast<QWidget *>(remove_), qualityRow_})
        w->setVisible(rules_.backgroundControlsVisible);
    qualityLabel_->setText(rules_.backgroundQualityLabel);
    for (QLineEdit *edit : {description_, keywords_}) {
        edit->setReadOnly(!rules_.metadataEditable);
        edit->setEnabled(rules_.metadataEditable);
        edit->setStyleSheet(colour(rules_.metadataEditable));
    }
    width_->setEnabled(rules_.widthEditable);
    width_->setStyleSheet(colour(rules_.widthEditable));
}

void PagePreferencesDialog::refreshBackgroundPattern()
{
    background_->setPixmap(doc_.backgroundImage.isNull() ? QPixmap() : QPixmap::fromImage(doc_.backgroundImage));
}

void PagePreferencesDialog::setValues(const PagePreferencesValues &v)
{
    values_ = v;
    fileName_->setText(v.fileName);
    fileName_->setReadOnly(!v.fileNameEditable);
    fileName_->setStyleSheet(colour(v.fileNameEditable));
    publishExt_->setText(v.publishExt);
    pageExt_->setText(v.pageFileExtension);
    title_->setText(v.pageTitle);
    header_->setPlainText(v.customHeaderCode);
    baseHeader_->setPlainText(v.baseTemplateHeaderCode);
    description_->setText(v.metaDescription);
    keywords_->setText(v.metaKeywords);
    width_->setText(v.widthText);
    width_->setEnabled(v.manualWidth);
    if (auto *b = quality_->button(v.qualitySegment))
        b->setChecked(true);
    if (auto *b = encoding_->button(v.encodingSegment))
        b->setChecked(true);
    if (auto *b = imageType_->button(v.imageTypeSegment))
        b->setChecked(true);
    if (auto *b = maxSize_->button(v.maxSizeSegment))
        b->setChecked(true);
    widthMode_->button(v.manualWidth ? 1 : 0)->setChecked(true);
    retina_->setChecked(v.retina);
    centre_->setChecked(v.centre);
    useBase_->setChecked(v.useBaseTemplate);
    inheritHeader_->setChecked(v.inheritCustomHeader);
    inheritMeta_->setChecked(v.inheritMetadata);
    rules_ = {};
    rules_.fileName = v.fileName;
    rules_.baseTemplateExists = v.baseTemplateExists;
    rules_.baseMetaDescription = v.baseMetaDescription;
    rules_.baseMetaKeywords = v.baseMetaKeywords;
    rules_.useBaseTemplate = v.useBaseTemplate;
    rules_.manualWidth = v.manualWidth;
    // Where the switches are hidden the stored flags stay as they are.
    rules_.inheritCustomHeader = v.inheritCustomHeader;
    rules_.inheritMetadata = v.inheritMetadata;
    rules_.metadataEditable = v.metaFieldsEditable;
    PageSettingsRules::updateBaseTemplateTextFields(rules_);
    PageSettingsRules::changePageWidthCalculateSetting(rules_);
    applyRules();
    refreshBackgroundPattern();
}

PagePreferencesValues PagePreferencesDialog::values() const
{
    PagePreferencesValues v = values_;
    v.fileName = fileName_->text();
    v.publishExt = publishExt_->text();
    v.pageTitle = title_->text();
    v.customHeaderCode = header_->toPlainText();
    v.metaDescription = description_->text();
    v.metaKeywords = keywords_->text();
    v.widthText = width_->text();
    v.qualitySegment = quality_->checkedId();
    v.encodingSegment = encoding_->checkedId();
    v.imageTypeSegment = imageType_->checkedId();
    v.maxSizeSegment = maxSize_->checkedId();
    v.manualWidth = widthMode_->checkedId() == 1;
    v.retina = retina_->isChecked();
    v.centre = centre_->isChecked();
    v.useBaseTemplate = useBase_->isChecked();
    v.inheritCustomHeader = inheritHeader_->isChecked();
    v.inheritMetadata = inheritMeta_->isChecked();
    return v;
}

PagePreferencesDialog *PagePreferencesDialog::showPagePreferences(SKTDocument &document, QWidget *window)
{
    auto *dialog = new PagePreferencesDialog(document, window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setValues(PagePreferences::fill(document));
    connect(dialog, &QDialog::accepted, dialog, [dialog, &document] { PagePreferences::save(document, dialog->values()); });
    dialog->open();
    return dialog;
}

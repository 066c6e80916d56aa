#include "window/ui/AddNewPageViewController.h"
#include "window/LocalizedText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

AddNewPageViewController::AddNewPageViewController(const AddNewPageSheetState &state, QString projectFolder,
                                                   QWidget *parent)
    : QDialog(parent), state_(state), folder_(std::move(projectFolder))
{
    setWindowTitle(QStringLiteral("Add New Page"));
    setWindowModality(Qt::WindowModal);
    setObjectName(QStringLiteral("AddNewPageViewController"));

    pageTitleTextField = new QLineEdit(this);
    pageTitleTextField->setPlaceholderText(QStringLiteral("Page title"));
    pageFileNameTextField = new QLineEdit(this);
    pageFileNameTextField->setPlaceholderText(QStringLiteral("file name"));
    fileNameGenerationSegmentedControl = new QComboBox(this);
    fileNameGenerationSegmentedControl->addItems({QStringLiteral("Name from title"), QStringLiteral("Type a name")});
    mainLaunchpageCheckbox = new QCheckBox(QStringLiteral("Main launch page (index)"), this);
    baseTemplateCheckbox = new QCheckBox(QStringLiteral("Base template"), this);
    applyBaseTemplateCheckbox = new QCheckBox(QStringLiteral("Apply base template"), this);
    chooseTemplateButton = new QPushButton(localizedText(state_.chooseTemplateTitle), this);
    addNewPageButton = new QPushButton(state_.addButtonTitle.isEmpty() ? QStringLiteral("Add") : state_.addButtonTitle, this);
    cancelButton = new QPushButton(localizedText(state_.cancelTitle), this);
    addNewPageButton->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Title:"), pageTitleTextField);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(pageFileNameTextField, 1);
    nameRow->addWidget(new QLabel(QStringLiteral(".") + state_.form.pageFileType, this));
    form->addRow(QStringLiteral("File name:"), nameRow);
    form->addRow(QString(), fileNameGenerationSegmentedControl);
    auto *boxes = new QVBoxLayout;
    boxes->addWidget(mainLaunchpageCheckbox);
    boxes->addWidget(baseTemplateCheckbox);
    boxes->addWidget(applyBaseTemplateCheckbox);
    form->addRow(QString(), boxes);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(chooseTemplateButton);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(addNewPageButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    pageTitleTextField->setReadOnly(!state_.titleEditable);
    pageTitleTextField->setEnabled(state_.titleEditable);
    mainLaunchpageCheckbox->setVisible(!state_.mainLaunchHidden);
    applyBaseTemplateCheckbox->setVisible(!state_.applyBaseTemplateHidden);
    fileNameGenerationSegmentedControl->setVisible(!state_.fileNameGenerationHidden);
    chooseTemplateButton->setVisible(!state_.chooseTemplateHidden);
    addNewPageButton->setVisible(!state_.addButtonHidden);
    syncFromForm();

    connect(pageTitleTextField, &QLineEdit::textEdited, this, [this](const QString &t) {
        state_.form.titleChanged(t);
        syncFromForm();
    });
    connect(pageFileNameTextField, &QLineEdit::textEdited, this, [this](const QString &t) {
        state_.form.fileName = t;
        state_.form.fileNameGeneration = 1;
        syncFromForm();
    });
    connect(fileNameGenerationSegmentedControl, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!syncing_)
            state_.form.fileNameGeneration = i;
    });
    connect(mainLaunchpageCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        if (syncing_)
            return;
        state_.form.setDefaultLaunch(on);
        syncFromForm();
    });
    connect(baseTemplateCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        if (syncing_)
            return;
        state_.form.setBaseTemplate(on);
        syncFromForm();
    });
    connect(applyBaseTemplateCheckbox, &QCheckBox::toggled, this, [this](bool on) {
        if (!syncing_)
            state_.form.applyBaseTemplate = on;
    });
    connect(addNewPageButton, &QPushButton::clicked, this, &AddNewPageViewController::saveNewPage);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(chooseTemplateButton, &QPushButton::clicked, this, [this] {
        if (onChooseTemplate)
            onChooseTemplate();
    });
}

void AddNewPageViewController::syncFromForm()
{
    syncing_ = true;
    if (pageTitleTextField->text() != state_.form.pageTitle)
        pageTitleTextField->setText(state_.form.pageTitle);
    if (pageFileNameTextField->text() != state_.form.fileName)
        pageFileNameTextField->setText(state_.form.fileName);
    fileNameGenerationSegmentedControl->setCurrentIndex(state_.form.fileNameGeneration);
    mainLaunchpageCheckbox->setChecked(state_.form.mainLaunchPage);
    baseTemplateCheckbox->setChecked(state_.form.baseTemplate);
    applyBaseTemplateCheckbox->setChecked(state_.form.applyBaseTemplate);
    syncing_ = false;
}

AddNewPageSheetState AddNewPageViewController::state() const
{
    return state_;
}

void AddNewPageViewController::saveNewPageAndChooseTemplate(const QString &fileName, const QString &categoryFolder)
{
    AddNewPageSetup::chooseTemplate(state_, fileName, categoryFolder);
    saveNewPage();
}

void AddNewPageViewController::saveNewPage()
{
    const auto request = AddNewPageSetup::confirm(state_, folder_, window());
    if (!request)
        return;
    accept();
    if (onConfirmed)
        onConfirmed(*request);
}

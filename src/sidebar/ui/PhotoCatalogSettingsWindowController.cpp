#include "sidebar/ui/PhotoCatalogSettingsWindowController.h"

#include "generation/GalleryWindowsHost.h"
#include "config/EditionSettings.h"
#include "sidebar/CatalogSettings.h"
#include "sidebar/ui/FileCatalogSettingsWindowController.h"
#include "sidebar/ui/SegmentedControl.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PhotoCatalogSettingsWindowController::PhotoCatalogSettingsWindowController(GalleryWindowsHost *delegate, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("PhotoCatalogSettingsWindowController"));
    auto *layout = new QVBoxLayout(this);
    m_folderLabel = new QLabel(this);
    m_folderLabel->setWordWrap(true);
    m_supported = new QLabel(this);
    m_supported->setWordWrap(true);
    m_supported->setStyleSheet(QStringLiteral("color:#606060"));
    layout->addWidget(m_folderLabel);
    layout->addWidget(m_supported);

    QStringList perPage;
    for (int s = 0; s < CatalogSettings::photosPerPageSegments; ++s)
        perPage << QString::number(CatalogSettings::photosPerPage(s));
    m_perPage = new SegmentedControl(perPage, this);
    m_title = new QLineEdit(this);
    m_theme = new SegmentedControl({tr("Light"), tr("Dark")}, this);
    m_alignment = new SegmentedControl({tr("Left"), tr("Center")}, this);
    m_duplicate = new SegmentedControl({tr("Use the originals"), tr("Copy the files first")}, this);
    m_fileName = new QCheckBox(tr("File name"), this);
    m_timestamp = new QCheckBox(tr("Time stamp"), this);
    m_filePath = new QCheckBox(tr("File path"), this);
    m_theme->setSelectedSegment(0);
    m_alignment->setSelectedSegment(0);
    m_duplicate->setSelectedSegment(0);

    auto *form = new QFormLayout;
    form->addRow(tr("Per page:"), m_perPage);
    form->addRow(tr("Title:"), m_title);
    form->addRow(tr("Colours:"), m_theme);
    form->addRow(tr("Title alignment:"), m_alignment);
    form->addRow(tr("Files:"), m_duplicate);
    auto *details = new QVBoxLayout;
    details->addWidget(m_fileName);
    details->addWidget(m_timestamp);
    details->addWidget(m_filePath);
    form->addRow(tr("Show:"), details);
    layout->addLayout(form);
    m_select = new QPushButton(tr("Select Input Folder…"), this);
    m_select->setDefault(true);
    layout->addWidget(m_select, 0, Qt::AlignRight);
    if (delegate)
        connect(m_select, &QPushButton::clicked, this, [delegate] { delegate->selectInputPhotoFolder(); });
    windowDidLoad();
}

void PhotoCatalogSettingsWindowController::windowDidLoad()
{
    m_folderLabel->setText(m_openWebsiteFolderPath);
    setWindowTitle(gAppName);
    m_supported->setText(CatalogSettings::supportedFileTypes(gPhotoGalleryEdition));
    m_perPage->setSelectedSegment(CatalogSettings::defaultPhotosPerPageSegment);
    // Photos have no file path to show; videos do.
    m_filePath->setVisible(!gPhotoGalleryEdition);
    for (int s = 0; s < CatalogSettings::photosPerPageSegments; ++s)
        m_perPage->setWidthForSegment(50, s);
}

void PhotoCatalogSettingsWindowController::setOpenWebsiteFolderPath(const QString &path)
{
    m_openWebsiteFolderPath = path;
    m_folderLabel->setText(path);
}

StaticGallerySettings PhotoCatalogSettingsWindowController::settings() const
{
    StaticGallerySettings s;
    s.outputFolder = m_openWebsiteFolderPath;
    s.appName = gAppName;
    s.title = m_title->text();
    s.theme = m_theme->selectedSegment() == 1 ? 1 : 0;
    s.alignment = m_alignment->selectedSegment() == 1 ? 1 : 0;
    s.photosPerPage = std::max(0, m_perPage->selectedSegment());
    s.duplicateOption = m_duplicate->selectedSegment() == 1 ? 1 : 0;
    s.fileName = m_fileName->isChecked();
    s.timestamp = m_timestamp->isChecked();
    s.filePath = !gPhotoGalleryEdition && m_filePath->isChecked();
    return s;
}

void PhotoCatalogSettingsWindowController::showWindow()
{
    show();
    raise();
    activateWindow();
}

void PhotoCatalogSettingsWindowController::install(GalleryWindowsHost &delegate)
{
    delegate.setSettingsWindowFactory(
        [&delegate](const QString &resource) -> std::unique_ptr<GallerySettingsController> {
            if (resource == QLatin1String("FileCatalogSettingsWindowController"))
                return std::make_unique<FileCatalogSettingsWindowController>(&delegate);
            return std::make_unique<PhotoCatalogSettingsWindowController>(&delegate);
        });
}

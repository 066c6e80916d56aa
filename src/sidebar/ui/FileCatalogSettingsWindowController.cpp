#include "sidebar/ui/FileCatalogSettingsWindowController.h"

#include "generation/GalleryWindowsHost.h"
#include "config/EditionSettings.h"
#include "sidebar/ui/SegmentedControl.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FileCatalogSettingsWindowController::FileCatalogSettingsWindowController(GalleryWindowsHost *delegate, QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FileCatalogSettingsWindowController"));
    setWindowTitle(gAppName);
    auto *layout = new QVBoxLayout(this);
    m_folderLabel = new QLabel(this);
    m_folderLabel->setWordWrap(true);
    layout->addWidget(m_folderLabel);
    m_skip = new SegmentedControl({tr("1 MB"), tr("5 MB"), tr("10 MB"), tr("20 MB")}, this);
    m_skip->setSelectedSegment(0);
    auto *form = new QFormLayout;
    form->addRow(tr("Skip folders smaller than:"), m_skip);
    layout->addLayout(form);
    m_select = new QPushButton(tr("Select Input Folder…"), this);
    m_select->setDefault(true);
    layout->addWidget(m_select, 0, Qt::AlignRight);
    if (delegate)
        connect(m_select, &QPushButton::clicked, this, [delegate] { delegate->selectInputPhotoFolder(); });
}

void FileCatalogSettingsWindowController::setOpenWebsiteFolderPath(const QString &path)
{
    m_openWebsiteFolderPath = path;
    m_folderLabel->setText(path);
}

StaticGallerySettings FileCatalogSettingsWindowController::settings() const
{
    StaticGallerySettings s;
    s.outputFolder = m_openWebsiteFolderPath;
    s.appName = gAppName;
    s.skipFolderSize = m_skip->selectedSegment();
    s.skipLabel = m_skip->labelForSegment(m_skip->selectedSegment());
    return s;
}

void FileCatalogSettingsWindowController::showWindow()
{
    show();
    raise();
    activateWindow();
}

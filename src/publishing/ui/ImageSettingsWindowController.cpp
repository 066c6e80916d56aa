#include "publishing/ui/ImageSettingsWindowController.h"

#include "publishing/DropboxAccountLink.h"
#include "publishing/ImageHostingOption.h"
#include "publishing/ui/PreferenceWindowController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPointer<ImageSettingsWindowController> gImageSheet;

void paint(QPushButton *button, const QString &hex)
{
    button->setStyleSheet(QStringLiteral("QPushButton { color: white; background-color: #%1; border-radius: 6px; "
                                         "padding: 14px 18px; font-weight: bold; }")
                              .arg(hex));
}

}  // namespace

ImageSettingsWindowController::ImageSettingsWindowController(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ImageSettingsWindowController"));
    setWindowTitle(tr("Image Hosting"));
    auto *intro = new QLabel(tr("Where should the pictures of your e-mail designs be kept, so your readers' mail "
                                "programs can show them?"),
                             this);
    intro->setWordWrap(true);
    dropbox_ = new QPushButton(tr("Dropbox"), this);
    ftp_ = new QPushButton(tr("FTP Server"), this);
    attachment_ = new QPushButton(tr("Inside the Message"), this);
    current_ = new QLabel(this);
    cancel_ = new QPushButton(tr("Close"), this);
    // Without an app key there is no Dropbox to offer.
    dropbox_->setVisible(DropboxAccountLink::isAvailable());
    connect(dropbox_, &QPushButton::clicked, this, &ImageSettingsWindowController::linkDropbox);
    connect(ftp_, &QPushButton::clicked, this, &ImageSettingsWindowController::selectedImageStorageFTPOption);
    connect(attachment_, &QPushButton::clicked, this, &ImageSettingsWindowController::selectedAttachmentOption);
    connect(cancel_, &QPushButton::clicked, this, &ImageSettingsWindowController::cancelImageSettingsModalSheet);
    auto *options = new QHBoxLayout;
    options->addWidget(dropbox_);
    options->addWidget(ftp_);
    options->addWidget(attachment_);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(current_);
    bottom->addStretch(1);
    bottom->addWidget(cancel_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(8);
    layout->addLayout(options);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    resize(520, 200);
    setupButtons();
}

ImageSettingsWindowController *ImageSettingsWindowController::launchImageSettingsModalSheet(QWidget *mainWindow)
{
    if (!gImageSheet)
        gImageSheet = new ImageSettingsWindowController(mainWindow);
    gImageSheet->setupButtons();
    gImageSheet->setWindowModality(mainWindow ? Qt::WindowModal : Qt::ApplicationModal);
    gImageSheet->open();
    return gImageSheet;
}

void ImageSettingsWindowController::setupButtons()
{
    const ImageHostingOption::Option option = ImageHostingOption::current();
    const QString selected = QString::fromLatin1(ImageHostingOption::kSelectedHex);
    const QString grey = QStringLiteral("555555");
    paint(dropbox_, option == ImageHostingOption::Option::Dropbox ? selected : grey);
    paint(ftp_, option == ImageHostingOption::Option::Ftp ? selected : grey);
    paint(attachment_, option == ImageHostingOption::Option::Attachment ? selected : grey);
    current_->setText(ImageHostingOption::currentOptionText());
}

void ImageSettingsWindowController::selectedAttachmentOption()
{
    ImageHostingOption::selectedAttachmentOption();
    setupButtons();
}

void ImageSettingsWindowController::selectedImageStorageFTPOption()
{
    QPointer<ImageSettingsWindowController> self(this);
    QWidget *owner = parentWidget();
    ImageHostingOption::selectedImageStorageFTPOption(
        this,
        [self] {
            if (self)
                self->cancelImageSettingsModalSheet();
        },
        [owner] { PreferenceWindowController::showPreferencesPanel(owner); });
    setupButtons();
}

void ImageSettingsWindowController::linkDropbox()
{
    QPointer<ImageSettingsWindowController> self(this);
    DropboxAccountLink::Hooks hooks;
    hooks.setupButtons = [self] {
        if (self)
            self->setupButtons();
    };
    hooks.closeImageSettingsSheet = [self] {
        if (self)
            self->cancelImageSettingsModalSheet();
    };
    DropboxAccountLink::linkDropbox(this, hooks);
}

void ImageSettingsWindowController::cancelImageSettingsModalSheet()
{
    hide();
    setResult(1);
}

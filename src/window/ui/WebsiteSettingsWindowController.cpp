#include "window/ui/WebsiteSettingsWindowController.h"

#include "config/EditionWords.h"
#include "config/EditionSettings.h"
#include "platform/Alerts.h"
#include "platform/FilePanels.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {
struct Column {
    QString identifier;
    QString header;
    int width;
    bool extra;  // only with the publishing-extension columns
};
const QList<Column> &columns()
{
    static const QList<Column> list = {
        {QStringLiteral("Select"), QStringLiteral("Select"), 50, false},
        {QStringLiteral("Icon"), QStringLiteral("Icon"), 100, false},
        {QStringLiteral("Page"), QStringLiteral("Title"), 350, false},
        {QStringLiteral("Publishing Ext"), QStringLiteral("Publishing Ext"), 80, true},
        {QStringLiteral("Base Template"), QStringLiteral("Base Template"), 80, true},
        {QStringLiteral("Metadata"), QStringLiteral("Metadata"), 50, true},
        {QStringLiteral("Custom Header Code"), QStringLiteral("Custom Header Code"), 100, true},
        {QStringLiteral("Page Width"), QStringLiteral("Width"), 50, true},
    };
    return list;
}
QList<Column> shownColumns()
{
    QList<Column> shown;
    for (const Column &c : columns())
        if (!c.extra || gShowPublishExtColumn)
            shown << c;
    return shown;
}
QWidget *centred(QWidget *inner, QWidget *parent)
{
    auto *box = new QWidget(parent);
    auto *l = new QHBoxLayout(box);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(inner, 0, Qt::AlignCenter);
    return box;
}
}  // namespace

WebsiteSettingsWindowController::WebsiteSettingsWindowController(const WebsiteSettingsRows &rows,
                                                                 const SiteSettings &site, const QImage &favicon,
                                                                 QWidget *parent)
    : QDialog(parent), rows_(rows), favicon_(favicon)
{
    setWindowTitle(EditionWords::projectSettingsTitle());
    setWindowModality(Qt::WindowModal);
    setObjectName(QStringLiteral("WebsiteSettingsWindowController"));
    resize(gShowPublishExtColumn ? 1120 : 620, 560);

    websiteTitleTextField = new QLineEdit(site.title, this);
    websiteDescriptionTextField = new QLineEdit(site.description, this);
    favIconImageView = new QLabel(this);
    favIconImageView->setFixedSize(48, 48);
    favIconImageView->setFrameShape(QFrame::StyledPanel);
    favIconImageView->setAlignment(Qt::AlignCenter);
    auto *chooseIcon = new QPushButton(QStringLiteral("Choose…"), this);
    auto *siteBox = new QWidget(this);
    auto *siteForm = new QFormLayout(siteBox);
    siteForm->addRow(QStringLiteral("Website title:"), websiteTitleTextField);
    siteForm->addRow(QStringLiteral("Description:"), websiteDescriptionTextField);
    auto *iconRow = new QHBoxLayout;
    iconRow->addWidget(favIconImageView);
    iconRow->addWidget(chooseIcon);
    iconRow->addStretch(1);
    siteForm->addRow(QStringLiteral("Favicon:"), iconRow);
    // Editions without the extra columns have no site-wide fields either.
    siteBox->setVisible(gShowPublishExtColumn);

    table_ = new QTableWidget(this);
    const QList<Column> shown = shownColumns();
    table_->setColumnCount(int(shown.size()));
    for (int i = 0; i < shown.size(); ++i) {
        auto *h = new QTableWidgetItem(shown[i].header);
        h->setData(Qt::UserRole, shown[i].identifier);
        table_->setHorizontalHeaderItem(i, h);
        // Never narrower than the header's own title.
        const int header = table_->fontMetrics().horizontalAdvance(shown[i].header) + 16;
        table_->setColumnWidth(i, std::max(shown[i].width, header));
    }
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(100);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);

    deleteButton = new QPushButton(QStringLiteral("Delete"), this);
    duplicateButton = new QPushButton(QStringLiteral("Duplicate"), this);
    moveUpButton = new QPushButton(QStringLiteral("Move Up"), this);
    moveDownButton = new QPushButton(QStringLiteral("Move Down"), this);
    cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    saveButton = new QPushButton(QStringLiteral("Save"), this);
    saveButton->setDefault(true);
    moveUpButton->setVisible(gUsesPageOrderIndex);
    moveDownButton->setVisible(gUsesPageOrderIndex);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {deleteButton, duplicateButton, moveUpButton, moveDownButton})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cancelButton);
    buttons->addWidget(saveButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(siteBox);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    connect(chooseIcon, &QPushButton::clicked, this, &WebsiteSettingsWindowController::chooseFavicon);
    connect(deleteButton, &QPushButton::clicked, this, &WebsiteSettingsWindowController::updateDeletedButtons);
    connect(duplicateButton, &QPushButton::clicked, this, &WebsiteSettingsWindowController::updateDuplicateButtons);
    connect(moveUpButton, &QPushButton::clicked, this, &WebsiteSettingsWindowController::moveSelectedButtonsUp);
    connect(moveDownButton, &QPushButton::clicked, this, &WebsiteSettingsWindowController::moveSelectedButtonsDown);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        // Fields being edited hand over their text before the sheet goes.
        setFocus();
        const auto saved = rows_;
        const SiteSettings s = siteSettings();
        const QImage icon = favicon_;
        accept();
        if (onSave)
            onSave(saved, s, icon);
    });
    showFavicon();
    reloadData();
}

SiteSettings WebsiteSettingsWindowController::siteSettings() const
{
    return {websiteTitleTextField->text(), websiteDescriptionTextField->text()};
}

void WebsiteSettingsWindowController::showFavicon()
{
    if (favicon_.isNull())
        favIconImageView->clear();
    else
        favIconImageView->setPixmap(QPixmap::fromImage(favicon_.scaled(44, 44, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void WebsiteSettingsWindowController::chooseFavicon()
{
    OpenPanelOptions options;
    options.title = QStringLiteral("Choose a site icon");
    options.allowedTypes = {QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("gif"),
                            QStringLiteral("ico"), QStringLiteral("bmp")};
    FilePanels::current().showOpenPanel(options, this, [this](const QStringList &paths) {
        if (paths.isEmpty())
            return;
        QImageReader reader(paths.first());
        reader.setAllocationLimit(64);
        const QImage image = reader.read();
        if (image.isNull()) {
            Alerts::inform(QStringLiteral("Picture Not Read"),
                           QStringLiteral("%1: %2").arg(paths.first(), reader.errorString()), this);
            return;
        }
        favicon_ = image;
        showFavicon();
    });
}

void WebsiteSettingsWindowController::setRowSelected(int row, bool on)
{
    if (row >= 0 && row < rows_.rows.size())
        rows_.rows[row].selected = on;
}

void WebsiteSettingsWindowController::moveSelectedButtonsUp()
{
    rows_.moveSelectedButtonsUp();
    reloadData();
}

void WebsiteSettingsWindowController::moveSelectedButtonsDown()
{
    rows_.moveSelectedButtonsDown();
    reloadData();
}

void WebsiteSettingsWindowController::updateDeletedButtons()
{
    rows_.updateDeletedButtons();
    reloadData();
}

void WebsiteSettingsWindowController::updateDuplicateButtons()
{
    rows_.updateDuplicateButtons();
    reloadData();
}

void WebsiteSettingsWindowController::reloadData()
{
    table_->clearContents();
    table_->setRowCount(int(rows_.rows.size()));
    const QList<Column> shown = shownColumns();
    for (int row = 0; row < rows_.rows.size(); ++row) {
        const WebsiteSettingsRow &r = rows_.rows[row];
        for (int col = 0; col < shown.size(); ++col) {
            const QString id = shown[col].identifier;
            QWidget *cell = nullptr;
            const bool baseRow = r.isBaseTemplate();
            if (id == QLatin1String("Select")) {
                auto *box = new QCheckBox;
                box->setChecked(r.selected);
                connect(box, &QCheckBox::toggled, this, [this, row](bool on) { setRowSelected(row, on); });
                cell = centred(box, table_);
            } else if (id == QLatin1String("Icon")) {
                auto *icon = new QLabel;
                icon->setFixedSize(100, 96);
                icon->setStyleSheet(QStringLiteral("border: 2px solid black; background: white;"));
                QImageReader reader(r.page.imagePath);
                reader.setAllocationLimit(64);
                const QImage image = reader.read();
                if (!image.isNull())
                    icon->setPixmap(QPixmap::fromImage(image.scaled(96, 92, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
                cell = icon;
            } else if (id == QLatin1String("Page")) {
                auto *box = new QWidget;
                auto *l = new QVBoxLayout(box);
                l->setContentsMargins(4, 4, 4, 4);
                if (gPageTitleEnabled) {
                    auto *title = new QLineEdit(r.title);
                    title->setReadOnly(gLockPageTitleField);
                    title->setStyleSheet(QStringLiteral("color: #404040; background: transparent; border: none;"));
                    connect(title, &QLineEdit::textEdited, this, [this, row](const QString &t) { rows_.rows[row].title = t; });
                    l->addWidget(title);
                }
                auto *name = new QLineEdit(r.fileName);
                name->setReadOnly(gLockPageFileNameField);
                name->setStyleSheet(QStringLiteral("color: #909090; background: transparent; border: none; font-size: 10pt;"));
                connect(name, &QLineEdit::textEdited, this, [this, row](const QString &t) { rows_.rows[row].fileName = t; });
                l->addWidget(name);
                if (gUsesPageOrderIndex) {
                    auto *number = new QLabel(WebsiteSettingsRows::pageNumberLabel(row));
                    number->setStyleSheet(QStringLiteral("color: #909090; font-size: 10pt;"));
                    l->addWidget(number);
                }
                auto *time = new QLabel(r.duplicate ? QStringLiteral("(new copy)") : r.page.fileTime);
                time->setStyleSheet(QStringLiteral("color: #909090; font-size: 10pt;"));
                l->addWidget(time);
                cell = box;
            } else if (id == QLatin1String("Publishing Ext")) {
                auto *ext = new QLineEdit(r.publishExt);
                ext->setMaximumWidth(70);
                connect(ext, &QLineEdit::textEdited, this, [this, row](const QString &t) { rows_.rows[row].publishExt = t; });
                cell = centred(ext, table_);
            } else if (id == QLatin1String("Base Template") && !baseRow) {
                auto *box = new QCheckBox;
                box->setChecked(r.inheritBaseTemplate);
                connect(box, &QCheckBox::toggled, this, [this, row](bool on) {
                    rows_.checkSwitchStates(row, on);
                    reloadData();
                });
                cell = centred(box, table_);
            } else if ((id == QLatin1String("Metadata") || id == QLatin1String("Custom Header Code")) && !baseRow) {
                const bool meta = id == QLatin1String("Metadata");
                auto *box = new QCheckBox;
                box->setChecked(meta ? r.inheritMetadata : r.inheritCustomHeaderCode);
                box->setEnabled(r.inheritBoxesEnabled);
                connect(box, &QCheckBox::toggled, this, [this, row, meta](bool on) {
                    (meta ? rows_.rows[row].inheritMetadata : rows_.rows[row].inheritCustomHeaderCode) = on;
                });
                cell = centred(box, table_);
            } else if (id == QLatin1String("Page Width")) {
                cell = new QLabel(r.page.pageWidth);
            }
            if (cell)
                table_->setCellWidget(row, col, cell);
        }
    }
}

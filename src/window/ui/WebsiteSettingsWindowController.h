#pragma once
// The project settings sheet ("Website Preferences"): the site's title,
// description and icon above a table of the project's pages, one row each,
// with the row actions move up, move down, delete and duplicate. The rows
// live in WebsiteSettingsRows; Save hands them, the site texts and the icon
// to onSave and closes the sheet.
#include "window/SiteSettingsFile.h"
#include "window/WebsiteSettingsRows.h"

#include <QDialog>
#include <QImage>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class WebsiteSettingsWindowController : public QDialog {
    Q_OBJECT
public:
    WebsiteSettingsWindowController(const WebsiteSettingsRows &rows, const SiteSettings &site, const QImage &favicon,
                                    QWidget *parent = nullptr);

    const WebsiteSettingsRows &rows() const { return rows_; }
    SiteSettings siteSettings() const;
    QImage favicon() const { return favicon_; }
    // Row actions, as the buttons run them.
    void moveSelectedButtonsUp();
    void moveSelectedButtonsDown();
    void updateDeletedButtons();
    void updateDuplicateButtons();
    void setRowSelected(int row, bool on);
    QTableWidget *tableView() const { return table_; }

    std::function<void(const WebsiteSettingsRows &rows, const SiteSettings &site, const QImage &favicon)> onSave;

    QLineEdit *websiteTitleTextField = nullptr;
    QLineEdit *websiteDescriptionTextField = nullptr;
    QLabel *favIconImageView = nullptr;
    QPushButton *saveButton = nullptr, *cancelButton = nullptr, *deleteButton = nullptr, *duplicateButton = nullptr,
                *moveUpButton = nullptr, *moveDownButton = nullptr;

private:
    void reloadData();
    void chooseFavicon();
    void showFavicon();
    WebsiteSettingsRows rows_;
    QImage favicon_;
    QTableWidget *table_ = nullptr;
};

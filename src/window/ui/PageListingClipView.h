#pragma once
// The page listing: a search field and summary above a scrolling grid of
// page buttons laid out by PageListingPlan. Clicks, context clicks and
// drops are handed to the window; the listing decides nothing itself.
#include "window/PageListingPlan.h"

#include <QHash>
#include <QImage>
#include <QPoint>
#include <QScrollArea>

class QLabel;
class QLineEdit;
class ZovNSButton;

class PageListingClipView : public QWidget {
    Q_OBJECT
public:
    explicit PageListingClipView(QWidget *parent = nullptr);

    QLineEdit *searchField() const { return search_; }
    QLabel *summaryLabel() const { return summary_; }
    QWidget *gridView() const { return grid_; }
    const ListingPlan &plan() const { return plan_; }
    const QList<ZovNSButton *> &buttons() const { return buttons_; }
    // The point of the last context click, in the grid's coordinates.
    QPoint lastTouchPoint;

    // Lays out pages by a new plan (the grid's width decides the columns' width).
    void display(const QList<PageEntry> &pages, const QString &summary, int columns);
    // Redraws the buttons' marks after borderFlag changes in pages.
    void updateMarks(const QList<PageEntry> &pages);
    int gridWidth() const;

signals:
    void pageClicked(int index);
    void searchChanged(const QString &text);
    void contextMenuRequested(const QPoint &gridPoint, const QPoint &globalPoint);
    void pageDropped(const QString &pageName, const QPoint &gridPoint);
    void fileDropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The screenshot scaled to size, read once per file version: a search
    // keystroke lays the listing out again without reading any picture.
    QImage thumbnail(const QString &path, const QSize &size);

    QLineEdit *search_ = nullptr;
    QLabel *summary_ = nullptr;
    QScrollArea *scroll_ = nullptr;
    QWidget *grid_ = nullptr;
    ListingPlan plan_;
    QList<ZovNSButton *> buttons_;  // the buttons of the pages shown, in cell order
    QList<ZovNSButton *> pool_;     // every button made so far
    QHash<QString, QImage> thumbnails_;
};

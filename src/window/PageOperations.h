#pragma once
// What the window does to the pages of its project, without the window:
// finding the page under a context click, moving a page in the order,
// deleting one page or a set (to the desktop trash, never for good),
// duplicating a page, the page's public link, and marking the page shown.
// Every operation that changes the folder ends with the listing reload and,
// where the edition keeps one, a rewrite of "order.index".
#include "window/PageListingPlan.h"
#include "window/ProjectPages.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>

class PageOperations {
public:
    explicit PageOperations(ProjectPages &project, ProjectWindowHost *host = nullptr);

    // Moves a file to the desktop trash; false when the trash refused it.
    // Tests may install their own.
    using TrashFunction = std::function<bool(const QString &path)>;
    void setTrashFunction(TrashFunction trash) { trash_ = std::move(trash); }

    // The page cell under point of the listing (the last cell whose frame
    // holds it), -1 when none does. A hit records the page for the page menu.
    int grabPageClicked(const ListingPlan &plan, const QPoint &point) const;
    bool determinePageClicked(const ListingPlan &plan, const QPoint &point);
    QString selectedPageName;

    // Moves the page of the last name in names to the place of target.
    // Towards the end it lands after the target, towards the start before
    // it. An unknown page or target changes nothing.
    bool movePage(const QStringList &names, const QString &target);
    // A dragged page dropped at point: onto the page there, or ignored when
    // no page cell lies under it.
    bool rearrangePageOrder(const ListingPlan &plan, const QString &draggedName, const QPoint &point);

    // Asks "Confirm File Deletion", then moves the page to the trash.
    void deletePage(const QString &pageName, std::function<void(bool deleted)> done = {});
    // Moves the pages to the trash without asking; the last page of a
    // project is replaced by a blank one first. When the trash refuses a
    // page the user is asked again ("Try Again" / "Keep"), and the pass goes
    // on when the answer comes. done gets whether every page went. The
    // caller writes "order.index".
    void deletePageArray(const QStringList &pageNames, std::function<void(bool all)> done = {});

    // Asks "Confirm File Duplication", then copies the page under a default
    // name and opens the copy. Answers the copy's name through done ("" when
    // nothing was made).
    void duplicatePage(const QString &pageName, std::function<void(const QString &copy)> done = {});
    QString duplicatePageNow(const QString &pageName);

    // The public address of a page: "baseurl" / the published file name,
    // each path segment percent-encoded.
    static QString pageLink(const PageEntry &page, const QString &baseURL);
    // Puts the link on the clipboard through copy and shows it.
    bool grabPageLink(const QString &pageName, const std::function<void(const QString &)> &copy);

    // Marks the page shown in the document (by its file name), the first
    // page when it is not listed. Answers the marked index, -1 without pages.
    static int updateCurrentButtonColor(QList<PageEntry> &pages, const QString &shownFileName);

private:
    // Trashes paths one by one, asking about each one the trash refuses.
    void trashPages(QStringList paths, bool all, bool addedBlank, std::function<void(bool all)> done);
    void writeOrderFile();
    QString pagePath(const QString &name) const;

    ProjectPages &project_;
    ProjectWindowHost defaultHost_;
    ProjectWindowHost *host_;
    TrashFunction trash_;
};

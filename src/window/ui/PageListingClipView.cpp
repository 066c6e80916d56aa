#include "window/ui/PageListingClipView.h"

#include "window/PageDrop.h"
#include "window/ui/ZovNSButton.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDateTime>
#include <QDropEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QVBoxLayout>

PageListingClipView::PageListingClipView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("searchField"));
    search_->setPlaceholderText(QStringLiteral("Search"));
    search_->setClearButtonEnabled(true);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("websiteSummaryLabel"));
    summary_->setAlignment(Qt::AlignCenter);
    // A long folder name wraps in a narrow listing instead of losing both ends.
    summary_->setWordWrap(true);
    summary_->setMinimumWidth(1);
    summary_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("pageListingView"));
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(false);
    grid_ = new QWidget;
    grid_->setObjectName(QStringLiteral("pageListingGrid"));
    grid_->setAcceptDrops(true);
    grid_->installEventFilter(this);
    grid_->setAutoFillBackground(true);
    scroll_->setWidget(grid_);
    scroll_->viewport()->setAcceptDrops(true);
    layout->addWidget(search_);
    layout->addWidget(summary_);
    layout->addWidget(scroll_, 1);
    connect(search_, &QLineEdit::textChanged, this, &PageListingClipView::searchChanged);
}

int PageListingClipView::gridWidth() const
{
    return std::max(50, scroll_->viewport()->width());
}

void PageListingClipView::display(const QList<PageEntry> &pages, const QString &summary, int columns)
{
    summary_->setText(summary);
    summary_->setToolTip(summary);
    QList<QSize> sizes;
    for (const PageEntry &page : pages)
        sizes << page.imageSize;
    plan_ = PageListingPlan::layout(pages, sizes, search_->text(), gridWidth(), columns);
    // Buttons are kept between layouts and only refilled: a keystroke in the
    // search field makes no new widgets.
    while (pool_.size() < plan_.cells.size()) {
        auto *button = new ZovNSButton(grid_);
        connect(button, &ZovNSButton::clicked, this, &PageListingClipView::pageClicked);
        pool_ << button;
    }
    buttons_.clear();
    for (qsizetype i = 0; i < plan_.cells.size(); ++i) {
        const ListingCell &cell = plan_.cells.at(i);
        const PageEntry &page = pages.at(cell.page);
        ZovNSButton *button = pool_.at(i);
        button->entry = page;
        button->tag = cell.page;
        button->setObjectName(QStringLiteral("page:") + page.pageName);
        button->setGeometry(cell.frame.adjusted(2, 0, -2, 0));
        button->imageFrame = QRect(cell.buttonFrame.x() - 2, cell.buttonFrame.y(), cell.buttonFrame.width(),
                                   cell.buttonFrame.height());
        button->image = page.imagePath.isEmpty() ? QImage() : thumbnail(page.imagePath, cell.buttonFrame.size());
        button->captions.clear();
        if (cell.showTitle && !cell.titleCaption.isEmpty())
            button->captions << cell.titleCaption;
        if (cell.showName)
            button->captions << cell.nameCaption;
        if (cell.showTime)
            button->captions << cell.timeCaption;
        button->show();
        button->update();
        buttons_ << button;
    }
    for (qsizetype i = plan_.cells.size(); i < pool_.size(); ++i)
        pool_.at(i)->hide();
    grid_->resize(gridWidth(), std::max(plan_.listingHeight + 10, scroll_->viewport()->height()));
}

QImage PageListingClipView::thumbnail(const QString &path, const QSize &size)
{
    const QFileInfo info(path);
    const QString key = QStringLiteral("%1|%2x%3|%4|%5")
                            .arg(path)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(info.lastModified().toMSecsSinceEpoch())
                            .arg(info.size());
    const auto found = thumbnails_.constFind(key);
    if (found != thumbnails_.constEnd())
        return *found;
    QImageReader reader(path);
    reader.setScaledSize(size);
    const QImage image = reader.read();
    if (thumbnails_.size() > 4096)
        thumbnails_.clear();
    thumbnails_.insert(key, image);
    return image;
}

void PageListingClipView::updateMarks(const QList<PageEntry> &pages)
{
    for (ZovNSButton *button : buttons_) {
        if (button->tag >= 0 && button->tag < pages.size()) {
            button->setBorderFlag(pages.at(button->tag).borderFlag);
            button->update();
        }
    }
}

bool PageListingClipView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != grid_)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (PageDrop::judge(drag->mimeData()) == PageDrop::Kind::Refused) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QPoint point = drop->position().toPoint();
        const QMimeData *data = drop->mimeData();
        switch (PageDrop::judge(data)) {
        case PageDrop::Kind::Reorder:
            drop->acceptProposedAction();
            emit pageDropped(PageDrop::draggedPageName(data), point);
            break;
        case PageDrop::Kind::CopyFile:
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            emit fileDropped(PageDrop::droppedFilePath(data));
            break;
        case PageDrop::Kind::Refused:
            drop->ignore();
            break;
        }
        return true;
    }
    case QEvent::ContextMenu: {
        auto *menu = static_cast<QContextMenuEvent *>(event);
        lastTouchPoint = menu->pos();
        emit contextMenuRequested(menu->pos(), menu->globalPos());
        return true;
    }
    default:
        return QWidget::eventFilter(watched, event);
    }
}

#include "window/ui/PageListingClipView.h"

#include "window/PageDrop.h"
#include "window/ui/ZovNSButton.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
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
    qDeleteAll(buttons_);
    buttons_.clear();
    QList<QSize> sizes;
    for (const PageEntry &page : pages)
        sizes << page.imageSize;
    plan_ = PageListingPlan::layout(pages, sizes, search_->text(), gridWidth(), columns);
    for (const ListingCell &cell : plan_.cells) {
        const PageEntry &page = pages.at(cell.page);
        auto *button = new ZovNSButton(grid_);
        button->entry = page;
        button->tag = cell.page;
        button->setObjectName(QStringLiteral("page:") + page.pageName);
        button->setGeometry(cell.frame.adjusted(2, 0, -2, 0));
        button->imageFrame = QRect(cell.buttonFrame.x() - 2, cell.buttonFrame.y(), cell.buttonFrame.width(),
                                   cell.buttonFrame.height());
        if (!page.imagePath.isEmpty()) {
            QImageReader reader(page.imagePath);
            reader.setScaledSize(cell.buttonFrame.size());
            button->image = reader.read();
        }
        if (cell.showTitle && !cell.titleCaption.isEmpty())
            button->captions << cell.titleCaption;
        if (cell.showName)
            button->captions << cell.nameCaption;
        if (cell.showTime)
            button->captions << cell.timeCaption;
        connect(button, &ZovNSButton::clicked, this, &PageListingClipView::pageClicked);
        button->show();
        buttons_ << button;
    }
    grid_->resize(gridWidth(), std::max(plan_.listingHeight + 10, scroll_->viewport()->height()));
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

#include "app/ui/TemplateWindowController.h"

#include "app/SKTAppDelegate.h"
#include "app/TemplateGridPlan.h"
#include "app/ui/TemplateIconButton.h"
#include "config/DataCentre.h"
#include "config/EditionSettings.h"
#include "platform/NotificationCenter.h"
#include "platform/UserDefaults.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

constexpr const char *kFrameKey = "NSWindow Frame ChooseTemplate";

QString colourStyle(const QString &hex)
{
    return QStringLiteral("background-color: #%1;").arg(hex);
}

// The category titles are set in "Heiti TC"; where it is not installed the
// system's sans serif stands in without a search through every family.
QFont categoryFont()
{
    static const bool substituted = [] {
        QFont::insertSubstitutions(QStringLiteral("Heiti TC"), {QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(substituted);
    QFont font(QStringLiteral("Heiti TC"));
    // 13 points as the desktop it was drawn for measured them: 13 pixels.
    font.setPixelSize(13);
    return font;
}

// A document view of one colour, its children placed by hand.
QWidget *makeDocumentView(const QString &background, QSize size)
{
    auto *view = new QWidget;
    view->setAutoFillBackground(true);
    QPalette palette = view->palette();
    palette.setColor(QPalette::Window, DataCentre::colorWithHexString(background));
    view->setPalette(palette);
    view->resize(size);
    return view;
}

// A scroll area whose document view is a plain widget placed by hand.
QScrollArea *makeScrollView(const QString &background, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setWidgetResizable(false);
    area->setFrameShape(QFrame::NoFrame);
    area->setStyleSheet(QStringLiteral("QScrollArea { %1 }").arg(colourStyle(background)));
    area->viewport()->setAutoFillBackground(true);
    QPalette palette = area->viewport()->palette();
    palette.setColor(QPalette::Window, DataCentre::colorWithHexString(background));
    area->viewport()->setPalette(palette);
    return area;
}

}  // namespace

TemplateWindowController::TemplateWindowController(SKTAppDelegate &delegate, QWidget *parent)
    : QWidget(parent, Qt::Window), m_delegate(delegate)
{
    setObjectName(QStringLiteral("ChooseTemplate"));
    setWindowTitle(QCoreApplication::translate("Templates", "Choose a Template"));

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    m_categoryScrollView = makeScrollView(QStringLiteral("F5F5F5"), splitter);
    m_categoryScrollView->setFixedWidth(TemplateGridPlan::categoryButtonFrame(0).width() + 20);
    m_scrollView = makeScrollView(QStringLiteral("000000"), splitter);
    splitter->addWidget(m_categoryScrollView);
    splitter->addWidget(m_scrollView);
    splitter->setStretchFactor(1, 1);
    // The divider between the two columns does not move.
    splitter->setHandleWidth(1);
    for (int i = 0; i < splitter->count(); ++i)
        splitter->handle(i)->setEnabled(false);

    m_baseTemplateCheckbox = new QCheckBox(tr("Base template"), this);
    m_baseTemplateCheckbox->setToolTip(QStringLiteral(
        "Each website may contain one base template, designed for common components such as headers and menus "
        "that you wish to appear consistently on multiple pages."));
    m_cancelButton = new QPushButton(tr("Cancel"), this);
    m_openButton = new QPushButton(tr("Open..."), this);
    m_selectButton = new QPushButton(tr("Select"), this);
    m_selectButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_baseTemplateCheckbox);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_selectButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(m_cancelButton, &QPushButton::clicked, this, [this] { m_delegate.cancelTemplateView(); });
    connect(m_selectButton, &QPushButton::clicked, this, [this] { m_delegate.chooserSelectPressed(); });
    connect(m_openButton, &QPushButton::clicked, this, [this] { m_delegate.chooserOpenPressed(); });

    resize(3 * 200 + 90 + m_categoryScrollView->width() + 60, 680);
    const QByteArray frame =
        QByteArray::fromBase64(UserDefaults::standard().stringForKey(QLatin1String(kFrameKey)).toLatin1());
    if (!frame.isEmpty())
        restoreGeometry(frame);
}

TemplateWindowController::~TemplateWindowController()
{
    saveFrame();
}

void TemplateWindowController::displayTemplate()
{
    setWindowTitle(QStringLiteral("%1 (%2)")
                       .arg(QCoreApplication::translate("Templates", "Choose a Template"))
                       .arg(m_delegate.siteIconArray().size()));

    const QList<TemplateCategory> &categories = m_delegate.templateCategoryMutableArray();
    auto *column = makeDocumentView(QStringLiteral("F5F5F5"), TemplateGridPlan::categoryColumnSize(int(categories.size())));
    m_categoryButtons.clear();
    for (qsizetype i = 0; i < categories.size(); ++i) {
        auto *button = new QPushButton(categories.at(i).categoryDescription(), column);
        button->setFlat(true);
        button->setFont(categoryFont());
        button->setGeometry(TemplateGridPlan::categoryButtonFrame(int(i)));
        button->setToolTip(categories.at(i).categoryDescription().trimmed());
        button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; border: none; color: black; %1 }")
                                  .arg(colourStyle(QStringLiteral("F5F5F5"))));
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_delegate.categoryButtonTapped(int(i));
            colourCategoryButtons();
        });
        m_categoryButtons.append(button);
    }
    m_categoryScrollView->setWidget(column);

    refreshTemplate();

    const bool newWork = m_delegate.templateLaunchNewDirectoryFlag == 1;
    if (newWork)
        m_baseTemplateCheckbox->setChecked(true);
    m_openButton->setVisible(newWork);
    m_baseTemplateCheckbox->setVisible(!gSingleDocumentMode);
    setVisible(true);
    raise();
    activateWindow();
}

void TemplateWindowController::colourCategoryButtons()
{
    const int tapped = m_delegate.tappedCategoryIndex();
    for (qsizetype i = 0; i < m_categoryButtons.size(); ++i)
        m_categoryButtons.at(i)->setStyleSheet(
            QStringLiteral("QPushButton { text-align: left; border: none; color: black; %1 }")
                .arg(colourStyle(i == tapped ? QStringLiteral("B0C4DE") : QStringLiteral("F5F5F5"))));
}

void TemplateWindowController::refreshTemplate()
{
    const QList<TemplateIcon> &icons = m_delegate.siteIconArray();
    const TemplateGridPlan plan = TemplateGridPlan::layout(icons, m_delegate.categoryFolder());
    auto *grid = makeDocumentView(QStringLiteral("000000"), plan.documentSize);
    m_gridButtons.clear();
    m_gridIconIndexes = plan.iconIndexes;
    for (qsizetype k = 0; k < plan.frames.size(); ++k) {
        const int index = plan.iconIndexes.at(k);
        const TemplateIcon &icon = icons.at(index);
        auto *button = new TemplateIconButton(icon.fileName, icon.categoryFolder, icon.image, grid);
        button->setGeometry(plan.frames.at(k));
        button->setProperty("tag", int(k));
        connect(button, &QAbstractButton::clicked, this, [this, index] { m_delegate.templateSelected(index); });
        m_gridButtons.append(button);
    }
    m_scrollView->setWidget(grid);
    updateSelection();
}

void TemplateWindowController::updateSelection()
{
    const int bordered = m_delegate.borderedIconIndex();
    for (qsizetype k = 0; k < m_gridButtons.size(); ++k)
        m_gridButtons.at(k)->setBorderFlag(m_gridIconIndexes.at(k) == bordered);
}

void TemplateWindowController::setVisible(bool visible)
{
    if (!visible)
        saveFrame();
    QWidget::setVisible(visible);
}

void TemplateWindowController::mousePressEvent(QMouseEvent *event)
{
    // A click on the window's background (or between the thumbnails).
    NotificationCenter::defaultCenter().postNotification(QStringLiteral("clearTemplateSelection"), this);
    event->accept();
}

void TemplateWindowController::closeEvent(QCloseEvent *event)
{
    saveFrame();
    event->accept();
}

void TemplateWindowController::saveFrame()
{
    if (QWidget::isVisible())
        UserDefaults::standard().setString(QString::fromLatin1(saveGeometry().toBase64()), QLatin1String(kFrameKey));
}

void TemplateWindowController::install(SKTAppDelegate &delegate)
{
    delegate.setTemplateChooserFactory(
        [&delegate]() -> std::unique_ptr<TemplateChooser> { return std::make_unique<TemplateWindowController>(delegate); });
}

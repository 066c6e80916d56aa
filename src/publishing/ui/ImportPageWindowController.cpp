#include "publishing/ui/ImportPageWindowController.h"

#include "publishing/PageImportHost.h"
#include "platform/UserDefaults.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Where the window was last placed (its frame autosave name).
constexpr char kFrameKey[] = "NSWindow Frame Import Page";
}

ImportPageWindowController::ImportPageWindowController(PageImportHost &delegate, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Import Page"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Address of a page published with this program:")));
    m_url = new QLineEdit;
    m_url->setPlaceholderText(QStringLiteral("http://www.example.com/index.html"));
    m_url->setMinimumWidth(420);
    layout->addWidget(m_url);

    auto *segments = new QHBoxLayout;
    segments->setSpacing(0);
    m_encodingControl = new QButtonGroup(this);
    const QStringList names = {QStringLiteral("UTF-8"), QStringLiteral("UTF-16"), QStringLiteral("Windows-1251"),
                               QStringLiteral("GB 18030"), QStringLiteral("ASCII")};
    for (int i = 0; i < names.size(); ++i) {
        auto *segment = new QPushButton(names.at(i));
        segment->setCheckable(true);
        segment->setChecked(i == 0);
        m_encodingControl->addButton(segment, i);
        segments->addWidget(segment);
    }
    segments->addStretch();
    layout->addLayout(segments);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_import = new QPushButton(QStringLiteral("Import"));
    m_import->setDefault(true);
    buttons->addWidget(m_import);
    layout->addLayout(buttons);

    connect(m_import, &QPushButton::clicked, this, [&delegate] { delegate.syncPage(); });
    connect(m_url, &QLineEdit::returnPressed, this, [&delegate] { delegate.syncPage(); });

    const QByteArray frame = QByteArray::fromBase64(UserDefaults::standard().stringForKey(QLatin1String(kFrameKey)).toLatin1());
    if (!frame.isEmpty())
        restoreGeometry(frame);
}

ImportPageWindowController::~ImportPageWindowController()
{
    saveFrame();
}

QString ImportPageWindowController::address() const
{
    return m_url->text();
}

void ImportPageWindowController::setAddress(const QString &address)
{
    m_url->setText(address);
}

int ImportPageWindowController::encoding() const
{
    return m_encodingControl->checkedId();
}

void ImportPageWindowController::setEncoding(int segment)
{
    if (auto *button = m_encodingControl->button(segment))
        button->setChecked(true);
}

void ImportPageWindowController::setImporting(bool importing)
{
    m_import->setEnabled(!importing);
}

void ImportPageWindowController::showWindow()
{
    show();
    raise();
    activateWindow();
}

void ImportPageWindowController::hideWindow()
{
    saveFrame();
    hide();
}

void ImportPageWindowController::saveFrame()
{
    if (isVisible())
        UserDefaults::standard().setString(QString::fromLatin1(saveGeometry().toBase64()), QLatin1String(kFrameKey));
}

void ImportPageWindowController::install(PageImportHost &delegate)
{
    delegate.setImportPageWindowFactory(
        [&delegate]() -> std::unique_ptr<ImportPageWindow> { return std::make_unique<ImportPageWindowController>(delegate); });
}

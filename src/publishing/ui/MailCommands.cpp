#include "publishing/ui/MailCommands.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "generation/ui/SourceCodeWindowController.h"
#include "publishing/MailSendRoad.h"
#include "publishing/MergePages.h"
#include "publishing/ui/ConnectionLogWindowController.h"
#include "publishing/ui/ContactViewController.h"
#include "publishing/ui/ImageSettingsWindowController.h"
#include "publishing/ui/MailRecipientWindowController.h"
#include "publishing/ui/MailSettingWindowController.h"
#include "publishing/ui/ReviewMailDataWindowController.h"
#include "platform/ui/CommandRegistry.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace {

// One document window's mail: its send road and sheets, made on first use. The
// window keeps one document and points it at each page it shows, so one set serves.
class MailWindowCommands : public QObject {
public:
    MailWindowCommands(const DocumentWindowContext &context, QObject *parent)
        : QObject(parent)
        , context_(context)
    {
    }

    MailSendRoad *road()
    {
        SKTDocument *document = context_.currentDocument();
        if (!document)
            return nullptr;
        if (!road_ || document != document_) {
            delete road_;
            document_ = document;
            road_ = new MailSendRoad(*document, context_.window, this);
            wire();
        }
        return road_;
    }

    void showRecipientSettings()
    {
        if (!road())
            return;
        recipients()->refreshRecipientList();
        recipients()->setWindowModality(context_.window ? Qt::WindowModal : Qt::ApplicationModal);
        recipients()->show();
        recipients()->raise();
    }

    bool reviewShown() const { return review_ && review_->isVisible(); }

private:
    MailRecipientWindowController *recipients()
    {
        if (!recipients_) {
            recipients_ = new MailRecipientWindowController(context_.window);
            connect(recipients_, &MailRecipientWindowController::sendRequested, this, [this] {
                if (MailSendRoad *r = road())
                    r->getReadyToSendEmail();
            });
        }
        return recipients_;
    }

    ReviewMailDataWindowController *review()
    {
        if (!review_) {
            review_ = new ReviewMailDataWindowController(context_.window);
            connect(review_, &ReviewMailDataWindowController::sendRequested, this, [this] {
                if (MailSendRoad *r = road())
                    r->sendNow();
            });
        }
        return review_;
    }

    void wire()
    {
        MailSendRoad::Hooks &h = road_->hooks;
        QPointer<MailWindowCommands> self(this);
        h.recipientSheet = [self] {
            return self && self->recipients_ ? self->recipients_->recipientSheet() : MailSendRoad::RecipientSheet();
        };
        h.cancelMailRecipientSheet = [self] {
            if (self && self->recipients_)
                self->recipients_->cancelMailRecipientSheet();
        };
        h.showReview = [self](const QString &text) {
            if (self)
                self->review()->present(text);
        };
        h.hideReviewMailDataPanel = [self] {
            if (self && self->review_)
                self->review_->hideReviewMailDataPanel();
        };
        h.showMailSettings = [self] {
            if (self)
                MailSettingWindowController::showMailSettings(self->context_.window);
        };
        h.showConnectionLog = [self](const QString &log) {
            if (!self)
                return;
            if (!self->log_)
                self->log_ = new ConnectionLogWindowController(self->context_.window);
            self->log_->setWindowTitle(QStringLiteral("Error log"));
            self->log_->showLog(log);
        };
        h.presentSource = [self](const QString &code) {
            if (!self || !self->document_)
                return;
            SKTDocument &doc = *self->document_;
            auto *window = qobject_cast<SourceCodeWindowController *>(doc.sourceCodeController);
            if (!window) {
                window = new SourceCodeWindowController(self->context_.window);
                doc.sourceCodeController = window;
            }
            window->presentSource(code, QStringLiteral("HTML Code"));
        };
    }

    DocumentWindowContext context_;
    SKTDocument *document_ = nullptr;
    MailSendRoad *road_ = nullptr;
    QPointer<MailRecipientWindowController> recipients_;
    QPointer<ReviewMailDataWindowController> review_;
    QPointer<ConnectionLogWindowController> log_;
};

QWidget *mainWindow()
{
    return QApplication::activeWindow();
}

void installWindowCommands(ActionMap &commands, const DocumentWindowContext &context)
{
    // Lives as long as the window; without one (tests) as long as the application.
    QObject *owner = context.window ? static_cast<QObject *>(context.window) : QCoreApplication::instance();
    auto *mail = new MailWindowCommands(context, owner);
    QPointer<MailWindowCommands> guard(mail);
    const auto hasDocument = [context](ActionItemState &) { return context.currentDocument() != nullptr; };
    const auto canSend = [guard, context](ActionItemState &) {
        return guard && context.currentDocument() && !(guard->road() && guard->road()->isSending());
    };
    commands.add(QStringLiteral("showRecipientSettings"), [guard](const ActionItemState &) {
        if (guard)
            guard->showRecipientSettings();
    }, hasDocument);
    commands.add(QStringLiteral("getReadyToSendEmail"), [guard](const ActionItemState &) {
        if (guard && guard->road())
            guard->road()->getReadyToSendEmail();
    }, canSend);
    // The review sheet's Send: what the review shows goes out.
    const auto reviewed = [guard, canSend](ActionItemState &item) { return canSend(item) && guard->reviewShown(); };
    commands.add(QStringLiteral("sendEmailNow"), [guard](const ActionItemState &) {
        if (guard && guard->road())
            guard->road()->sendEmailNow();
    }, reviewed);
    commands.add(QStringLiteral("sendHTMLEmailNow"), [guard](const ActionItemState &) {
        if (guard && guard->road())
            guard->road()->sendHTMLEmailNow();
    }, reviewed);
    commands.add(QStringLiteral("showMailSourceCode"), [guard, context](const ActionItemState &) {
        SKTDocument *document = context.currentDocument();
        if (!guard || !document || !guard->road())
            return;
        document->showCodeOnlyFlag = true;
        guard->road()->uploadPNG();
    }, canSend);
    commands.add(QStringLiteral("populatePersonalizedDocuments"), [context](const ActionItemState &) {
        if (!context.project)
            return;
        MergePages(*context.project, context.host, context.window).populatePersonalizedDocuments();
    }, [context](ActionItemState &) { return context.project && !context.currentProjectFolder().isEmpty(); });
}

void installApplicationCommands(ActionMap &commands)
{
    commands.add(QStringLiteral("showMailSettings"),
                 [](const ActionItemState &) { MailSettingWindowController::showMailSettings(mainWindow()); });
    commands.add(QStringLiteral("launchContactList"),
                 [](const ActionItemState &) { ContactViewController::launchContactList(mainWindow()); });
    commands.add(QStringLiteral("launchImageSettingsModalSheet"), [](const ActionItemState &) {
        ImageSettingsWindowController::launchImageSettingsModalSheet(mainWindow());
    });
    commands.add(QStringLiteral("linkDropbox"), [](const ActionItemState &) {
        ImageSettingsWindowController::launchImageSettingsModalSheet(mainWindow())->linkDropbox();
    });
    commands.add(QStringLiteral("selectedImageStorageFTPOption"), [](const ActionItemState &) {
        ImageSettingsWindowController::launchImageSettingsModalSheet(mainWindow())->selectedImageStorageFTPOption();
    });
}

}  // namespace

void registerMailCommands()
{
    CommandRegistry::addWindowCommands(QStringLiteral("mail"), &installWindowCommands);
    CommandRegistry::addApplicationCommands(QStringLiteral("mail"), &installApplicationCommands);
}

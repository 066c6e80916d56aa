#pragma once
// The welcome window: the edition's name in large type, its version, icon and
// what's-new note, the two main buttons of the edition and the user-guide and
// video-tutorial buttons. Buttons send action names along the responder
// chain; a button whose action nobody answers stays disabled. The shell makes
// a fresh window each time it shows one.
#include "app/WelcomePlan.h"

#include <QMainWindow>

class QLabel;
class QPushButton;

class WelcomeWindowController : public QMainWindow {
    Q_OBJECT
public:
    explicit WelcomeWindowController(QWidget *parent = nullptr);

    QLabel *appTitleTextField() const { return m_appTitle; }
    QLabel *appVersionTextField() const { return m_appVersion; }
    QLabel *whatsNewTextField() const { return m_whatsNew; }
    QLabel *logoImageView() const { return m_logo; }
    QPushButton *addNewWebsiteButton() const { return m_newButton; }
    QPushButton *openNewWebsiteButton() const { return m_openButton; }
    // Null when the edition has no guide or tutorials (removed, not disabled).
    QPushButton *userGuideButton() const { return m_userGuideButton; }
    QPushButton *videoTutorialButton() const { return m_videoTutorialButton; }
    QPushButton *promoButton() const { return m_promoButton; }

    // Enables each button whose action a responder takes.
    void validateButtons();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void windowDidLoad();
    QPushButton *actionButton(const QString &title, const QString &action);

    WelcomePlan m_plan;
    QLabel *m_appTitle = nullptr;
    QLabel *m_appVersion = nullptr;
    QLabel *m_whatsNew = nullptr;
    QLabel *m_logo = nullptr;
    QPushButton *m_newButton = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_userGuideButton = nullptr;
    QPushButton *m_videoTutorialButton = nullptr;
    QPushButton *m_promoButton = nullptr;
};

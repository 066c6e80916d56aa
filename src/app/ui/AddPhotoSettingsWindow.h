#pragma once
// The photos-over-time edition's "Add Photo Settings" window in its least
// form: its Add button asks the front document window to build the photo
// pages (the window's generatePhotoPages), as a menu command would.
#include <QWidget>

class QPushButton;
class SKTAppDelegate;

class AddPhotoSettingsWindow : public QWidget {
    Q_OBJECT
public:
    explicit AddPhotoSettingsWindow(QWidget *parent = nullptr);

    QPushButton *addButton() const { return m_addButton; }
    // Lets the delegate make the window.
    static void install(SKTAppDelegate &delegate);

public slots:
    void showWindow();

private:
    QPushButton *m_addButton = nullptr;
};

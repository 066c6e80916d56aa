#pragma once
// The "Import Page" window: the address of a published page, the character set
// it was written in and the import button.
#include "publishing/ImportPageWindow.h"

#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class PageImportHost;

class ImportPageWindowController : public QWidget, public ImportPageWindow {
    Q_OBJECT
public:
    explicit ImportPageWindowController(PageImportHost &delegate, QWidget *parent = nullptr);
    ~ImportPageWindowController() override;

    QString address() const override;
    void setAddress(const QString &address) override;
    int encoding() const override;
    void setEncoding(int segment);
    void setImporting(bool importing) override;
    void showWindow() override;
    void hideWindow() override;
    QObject *windowObject() override { return this; }

    QLineEdit *urlTextField() const { return m_url; }
    QPushButton *importButton() const { return m_import; }

    // Lets the delegate make this window.
    static void install(PageImportHost &delegate);

private:
    void saveFrame();

    QLineEdit *m_url = nullptr;
    QButtonGroup *m_encodingControl = nullptr;
    QPushButton *m_import = nullptr;
};

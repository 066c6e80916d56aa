#pragma once
// What the application delegate needs of the "Import Page" window: the typed
// address, the chosen encoding segment and showing or hiding it. The widget
// (ImportPageWindowController) realises it; tests may script one.
#include <QString>

class QObject;

class ImportPageWindow {
public:
    virtual ~ImportPageWindow() = default;

    virtual QString address() const = 0;
    virtual void setAddress(const QString &address) = 0;
    // 0 UTF-8, 1 UTF-16, 2 Windows-1251, 3 GB 18030, 4 ASCII.
    virtual int encoding() const = 0;
    // While an import runs the import button is off, so a second one cannot start.
    virtual void setImporting(bool importing) = 0;
    virtual void showWindow() = 0;
    virtual void hideWindow() = 0;
    // The top-level widget alerts are shown over (may be null).
    virtual QObject *windowObject() = 0;
};

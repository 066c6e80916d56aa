#pragma once
// Open and save panels. Logic describes the panel and receives the chosen paths in a
// completion (empty when the user cancelled); it never runs a modal loop. The program
// installs file dialogs (QtFilePanels); tests install scripted answers.
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

struct OpenPanelOptions {
    QString title;
    QString message;
    QString prompt;            // the title of the confirming button
    QString directory;         // where the panel starts
    QStringList allowedTypes;  // file extensions without the dot; empty: any
    bool canChooseFiles = true;
    bool canChooseDirectories = false;
    bool allowsMultipleSelection = false;
};

struct SavePanelOptions {
    QString title;
    QString message;
    QString prompt;
    QString directory;
    QString nameFieldValue;    // the proposed file name
    QStringList allowedTypes;  // the first is added to a name typed without one
};

class FilePanels {
public:
    using OpenCompletion = std::function<void(const QStringList &paths)>;
    using SaveCompletion = std::function<void(const QString &path)>;

    virtual ~FilePanels() = default;

    virtual void showOpenPanel(const OpenPanelOptions &options, QObject *window, OpenCompletion completion) = 0;
    virtual void showSavePanel(const SavePanelOptions &options, QObject *window, SaveCompletion completion) = 0;

    // The panels in use; never null. Without an installed implementation every panel
    // is logged and answered as cancelled.
    static FilePanels &current();
    static void setCurrent(FilePanels *panels);  // not owned; null restores the fallback
};

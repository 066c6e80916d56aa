#pragma once
// Where an e-mail design's pictures go ("uploadOption"): Dropbox, the FTP server, or
// inside the message. The image hosting sheet shows the choice; this says what it
// shows.
#include <QObject>
#include <QString>

#include <functional>

class ImageHostingOption {
public:
    ImageHostingOption() = delete;

    enum class Option { Dropbox, Ftp, Attachment };
    // The stored choice; anything but "dropbox" or "ftp" is the attachment.
    static Option current();
    // "Current option selected: Dropbox" / "FTP" / "Attachment".
    static QString currentOptionText();
    // The colour of the chosen option's button ("30B34F"); the others are dark grey.
    static constexpr const char *kSelectedHex = "30B34F";

    // selectedAttachmentOption: the pictures travel inside the message.
    static void selectedAttachmentOption();
    // selectedImageStorageFTPOption: the pictures go to the publishing server; the
    // "FTP Selected" alert offers its settings (openServerSettings after closing).
    static void selectedImageStorageFTPOption(QObject *window, std::function<void()> closeSheet,
                                              std::function<void()> openServerSettings);
};

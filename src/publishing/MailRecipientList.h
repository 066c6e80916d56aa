#pragma once
// The recipient sheet's stored side: the default To, CC and BCC texts and subject,
// the saved mailing lists it appends to, the addresses picked from the contacts, and
// the label naming where the design's pictures go.
#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class MailRecipientList {
public:
    MailRecipientList() = delete;

    struct Texts {
        QString to;
        QString cc;
        QString bcc;
    };
    // The stored default texts; a key never stored stays unset (the sheet then keeps
    // what it shows).
    struct Stored {
        std::optional<QString> to;
        std::optional<QString> cc;
        std::optional<QString> bcc;
        std::optional<QString> subject;
    };
    static Stored refreshRecipientList();

    // "Mail Storage Option Selected: FTP" / "Dropbox" / "Attachment".
    static QString storageLabel();

    // saveAsDefault: the three texts only.
    static void saveAsDefault(const Texts &texts);
    // saveAsDefaultSettings: the subject and the three texts.
    static void saveAsDefaultSettings(const Texts &texts, const QString &subject);
    static constexpr const char *kSavedTitle = "Settings Saved";
    static constexpr const char *kSavedText =
        "This information has been saved as the default values for the mail information screen.  You may update "
        "these values at any time and re-save to modify the default values.";

    // saveMailingList: appends the texts as a list named title (a time stamp when
    // empty), stores them as the defaults and announces it ("mailingListUpdatedMail").
    static void saveMailingList(const Texts &texts, const QString &title, QObject *sender = nullptr);

    // Which list the contacts' addresses go to.
    enum class Field { To, CC, BCC };
    // The picked addresses added to the stored list of field: the open sheet first
    // stores what it shows ("grabCurrentListAsShown"), then every document reloads
    // ("contactUpdatedMail"). False (nothing changed) when nothing was picked.
    static bool grabContacts(Field field, const QStringList &picked, QObject *sender = nullptr);
    // "TO: mailing list saved" and the like.
    static QString savedText(Field field);
};

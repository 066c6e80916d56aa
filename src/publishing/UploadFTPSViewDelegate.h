#pragma once
// What an UploadFTPS reports to the one who runs it, on the thread that runs it.
#include <QString>

#include <cstdint>

class UploadFTPS;

class UploadFTPSViewDelegate {
public:
    virtual ~UploadFTPSViewDelegate() = default;

    // One call per file sent (result true, counter = the item's index), and one call
    // that ends a job in failure (result false, counter = the failing item, or 0 when
    // no item was reached). Nothing follows a failure. details is the connection log.
    virtual void UploadUpdate(UploadFTPS *sender, bool uploadResult, const QString &uploadDetails,
                              int32_t fileCounter) = 0;
    // The outcome of an e-mail send.
    virtual void sendMailUpdate(UploadFTPS *sender, bool sendResult, const QString &sendDetails)
    {
        (void)sender;
        (void)sendResult;
        (void)sendDetails;
    }
};

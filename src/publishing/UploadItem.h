#pragma once
// One file of an upload list: where it is here and where it goes on the server.
#include <QString>

#include <cstdint>

struct UploadItem {
    QString localPath;       // absolute path of the file to send
    QString remoteFolder;    // under the server's remote path: empty, or "/name"
    QString remoteFileName;  // name inside that folder
    QString dropboxLink;     // shared link after a cloud upload; empty for server uploads
    // Set by the e-mail design picture builder only; the server transport ignores them.
    QString imageName;
    int32_t imageIndex = 0;
    bool originalImageFlag = false;
};

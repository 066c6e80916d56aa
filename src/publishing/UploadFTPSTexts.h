#pragma once
// The connection log texts of the server transport. "%@" and "%d" are filled in order.

namespace UploadFTPSTexts {

inline constexpr const char *kConnectFailedFtps =
    "%@\n\n"
    "**Not able to connect to %@ on port %@ using protocol %@. Mode %@. The connection was attempted using username %@ and the specified password. \n\n"
    "How to troubleshoot:\n\n"
    "- Check Username and Password. Please make sure these are the exact same as provided by your web host provider. Re-typing them into the settings fields will usually help correct accidentally made typos.\n\n"
    "- Check Server Address: Make sure you use the domain name as is, do not add http://, www. or any other prefix unless advised by your web host provider.  You may also try the numeric IP address for your domain name.\n\n"
    "- Check type of connection protocol: You have selected to connect with %@. Please note %@ is not supported by all web host providers, please verify this type of connection is supported for your account.\n\n"
    "- Incorrect server port number. The current connection was attempted using port number %@.\n\n"
    "- Your firewall could be blocking the connection.  To test if this is the cause, try switching to a different network. For example, if you are having trouble connecting via a mobile network, try with wifi. \n\n"
    "- Invalid FTP account settings. Your account settings might be out of date from the settings on your web server, please contact your web host provider to ensure all settings are accurate and up to date. You may also test the connection with another FTP client tool such as FileZilla (free for both Mac and PC)\n\n"
    "Raw Log:\n\n"
    "%@";
inline constexpr const char *kConnectFailedFtp =
    "%@\n\n"
    "**Not able to connect to %@ on port %@ using protocol %@. Mode %@. The connection was attempted using username %@ and the specified password. \n\n"
    "Common causes:\n\n"
    "1. Incorrect Username and Password. Please make sure these are the exact same as provided by your web host provider. Re-typing them into the settings fields will usually help correct accidentally made typos.\n\n"
    "2. Incorrect Server: Make sure you use the domain name as is, do not add http://, www. or any other prefix unless advised by your web host provider.  You may also try the numeric IP address for your domain name.\n\n"
    "3. Incorrect type of connection protocol: You have selected to connect with %@, please verify this type of connection is supported for your account.\n\n"
    "4. Incorrect server port number. The current connection was attempted using port number %@.\n\n"
    "5. Your firewall could be blocking the connection.  To test if this is the cause, try switching to a different network. For example, if you are having trouble connecting via a mobile network, try with wifi. \n\n"
    "6. Open FTP Settings, set Classic Mode switch to ON and try again\n\n"
    "7. Invalid FTP account settings. Your account settings might be out of date from the settings on your web server, please contact your web host provider to ensure all settings are accurate and up to date. You may also test the connection with another FTP client tool such as FileZilla (free for both Mac and PC)\n\n"
    "Raw Log:\n\n"
    "%@";
inline constexpr const char *kConnectedFtp =
    "%@\n\n"
    "**Connected successfully to %@ on port %@ using protocol %@.";
inline constexpr const char *kFolderUnreachable =
    "%@\n\n"
    "Not able to access remote directory %@.\n\n"
    "Incorrect FTP server remote path is a common cause for this error. The remote path should be the path to a folder available on the FTP server.  If needed, please contact your web host provider to ensure your FTP account has the appropriate permission to upload to this folder, please also verify your account has sufficient free disk space.\n\n"
    "Raw Log:\n\n"
    "%@";
inline constexpr const char *kChangedFolder =
    "%@\n\n"
    "Successfully changed to remote directory %@";
inline constexpr const char *kUploadedFile =
    "%@\n\n"
    "Successfully uploaded file %@";
inline constexpr const char *kUploadFailedFtp =
    "%@\n\n"
    "Not able to upload file %@.\n\n"
    "Please try again.  If you continue to receive this error, please contact your web host provider to verify your FTP account has the appropriate settings, permissions and available disk space.\n\n"
    "In addition, you may also try turning off the Passive Mode switch under FTP Settings.\n\n"
    "Raw Log:\n\n"
    "%@";
inline constexpr const char *kConnectFailedSftp =
    "%@\n\n"
    "**Not able to connect to %@ on port %d using protocol %@.\n\n"
    "Common causes:\n\n"
    "1. Incorrect Server: Make sure you use the domain name as is, do not add http://, www. or any other prefix unless advised by your web host provider.  You may also try the numeric IP address for your domain name.\n\n"
    "2. Incorrect type of connection protocol: You have selected to connect with %@. Please note %@ is not supported by all web host providers, please verify this type of connection is supported for your account.\n\n"
    "3. Incorrect server port number. The current connection was attempted using port number %d.\n\n"
    "4. Your firewall could be blocking the connection.  To test if this is the cause, try switching to a different network. For example, if you are having trouble connecting via a mobile network, try with wifi. \n\n"
    "5. Invalid FTP account settings. Your account settings might be out of date from the settings on your web server, please contact your web host provider to ensure all settings are accurate and up to date. You may also test the connection with another FTP client tool such as FileZilla (free for both Mac and PC)";
inline constexpr const char *kConnectedSftp =
    "%@\n\n"
    "**Connected successfully to %@ on port %d using protocol %@.";
inline constexpr const char *kLoginFailedSftp =
    "%@\n\n"
    "**Not able to log in using username %@ and the specified password. This type of error is usually caused when the incorrect username or password is entered into FTP Settings. Please double check FTP Settings and contact your web host provider to verify these details if needed.";
inline constexpr const char *kLoggedInSftp =
    "%@\n\n"
    "**Logged in successfully using username %@ and the specified password";
inline constexpr const char *kInitFailedSftp =
    "%@\n\n"
    "**Not able to initialize connection";
inline constexpr const char *kInitializedSftp =
    "%@\n\n"
    "**Successfully initialized connection";
inline constexpr const char *kUploadFailedSftp =
    "%@\n\n"
    "Not able to upload file %@.\n\n"
    "Incorrect remote path is a common cause for this error. The remote path should be the path to a folder available on the FTP server.  Please contact your web host provider to ensure your FTP account has the appropriate permission to upload to this folder, please also verify your account has sufficient free disk space.";

// Ours: the job was stopped between two files.
inline constexpr const char *kCancelled = "%@\n\nUpload cancelled.";

}  // namespace UploadFTPSTexts

#pragma once
// Copies a file straight into its place with the kernel's own copy
// (copy_file_range, else plain reads and writes). QFile::copy goes through a
// temporary file and a rename for each file, which makes copying a folder of
// thousands of small pictures several times slower than cp.
#include <QString>

class FileCopy {
public:
    FileCopy() = delete;

    // Copies from into the new file to (which must not exist), with from's
    // permission bits. On failure the partial copy is removed and false answered.
    static bool copyFile(const QString &from, const QString &to);
};

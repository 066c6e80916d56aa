#pragma once
// The papers templates and print sheets name ("na-letter", "A4",
// "na-number-10-envelope" ...) and their page sizes.
#include <QPageSize>
#include <QString>

class PaperSizes {
public:
    PaperSizes() = delete;

    // The paper's page size; unknown names give US Letter.
    static QPageSize pageSize(const QString &paper);
    // Whether the paper is one of those names.
    static bool knows(const QString &paper);
};

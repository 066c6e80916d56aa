#include "config/PaperSizes.h"

#include <QSizeF>

namespace {

struct PaperRow {
    const char *name;
    QPageSize::PageSizeId id;
};

// Paper names as templates and sheets store them.
constexpr PaperRow kPapers[] = {
    {"na-letter", QPageSize::Letter},
    {"na-legal", QPageSize::Legal},
    {"Tabloid", QPageSize::Tabloid},
    {"A3", QPageSize::A3},
    {"A4", QPageSize::A4},
    {"A5", QPageSize::A5},
    {"B5", QPageSize::B5},
    {"na-number-10-envelope", QPageSize::Envelope10},
    {"iso-designated-long-envelope", QPageSize::EnvelopeDL},
    {"monarch-envelope", QPageSize::EnvelopeMonarch},
    {"na-number-9-envelope", QPageSize::Envelope9},
};

}  // namespace

QPageSize PaperSizes::pageSize(const QString &paper)
{
    for (const PaperRow &row : kPapers) {
        if (paper == QLatin1String(row.name))
            return QPageSize(row.id);
    }
    if (paper == QLatin1String("Tabloid Oversize"))
        return QPageSize(QSizeF(12.0, 18.0), QPageSize::Inch, paper);
    return QPageSize(QPageSize::Letter);
}

bool PaperSizes::knows(const QString &paper)
{
    for (const PaperRow &row : kPapers) {
        if (paper == QLatin1String(row.name))
            return true;
    }
    return paper == QLatin1String("Tabloid Oversize");
}

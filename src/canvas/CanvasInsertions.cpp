#include "canvas/CanvasInsertions.h"

#include "document/SKTDocument.h"
#include "model/SKTGraphic.h"
#include "model/SKTTable.h"
#include "platform/Alerts.h"

#include <memory>

namespace {
// Asks about one section after another: the alerts may answer later.
struct SectionQuestions : std::enable_shared_from_this<SectionQuestions> {
    SKTDocument *document = nullptr;
    QList<SKTGraphic *> chosen;
    QList<SKTGraphic *> sections;
    std::function<void(QList<SKTGraphic *>)> done;

    QList<SKTGraphic *> membersOf(SKTGraphic *section) const
    {
        QList<SKTGraphic *> members;
        for (SKTGraphic *g : document->graphicPointers())
            if (!g->isSection() && g->sectionNumber() == section->sectionNumber())
                members.append(g);
        return members;
    }

    void next()
    {
        if (sections.isEmpty()) {
            done(chosen);
            return;
        }
        SKTGraphic *section = sections.takeFirst();
        const QList<SKTGraphic *> members = membersOf(section);
        if (members.isEmpty()) {
            next();
            return;
        }
        Alert alert;
        alert.messageText = QStringLiteral("Delete");
        alert.informativeText = QStringLiteral("Deleting sections will also delete all objects contained within the section.");
        alert.buttons = {QStringLiteral("Delete All"), QStringLiteral("Skip Sections")};
        auto self = shared_from_this();
        Alerts::current().show(alert, nullptr, [self, section, members](const AlertReply &reply) {
            if (reply.response == Alert::FirstButton) {
                for (SKTGraphic *m : members)
                    if (!self->chosen.contains(m))
                        self->chosen.append(m);
            } else {
                self->chosen.removeAll(section);
            }
            self->next();
        });
    }
};
} // namespace

void CanvasInsertions::checkForSelectedSections(SKTDocument &document, const QList<SKTGraphic *> &selection,
                                                const std::function<void(QList<SKTGraphic *>)> &done)
{
    auto questions = std::make_shared<SectionQuestions>();
    questions->document = &document;
    questions->chosen = selection;
    questions->done = done;
    for (SKTGraphic *g : selection)
        if (dynamic_cast<SKTTable *>(g) && g->gridType() == QLatin1String("section"))
            questions->sections.append(g);
    questions->next();
}

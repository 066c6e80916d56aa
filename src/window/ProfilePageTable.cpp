#include "window/ProfilePageTable.h"

#include "config/EditionSettings.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionFrame.h"
#include "insertion/TextBoxFactory.h"
#include "model/RecordBoxNames.h"
#include "model/SKTText.h"
#include "platform/UndoManager.h"
#include "window/ProfileRecord.h"

#include <QtMath>

#include <algorithm>

const QString ProfilePageTable::kNameBox = recordBoxNames().at(0);
const QString ProfilePageTable::kTableBox = recordBoxNames().at(1);
const QString ProfilePageTable::kNotesBox = recordBoxNames().at(2);

namespace {
const QString kFirst = QStringLiteral("Owner First Name");
const QString kLast = QStringLiteral("Owner Last Name");
const QString kPetName = QStringLiteral("Pet Name");

constexpr double kLeft = 30;
constexpr double kTop = 30;
constexpr double kGap = 16;

bool isPet(const QString &edition)
{
    return edition == QLatin1String("Pellamy Vet Edition");
}

QString joined(const QStringList &parts)
{
    QStringList kept;
    for (const QString &part : parts)
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    return kept.join(QLatin1Char(' '));
}

QString choice(const QString &stored, const QStringList &names)
{
    if (stored.trimmed().isEmpty())
        return {};
    bool number = false;
    const int index = stored.toInt(&number);
    return number && index >= 0 && index < names.size() ? names.at(index) : stored;
}

QString birthDate(const QMap<QString, QString> &p)
{
    if (p.value(QStringLiteral("Birth Date Status")).toInt() != 0)
        return QStringLiteral("Not available");
    return p.value(QStringLiteral("Pet Birth Date"));
}

// A multi-line value on one line of the table.
QString oneLine(const QString &value)
{
    QStringList lines = value.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.trimmed();
    lines.removeAll(QString());
    return lines.join(QStringLiteral(", "));
}

struct BoxLook {
    QString name;
    double width;
    double fontSize;
    QString fill;
    QString textColour;
    int32_t radius;
};

BoxLook lookOf(const QString &name)
{
    if (name == ProfilePageTable::kNameBox)
        return {name, 900, 30, QStringLiteral("CLEAR0"), QStringLiteral("1F3A2A"), 0};
    if (name == ProfilePageTable::kTableBox)
        return {name, 700, 17, QStringLiteral("CLEAR0"), QStringLiteral("333333"), 0};
    return {name, 900, 15, QStringLiteral("CLEAR0"), QStringLiteral("333333"), 0};
}

std::shared_ptr<SKTText> makeBox(const BoxLook &look, double top)
{
    TextBoxSpec spec;
    spec.frame = QRectF(kLeft, top, look.width, 40);
    spec.fillColour = look.fill;
    spec.textColour = look.textColour;
    // A family the program ships, so the page reads back without a font alert.
    spec.fontFamily = QStringLiteral("Roboto");
    spec.fontSize = look.fontSize;
    spec.cornerRadius = look.radius;
    auto graphic = std::dynamic_pointer_cast<SKTText>(
        InsertionFrame::makeGraphic(QStringLiteral("SKTText"), TextBoxFactory::textBoxProperties(spec)));
    if (graphic)
        graphic->setTemplateName(look.name);
    return graphic;
}

SKTText *boxNamed(const SKTDocument &doc, const QString &name)
{
    for (const auto &graphic : doc.graphics())
        if (auto *text = dynamic_cast<SKTText *>(graphic.get()); text && text->templateName() == name)
            return text;
    return nullptr;
}

// Sets the text and fits the box's height to it; true when anything changed.
bool fill(SKTText &box, const QString &text)
{
    const QRectF before = box.bounds();
    const QString old = box.textString();
    box.setTextString(text);
    const double padding = box.fillColor().alpha() == 0 ? 4 : 24;
    const double height = std::max(30.0, std::ceil(box.naturalSize().height()) + padding);
    box.setBounds(QRectF(before.topLeft(), QSizeF(before.width(), height)));
    box.updateTextHeight();
    return old != text || before != box.bounds();
}
} // namespace

QList<ProfilePageTable::Row> ProfilePageTable::rows(const QMap<QString, QString> &p, const QString &edition)
{
    const QStringList sexes{QStringLiteral("Male"), QStringLiteral("Female")};
    const auto v = [&p](const char *key) { return p.value(QString::fromLatin1(key)); };
    if (isPet(edition))
        return {{QStringLiteral("Breed"), v("Pet Breed")},
                {QStringLiteral("Color"), v("Pet Color")},
                {QStringLiteral("Sex"), choice(v("Pet Sex"), sexes)},
                {QStringLiteral("Neuter Status"),
                 choice(v("Pet Neuter Status"), {QStringLiteral("Intact"), QStringLiteral("Neutered")})},
                {QStringLiteral("Birth Date"), birthDate(p)},
                {QStringLiteral("Chart Number"), v("Pet Chart Number")},
                {QStringLiteral("Microchip Number"), v("Pet Microchip Number")},
                {QStringLiteral("Owner"), joined({p.value(kFirst), p.value(kLast)})},
                {QStringLiteral("Home Phone"), v("Owner Home Phone Number")},
                {QStringLiteral("Cell Phone"), v("Owner Cell Phone Number")},
                {QStringLiteral("Email"), v("Owner Email")},
                {QStringLiteral("Address"), oneLine(v("Owner Address"))}};
    const bool student = edition == QLatin1String("Carrowel");
    return {{student ? QStringLiteral("Student ID") : QStringLiteral("ID Number"), v("Pet Chart Number")},
            {QStringLiteral("Sex"), choice(v("Pet Sex"), sexes)},
            {QStringLiteral("Birth Date"), birthDate(p)},
            {QStringLiteral("Home Phone"), v("Owner Home Phone Number")},
            {QStringLiteral("Cell Phone"), v("Owner Cell Phone Number")},
            {QStringLiteral("Email"), v("Owner Email")},
            {QStringLiteral("Address"), oneLine(v("Owner Address"))}};
}

QString ProfilePageTable::headingText(const QMap<QString, QString> &p, const QString &edition)
{
    QString heading = isPet(edition) ? joined({p.value(kPetName), p.value(kFirst).isEmpty() && p.value(kLast).isEmpty()
                                                                      ? QString()
                                                                      : QStringLiteral("(%1)").arg(joined({p.value(kFirst), p.value(kLast)}))})
                                     : joined({p.value(kFirst), p.value(kLast)});
    return heading.isEmpty() ? QStringLiteral("(no name)") : heading;
}

QString ProfilePageTable::tableText(const QMap<QString, QString> &profile, const QString &edition)
{
    QStringList lines;
    for (const Row &row : rows(profile, edition))
        lines << row.label + QStringLiteral(": ") + row.value;
    return lines.join(QLatin1Char('\n'));
}

QString ProfilePageTable::notesText(const QMap<QString, QString> &profile)
{
    const QString notes = profile.value(QStringLiteral("Notes")).trimmed();
    return notes.isEmpty() ? QStringLiteral("Notes: none") : QStringLiteral("Notes:\n") + notes;
}

bool ProfilePageTable::isRecordPage(const SKTDocument &doc)
{
    return (gDocumentExtension == QLatin1String("pelprofile") || gDocumentExtension == QLatin1String("profile"))
           && !gProfileFieldKeys.isEmpty() && doc.pageName != QLatin1String("basetemplate")
           && !doc.profileDictionary.isEmpty();
}

bool ProfilePageTable::refresh(SKTDocument &doc)
{
    if (!isRecordPage(doc))
        return false;
    UndoManager &undo = doc.undoManager();
    undo.disableUndoRegistration();

    const QList<QPair<QString, QString>> wanted{{kNameBox, headingText(doc.profileDictionary, gAppName)},
                                                 {kTableBox, tableText(doc.profileDictionary, gAppName)},
                                                 {kNotesBox, notesText(doc.profileDictionary)}};
    // Where the boxes end now, so that what lies below moves with them.
    double oldBottom = -1;
    bool missing = false;
    for (const auto &box : wanted) {
        if (SKTText *text = boxNamed(doc, box.first))
            oldBottom = std::max(oldBottom, text->bounds().bottom());
        else
            missing = true;
    }
    QList<SKTGraphic *> ours;
    bool changed = false;
    double top = kTop;
    for (const auto &box : wanted) {
        SKTText *text = boxNamed(doc, box.first);
        if (!text) {
            // A missing box goes under the one before it.
            auto made = makeBox(lookOf(box.first), top);
            if (!made)
                continue;
            doc.insertGraphicAtIndex(made, 0);
            text = made.get();
        }
        changed = fill(*text, box.second) || changed;
        top = text->bounds().bottom() + kGap;
        ours << text;
    }
    const auto isOurs = [&ours](const SKTGraphic *g) { return ours.contains(g); };
    double newBottom = 0;
    for (const SKTGraphic *g : ours)
        newBottom = std::max(newBottom, g->bounds().bottom());

    // The rest of the page keeps clear of the boxes: on a page that had none,
    // everything moves below them; otherwise what lay below follows their growth.
    double delta = 0;
    double from = 0;
    if (missing || oldBottom < 0) {
        double firstTop = std::numeric_limits<double>::max();
        for (const auto &g : doc.graphics())
            if (!isOurs(g.get()))
                firstTop = std::min(firstTop, g->bounds().top());
        if (firstTop != std::numeric_limits<double>::max() && firstTop < newBottom + kGap)
            delta = newBottom + kGap - firstTop;
        from = -std::numeric_limits<double>::max();
    } else {
        delta = newBottom - oldBottom;
        from = oldBottom - 1;
    }
    if (delta != 0) {
        for (const auto &g : doc.graphics())
            if (!isOurs(g.get()) && g->bounds().top() >= from)
                g->setBounds(g->bounds().translated(0, delta));
        changed = true;
    }
    undo.enableUndoRegistration();
    return changed;
}

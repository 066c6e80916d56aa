#include "insertion/LineMaker.h"

#include "config/DataCentreColours.h"
#include "document/SKTDocument.h"
#include "insertion/InsertionContext.h"
#include "insertion/InsertionStep.h"
#include "insertion/TextBoxFactory.h"
#include "model/SKTLine.h"
#include "model/SKTText.h"
#include "platform/Alerts.h"

#include <QFontDatabase>
#include <cmath>
#include <numbers>

std::shared_ptr<SKTGraphic> LineMaker::addTrueLine(const QPointF &begin, const QPointF &end, const QString &borderHex,
                                                   const QString &borderStyle, int32_t borderWidth,
                                                   const QString &drawBeginArrow, const QString &drawEndArrow,
                                                   int32_t groupNumber)
{
    GraphicProperties p;
    p.setPoint(QStringLiteral("beginPoint"), begin);
    p.setPoint(QStringLiteral("endPoint"), end);
    p.setFloatString(QStringLiteral("opacity"), 1.0);
    p.setNumber(QStringLiteral("borderWidth"), borderWidth);
    p.setString(QStringLiteral("slideShowNumber"), QStringLiteral("-99"));
    p.setIntString(QStringLiteral("groupNumber"), groupNumber);
    p.setColour(QStringLiteral("borderColor"), DataCentreColours::colorWithHexString(borderHex));
    p.setString(QStringLiteral("borderHexColorString"), borderHex);
    p.setString(QStringLiteral("borderStyle"), borderStyle);
    p.setString(QStringLiteral("drawBeginArrow"), drawBeginArrow);
    p.setString(QStringLiteral("drawEndArrow"), drawEndArrow);
    auto line = InsertionFrame::makeGraphic(QStringLiteral("SKTLine"), p);
    InsertionStep step(m_frame.document(), QStringLiteral("Add Line"));
    m_frame.insertAtFront(line);
    return line;
}

std::shared_ptr<SKTGraphic> LineMaker::addTrueLineFromPreset(const GraphicProperties &p)
{
    return addTrueLine(p.point(QStringLiteral("beginPoint")), p.point(QStringLiteral("endPoint")),
                       p.string(QStringLiteral("colour"), QStringLiteral("555555")),
                       p.string(QStringLiteral("style"), QStringLiteral("solid")), p.integer(QStringLiteral("width"), 1),
                       p.string(QStringLiteral("beginArrow"), QStringLiteral("0")),
                       p.string(QStringLiteral("endArrow"), QStringLiteral("0")),
                       p.integer(QStringLiteral("groupNumber"), -99));
}

void LineMaker::lineCommand(const QString &style, const QString &name)
{
    InsertionStep step(m_frame.document(), name);
    const QPointF p = m_frame.menuPoint();
    addTrueLine(p, p + QPointF(200, 200), QStringLiteral("555555"), style, 10, QStringLiteral("1"),
                QStringLiteral("0"), -99);
}

void LineMaker::addLine()
{
    lineCommand(QStringLiteral("solid"), QStringLiteral("Add Line"));
}

void LineMaker::addLineDashed()
{
    lineCommand(QStringLiteral("dashed"), QStringLiteral("Add Dashed Line"));
}

void LineMaker::addLineDotted()
{
    lineCommand(QStringLiteral("dotted"), QStringLiteral("Add Dotted Line"));
}

void LineMaker::setArrows(bool start, bool on)
{
    InsertionStep step(m_frame.document(), on ? QStringLiteral("Add Arrow") : QStringLiteral("Remove Arrow"));
    for (SKTGraphic *g : m_frame.context().selectedGraphics()) {
        if (!dynamic_cast<SKTLine *>(g))
            continue;
        InsertionStep::recordValues(m_frame.document(), *g,
                                    {start ? QStringLiteral("drawBeginArrow") : QStringLiteral("drawEndArrow")});
        if (start)
            g->setDrawBeginArrow(on);
        else
            g->setDrawEndArrow(on);
    }
}

void LineMaker::drawStartArrow()
{
    setArrows(true, true);
}

void LineMaker::hideStartArrow()
{
    setArrows(true, false);
}

void LineMaker::drawEndArrow()
{
    setArrows(false, true);
}

void LineMaker::hideEndArrow()
{
    setArrows(false, false);
}

bool LineMaker::anyLine(bool start, bool withArrow) const
{
    for (SKTGraphic *g : m_frame.context().selectedGraphics()) {
        if (!dynamic_cast<SKTLine *>(g))
            continue;
        if ((start ? g->drawBeginArrow() : g->drawEndArrow()) == withArrow)
            return true;
    }
    return false;
}

bool LineMaker::showDrawStartArrow() const
{
    return anyLine(true, false);
}

bool LineMaker::showHideStartArrow() const
{
    return anyLine(true, true);
}

bool LineMaker::showDrawEndArrow() const
{
    return anyLine(false, false);
}

bool LineMaker::showHideEndArrow() const
{
    return anyLine(false, true);
}

bool LineMaker::arrowOptionsShown() const
{
    const QList<SKTGraphic *> selection = m_frame.context().selectedGraphics();
    if (selection.isEmpty())
        return false;
    for (SKTGraphic *g : selection)
        if (!dynamic_cast<SKTLine *>(g))
            return false;
    return true;
}

double LineMaker::DegreesToRadians(double degrees)
{
    return degrees * std::numbers::pi / 180.0;
}

QRectF LineMaker::generateNewRect(const QRectF &rect)
{
    const double w2 = std::trunc(2 * rect.width());
    const double h2 = std::trunc(2 * rect.height());
    return {std::trunc(rect.x() - (w2 - rect.width()) / 2), std::trunc(rect.y() - (h2 - rect.height()) / 2), w2, h2};
}

SKTText *LineMaker::branchSource() const
{
    SKTText *source = nullptr;
    for (SKTGraphic *g : m_frame.context().selectedGraphics())
        if (auto *text = dynamic_cast<SKTText *>(g))
            source = text;
    return source;
}

void LineMaker::nothingSelected()
{
    Alert alert;
    alert.messageText = QStringLiteral("Nothing Selected");
    alert.informativeText = QStringLiteral("Please select a text box or shape to generate branch");
    m_frame.context().alerts().show(alert, m_frame.context().window(), {});
}

bool LineMaker::multiplyNewShapes()
{
    if (branchSource())
        return true;
    nothingSelected();
    return false;
}

bool LineMaker::addMultipleShapesSelected(const BranchOptions &options)
{
    SKTText *source = branchSource();
    if (!source) {
        nothingSelected();
        return false;
    }
    m_frame.context().cache().styleTextbox = source;
    SKTDocument &doc = m_frame.document();
    InsertionStep step(doc, QStringLiteral("Generate Branches"));

    TextBoxSpec spec;
    const QColor fill = source->fillColor();
    spec.fillColour = fill.alpha() == 0 ? QStringLiteral("CLEAR0") : DataCentreColours::asHexString(fill);
    spec.textColour = source->textHexColorString().isEmpty() ? DataCentreColours::asHexString(source->fontColor())
                                                            : source->textHexColorString();
    spec.fontFamily = source->fontFamily();
    spec.fontSize = source->fontSize();
    if (spec.fontFamily.isEmpty() || spec.fontSize <= 0) {
        spec.fontFamily = QStringLiteral("Helvetica Neue");
        spec.fontSize = 15;
    }
    const QRectF sourceBounds = source->bounds();
    const double sourceRadius = source->cornerRadius();

    TextBoxFactory boxes(m_frame);
    TextBoxSpec halo = spec;
    halo.text = QStringLiteral(" ");
    halo.frame = generateNewRect(sourceBounds);
    halo.cornerRadius = static_cast<int32_t>(std::trunc(2 * sourceRadius));
    halo.opacity = 0.5f;
    boxes.addTextBox(halo);

    const int32_t n = std::clamp(options.count, 1, 1000);
    const double step_ = DegreesToRadians(options.degrees / n);
    const QPointF centre = halo.frame.center();
    const int32_t ring = std::max(1, n / 10);
    const int32_t w = static_cast<int32_t>(std::trunc(sourceBounds.width() * options.scale));
    const int32_t h = static_cast<int32_t>(std::trunc(sourceBounds.height() * options.scale));
    for (int32_t i = 0; i < n; ++i) {
        const double angle = i * step_;
        const int32_t ex = static_cast<int32_t>(std::trunc(centre.x() + std::cos(angle) * ring * options.distance));
        const int32_t ey = static_cast<int32_t>(std::trunc(centre.y() + std::sin(angle) * ring * options.distance));
        addTrueLine(centre, QPointF(ex, ey), QStringLiteral("555555"), options.lineStyle, 10, QStringLiteral("0"),
                    QStringLiteral("0"), -99);
        TextBoxSpec branch = spec;
        branch.text = QStringLiteral(" ");
        branch.frame = QRectF(ex - w / 2, ey - h / 2, w, h);
        branch.cornerRadius = static_cast<int32_t>(std::trunc(sourceRadius * options.scale));
        boxes.addTextBox(branch);
    }
    // The source comes to the front, above its halo and branches.
    const qsizetype index = doc.indexOfGraphic(source);
    if (index > 0) {
        std::shared_ptr<SKTGraphic> keep;
        for (const auto &g : doc.graphics())
            if (g.get() == source)
                keep = g;
        doc.removeGraphicAtIndex(index);
        doc.insertGraphicAtIndex(keep, 0);
    }
    return true;
}

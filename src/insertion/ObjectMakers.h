#pragma once
// The makers of single ready-made objects: personalisation tags and the
// full-address block, the profile card, the credit badges, photo galleries
// and enlargeable photos, and the preset shapes and preset text boxes of the
// window's pop-overs. Each command is one named undo step.
#include "insertion/InsertionFrame.h"

#include <QList>
#include <QPair>
#include <QPointF>
#include <QString>
#include <memory>

class ObjectMakers {
public:
    explicit ObjectMakers(InsertionFrame &frame) : m_frame(frame) {}

    // --- personalisation tags ---------------------------------------------------
    // The menu command of a tag ("[FIRST_NAME]" ...): 100 right of and 100
    // below the visible corner of the canvas.
    void addPersonTagCommand(const QString &tag);
    void addPersonalizationTag(const QString &tag, const QPointF &point);
    void addPerson_FullAddress();
    // The full-address block dropped from the palette, sized to the canvas.
    void addFullAddress_drag(const QPointF &point);
    static QString fullAddressText();
    // The tag menu commands in menu order: (action name, tag text).
    static const QList<QPair<QString, QString>> &personalisationTagCommands();

    // --- profile card and credit badges -------------------------------------------
    void addIndividual_drag(const QPointF &point);
    // variant 1 to 4: "Made with HTML Zov Pro", "Made with Zov", "Powered by
    // Zov", "Proudly web designed with Zov".
    void addZovLink_drag(const QPointF &point, int variant = 1);
    void addZovLink(int variant);
    static QString creditText(int variant);
    // The display size of a bundled picture shown at side x side at most.
    static QSizeF bundledPictureSize(int32_t side);

    // --- galleries ----------------------------------------------------------------
    void addImageGallery();
    std::shared_ptr<SKTGraphic> addImageGallery_drag(const QPointF &point);
    std::shared_ptr<SKTGraphic> addEnlargeablePhoto_drag(const QPointF &point);

    // --- pop-over presets -----------------------------------------------------------
    // False when the index names no preset.
    bool addNewShape(int tag);
    bool addNewSelectedTextView(int tag);

private:
    std::shared_ptr<SKTGraphic> addGallery(const QPointF &point, bool enlargeable);
    void addBundledPicture(const QString &resource, const QPointF &point, int32_t side, const QString &link,
                           int32_t group);
    InsertionFrame &m_frame;
};

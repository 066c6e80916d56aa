// Clipboard payloads from anywhere: whatever the bytes, pasting gives clamped
// graphics or none, copying them and pasting that gives graphics with the
// same properties, and they draw. Any crash, hang or undefined behaviour is a find.
#include "FuzzApplication.h"

#include "config/EditionSettings.h"
#include "model/GraphicRenderer.h"
#include "model/SKTGraphic.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzApplication::start(argc, argv);
    gTableImagesEnabled = true; // pictures in table cells are drawn too
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QString error;
    const auto pasted = SKTGraphic::graphicsWithPasteboardData(bytes, &error);
    QList<SKTGraphic *> graphics;
    for (const auto &graphic : pasted)
        graphics.append(graphic.get());
    const QByteArray copied = SKTGraphic::pasteboardDataWithGraphics(graphics);
    const auto again = SKTGraphic::graphicsWithPasteboardData(copied);
    if (again.size() != pasted.size()) {
        std::fprintf(stderr, "a copy of %d pasted graphics pastes as %d\n", int(pasted.size()), int(again.size()));
        std::abort();
    }
    for (qsizetype i = 0; i < pasted.size(); ++i) {
        const GraphicProperties first = pasted[i]->properties();
        const GraphicProperties second = again[i]->properties();
        if (first == second)
            continue;
        for (const QString &key : first.keys()) {
            if (first.value(key) != second.value(key))
                std::fprintf(stderr, "%s: \"%s\" changes from one paste to the next\n",
                             qPrintable(pasted[i]->className()), qPrintable(key));
        }
        std::abort();
    }
    (void)GraphicRenderer::renderImage(graphics, QSize(320, 320), Qt::white, 0.2);
    return 0;
}

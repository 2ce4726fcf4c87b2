#include "SheetPainting.h"

#include <QPainter>

namespace tarnwick {

QImage wrapSheet(const Image& sheet) {
    return QImage(reinterpret_cast<const uchar*>(sheet.pixels().data()), sheet.width(),
                  sheet.height(), sheet.bytesPerLine(), QImage::Format_RGB32);
}

std::span<const std::uint8_t> bytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

void drawSheetBlocks(QPainter& painter, QPoint origin, const QImage& sheet,
                     std::span<const GlyphBlit> blocks, int zoom) {
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    for (const GlyphBlit& block : blocks) {
        // Qt reads an empty source rectangle as "to the sheet's edge", which would paint the
        // neighbouring cells for a glyph of width 0.
        if (block.width <= 0 || block.height <= 0)
            continue;
        const QRect source(block.sourceX, block.sourceY, block.width, block.height);
        const QPoint target = origin + QPoint(block.targetX, block.targetY) * zoom;
        if (zoom == 1)
            painter.drawImage(target, sheet, source);
        else
            painter.drawImage(QRect(target, source.size() * zoom), sheet, source);
    }
    painter.restore();
}

} // namespace tarnwick

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

void paintFocusFrame(QPainter& painter, const QRect& field, QColor fill) {
    constexpr int frameWidth = 2;
    // Pale yellow reads on navy and black alike; navy on the white of plain-text fields.
    const QColor frame =
        fill.lightness() < 128 ? QColor(0xFF, 0xFF, 0x99) : QColor(0x00, 0x00, 0x80);
    painter.save();
    painter.setClipping(false);
    painter.setPen(QPen(frame, frameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    // A pen of even width is centred on its path, so the path runs half the width inside.
    painter.drawRect(QRectF(field).adjusted(frameWidth / 2.0, frameWidth / 2.0, -frameWidth / 2.0,
                                            -frameWidth / 2.0));
    painter.restore();
}

} // namespace tarnwick

#pragma once

#include "graphics/GameTextLayout.h"
#include "pixels/Image.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <span>

class QPainter;

namespace tarnwick {

// Wraps one of the document's sheets as a QImage without copying. Build it at each paint, so a
// sheet rebuilt by a reload or a release switch is never read through a stale pointer.
QImage wrapSheet(const Image& sheet);

// The game bytes a row holds, as the unsigned codes the layouts read. Valid while bytes lives.
std::span<const std::uint8_t> bytesOf(const QByteArray& bytes);

// Copies each block from the sheet to origin plus the block's target, every sheet pixel becoming
// zoom x zoom screen pixels. The sheets are pixel art, so scaling repeats pixels, never blends.
// An empty block draws nothing.
void drawSheetBlocks(QPainter& painter, QPoint origin, const QImage& sheet,
                     std::span<const GlyphBlit> blocks, int zoom = 1);

// Marks an owner-drawn field that has the keyboard focus with a frame just inside it, light on
// a dark fill and dark on a light one: the style's own focus mark is lost on the fields' navy
// and black. Two pixels of widget coordinates, so the painter's device pixel ratio scales it
// with the screen.
void paintFocusFrame(QPainter& painter, const QRect& field, QColor fill);

} // namespace tarnwick

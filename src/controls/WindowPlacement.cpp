#include "controls/WindowPlacement.h"

#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace tarnwick {
namespace {

const QScreen* screenOf(const QWidget* window) {
    const QWidget* parent = window->parentWidget();
    return parent != nullptr ? parent->window()->screen() : window->screen();
}

QRect availableArea(const QWidget* window) {
    const QScreen* screen = screenOf(window);
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

// The frame the window manager draws round the window. Before its first showing a window has
// none yet; its parent's, already framed by the same window manager, stands in for it.
QMargins frameOf(const QWidget* window) {
    const QWidget* parent = window->parentWidget();
    const QWidget* parentWindow = parent != nullptr ? parent->window() : nullptr;
    for (const QWidget* framed : {window, parentWindow})
        if (framed != nullptr && framed->windowHandle() != nullptr &&
            !framed->windowHandle()->frameMargins().isNull())
            return framed->windowHandle()->frameMargins();
    return {};
}

QSize frameExtent(const QMargins& frame) {
    return {frame.left() + frame.right(), frame.top() + frame.bottom()};
}

// Fits the window whenever it is shown; the first showing may also place it beside another.
class Placer : public QObject {
public:
    Placer(QWidget* window, QWidget* besideThis, QWidget* scrolledPart)
        : QObject(window), anchor(besideThis), part(scrolledPart) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            auto* window = static_cast<QWidget*>(watched);
            const QSize room = roomOnScreen(window);
            if (part && (window->width() > room.width() || window->height() > room.height()))
                scrollPart(window, room);
            if (anchor && !placed)
                placeBeside(window);
            placed = true;
            fitOnScreen(window);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // To the anchor's right where its frame fits there, else to its left; where neither side
    // holds it, on the roomier side, narrowed as far as it can be, level with the anchor's top.
    // Where even the narrowest does not fit, the anchor moves over to make room, as far as the
    // screen allows, rather than be covered.
    void placeBeside(QWidget* window) const {
        const QRect area = availableArea(window);
        const int frameWidth = frameExtent(frameOf(window)).width();
        QWidget* neighbour = anchor->window();
        QRect beside = neighbour->frameGeometry();
        const int rightRoom = area.right() - beside.right();
        const int leftRoom = beside.left() - area.left();
        const int outer = window->width() + frameWidth;
        const bool right = outer <= rightRoom || (outer > leftRoom && rightRoom >= leftRoom);
        int room = right ? rightRoom : leftRoom;
        const int narrowest =
            std::max(window->minimumWidth(), window->minimumSizeHint().width()) + frameWidth;
        if (narrowest > room) {
            const int shift = std::max(0, std::min(narrowest - room, right ? leftRoom : rightRoom));
            beside.translate(right ? -shift : shift, 0);
            neighbour->move(beside.topLeft());
            room += shift;
        }
        if (outer > room)
            window->resize(std::max(narrowest, room) - frameWidth, window->height());
        const int left = right ? beside.right() + 1 : beside.left() - window->width() - frameWidth;
        window->move(left, beside.top());
    }

    // Moves the part into a scroll area and lets the window shrink to the room.
    void scrollPart(QWidget* window, const QSize& room) {
        QLayout* holder =
            part->parentWidget() != nullptr ? part->parentWidget()->layout() : nullptr;
        if (holder == nullptr || window->layout() == nullptr)
            return;
        const QSize whole = window->size();
        // Every control keeps the font its place was measured in: a style sheet on the window
        // would otherwise give the moved widgets the default font.
        QList<QWidget*> moved = part->findChildren<QWidget*>();
        moved.prepend(part);
        std::vector<QFont> fonts;
        for (const QWidget* widget : std::as_const(moved)) {
            fonts.push_back(widget->font());
            fonts.back().setResolveMask(QFont::AllPropertiesResolved);
        }
        auto* scroller = new QScrollArea(part->parentWidget());
        scroller->setObjectName(QStringLiteral("surfaceScroller"));
        scroller->setFrameShape(QFrame::NoFrame);
        delete holder->replaceWidget(part, scroller);
        scroller->setWidget(part);
        for (qsizetype i = 0; i < moved.size(); ++i)
            moved[i]->setFont(fonts[static_cast<std::size_t>(i)]);
        part = nullptr;
        // The scroll bar across takes height, the one down takes width.
        const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
        QSize wanted = whole;
        if (whole.height() > room.height())
            wanted.rwidth() += bar;
        if (wanted.width() > room.width())
            wanted.rheight() += bar;
        window->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        window->setMinimumSize(0, 0);
        window->setMaximumSize(whole + QSize(bar, bar));
        window->resize(wanted.boundedTo(room));
    }

    QPointer<QWidget> anchor;
    QPointer<QWidget> part;
    bool placed = false;
};

} // namespace

QSize roomOnScreen(const QWidget* window) {
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    return area.size() - frameExtent(frameOf(window));
}

void fitOnScreen(QWidget* window) {
    const QRect area = availableArea(window);
    if (area.isEmpty())
        return;
    const QSize fitted =
        window->size().boundedTo(roomOnScreen(window)).expandedTo(window->minimumSize());
    if (fitted != window->size())
        window->resize(fitted);
    // move() places the frame's corner; the frame and the contents together stay inside.
    const QSize outer = window->size() + frameExtent(frameOf(window));
    const QPoint corner(std::clamp(window->x(), area.left(),
                                   std::max(area.left(), area.right() + 1 - outer.width())),
                        std::clamp(window->y(), area.top(),
                                   std::max(area.top(), area.bottom() + 1 - outer.height())));
    if (corner != window->pos())
        window->move(corner);
}

void keepOnScreen(QWidget* window, QWidget* scrolledPart) {
    new Placer(window, nullptr, scrolledPart);
}

void keepBeside(QWidget* window, QWidget* anchor) {
    new Placer(window, anchor, nullptr);
}

} // namespace tarnwick

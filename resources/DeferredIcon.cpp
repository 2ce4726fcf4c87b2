#include "resources/DeferredIcon.h"

#include <QIconEngine>
#include <QPainter>

namespace tarnwick {
namespace {

// Hands every request to the icon that make gives, making it at the first request.
class DeferredIconEngine final : public QIconEngine {
public:
    explicit DeferredIconEngine(std::function<QIcon()> maker) : make(std::move(maker)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().pixmap(size, 1.0, mode, state);
    }
    // QIcon passes the size in device pixels here; the read icon wants it in logical ones.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        return loaded().pixmap(size / scale, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return loaded().availableSizes(mode, state);
    }
    QString key() const override { return QStringLiteral("tarnwick.deferred"); }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon& loaded() {
        if (!read) {
            icon = make();
            read = true;
        }
        return icon;
    }

    std::function<QIcon()> make;
    QIcon icon;
    bool read = false;
};

} // namespace

QIcon deferredIcon(const QString& file) {
    return deferredIcon([file] { return QIcon(file); });
}

QIcon deferredIcon(std::function<QIcon()> make) {
    return QIcon(new DeferredIconEngine(std::move(make)));
}

} // namespace tarnwick

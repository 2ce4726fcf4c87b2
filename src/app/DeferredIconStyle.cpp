#include "app/DeferredIconStyle.h"

#include "resources/DeferredIcon.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QWidget>

namespace tarnwick {
namespace {

class DeferredOverflowIconStyle final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override {
        const bool overflow = icon == SP_ToolBarHorizontalExtensionButton ||
                              icon == SP_ToolBarVerticalExtensionButton;
        // An option describes the moment of the call, so only a call without one waits.
        if (!overflow || option != nullptr)
            return QProxyStyle::standardIcon(icon, option, widget);
        const QPointer<QStyle> base = baseStyle();
        // QPointer keeps no const object; the widget is only passed on to the style.
        const QPointer<QWidget> owner = const_cast<QWidget*>(widget);
        return deferredIcon([base, icon, owner] {
            return base ? base->standardIcon(icon, nullptr, owner) : QIcon();
        });
    }
};

} // namespace

void useDeferredOverflowIcon() {
    QApplication::setStyle(new DeferredOverflowIconStyle(QApplication::style()->name()));
}

} // namespace tarnwick

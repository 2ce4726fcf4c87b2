// The application style hands out the menu bar's overflow icon unread, and the icon, once
// drawn, is the style's own.
#include "app/DeferredIconStyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <memory>

class DeferredIconStyleTest : public QObject {
    Q_OBJECT

private slots:
    void theOverflowButtonDrawsTheStylesIcon() {
        const QString styleName = QApplication::style()->name();
        tarnwick::useDeferredOverflowIcon();
        // The style Qt chose stays underneath.
        auto* proxy = qobject_cast<QProxyStyle*>(QApplication::style());
        QVERIFY(proxy != nullptr);
        QCOMPARE(proxy->baseStyle()->name(), styleName);
        QMenuBar bar;
        auto* overflow = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(overflow != nullptr);
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(styleName));
        const QIcon expected = plain->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QCOMPARE(overflow->icon().pixmap(16, 16).toImage(), expected.pixmap(16, 16).toImage());
        // Icons asked for with an option are made at once, as the style makes them.
        QStyleOption option;
        QCOMPARE(QApplication::style()
                     ->standardIcon(QStyle::SP_DialogOkButton, &option)
                     .pixmap(16, 16)
                     .toImage(),
                 plain->standardIcon(QStyle::SP_DialogOkButton, &option).pixmap(16, 16).toImage());
    }
};

QTEST_MAIN(DeferredIconStyleTest)
#include "DeferredIconStyleTest.moc"

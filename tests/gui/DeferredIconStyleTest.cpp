// The menu bar's overflow icon, made when first drawn, is the icon of the style Qt chose.
#include "app/DeferredIconStyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <memory>

class DeferredIconStyleTest : public QObject {
    Q_OBJECT

private slots:
    void theOverflowButtonDrawsTheStylesIcon() {
        const std::unique_ptr<QStyle> plain(QStyleFactory::create(QApplication::style()->name()));
        tarnwick::useDeferredOverflowIcon();
        QVERIFY(qobject_cast<QProxyStyle*>(QApplication::style()) != nullptr);
        QMenuBar bar;
        auto* overflow = bar.findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(overflow != nullptr);
        const QIcon expected = plain->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QCOMPARE(overflow->icon().pixmap(16, 16).toImage(), expected.pixmap(16, 16).toImage());
    }
};

QTEST_MAIN(DeferredIconStyleTest)
#include "DeferredIconStyleTest.moc"

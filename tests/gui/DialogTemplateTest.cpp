// Laying out dialog templates: dialog units to pixels, the controls' resource numbers, styles,
// tab order and custom control classes.
#include "controls/DialogTemplate.h"
#include "GuiTestSupport.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <array>

namespace tarnwick::testing {
namespace {

using K = ControlKind;

constexpr std::array sampleControls = {
    ControlTemplate{10, K::Edit, "nameEdit", "abc", 4, 8, 40, 12, readOnlyStyle | centredStyle},
    ControlTemplate{11, K::Edit, "countEdit", "", 4, 24, 40, 12, numberStyle},
    ControlTemplate{0, K::Label, "caption", "Count:", 50, 24, 30, 8},
    ControlTemplate{12, K::PushButton, "okButton", "OK", 60, 40, 30, 14, defaultStyle},
    ControlTemplate{13, K::PushButton, "secretButton", "Hidden", 0, 40, 30, 14, hiddenStyle},
    ControlTemplate{14, K::Custom, "customList", "", 4, 40, 50, 60},
    ControlTemplate{15, K::GroupBox, "frame", "Frame", 56, 4, 40, 30},
};
constexpr DialogTemplate sampleDialog{200, "Sample", 100, 60, sampleControls};

QWidget* nextTabStop(QWidget* widget) {
    do
        widget = widget->nextInFocusChain();
    while ((widget->focusPolicy() & Qt::TabFocus) == 0);
    return widget;
}

// The width of an average letter, half rounded, as the alphabet measures it.
int averageCharacter(const QFont& font) {
    const QFontMetrics metrics(font);
    return (metrics.horizontalAdvance(
                QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                26 +
            1) /
           2;
}

} // namespace

class DialogTemplateTest : public QObject {
    Q_OBJECT

private slots:
    void unitsFollowTheFont() {
        const QFont font = dialogFont();
        const DialogUnits units(font);
        // Four horizontal units are one average character; eight vertical units one line.
        QCOMPARE(units.horizontal(4), averageCharacter(font));
        QCOMPARE(units.vertical(8), QFontMetrics(font).height());
        QCOMPARE(units.toPixels(0, 0, 0, 0), QRect(0, 0, 0, 0));
        QVERIFY(units.horizontal(128) > units.horizontal(127));
        // The same for a face whose letters differ in width, and for another fixed-pitch one.
        for (const QFont& other : {QFont(QStringLiteral("DejaVu Sans"), 10),
                                   QFont(QStringLiteral("DejaVu Sans Mono"), 11)})
            QCOMPARE(DialogUnits(other).horizontal(4), averageCharacter(other));
        QVERIFY(QFontInfo(font).fixedPitch());
        // Whatever name it is asked for by, the family is the one Courier stands for here.
        const auto family = [](const QFont& asked) {
            return QFontInfo(asked).family().section(QStringLiteral(" ["), 0, 0);
        };
        QCOMPARE(family(font), family(QFont(QStringLiteral("Courier"))));
    }

    // Controls that meet in dialog units meet in pixels, whatever the rounding, at any size.
    void adjacentControlsStayAdjacent() {
        for (const int pointSize : {9, 12, 17}) {
            QFont font = dialogFont();
            font.setPointSize(pointSize);
            const DialogUnits units(font);
            for (int start = 0; start < 40; ++start)
                for (int size = 1; size < 40; ++size) {
                    const QRect first = units.toPixels(start, start, size, size);
                    const QRect next = units.toPixels(start + size, start + size, 7, 7);
                    QCOMPARE(first.right() + 1, next.left());
                    QCOMPARE(first.bottom() + 1, next.top());
                }
        }
    }

    void buildsControlsWithTheirNumbersAndStyles() {
        QWidget surface;
        surface.setFont(dialogFont());
        int customCalls = 0;
        const auto controls =
            buildFromTemplate(sampleDialog, &surface,
                              [&customCalls](const ControlTemplate& control, QWidget* parent) {
                                  if (control.kind != K::Custom)
                                      return static_cast<QWidget*>(nullptr);
                                  ++customCalls;
                                  return static_cast<QWidget*>(new QComboBox(parent));
                              });
        const DialogUnits units(surface.font());
        QCOMPARE(surface.size(), QSize(units.horizontal(100), units.vertical(60)));
        QCOMPARE(controls.size(), 6); // the unnumbered label is not returned
        QCOMPARE(customCalls, 1);
        QVERIFY(qobject_cast<QComboBox*>(controls.value(14)) != nullptr);

        for (const ControlTemplate& control : sampleControls) {
            auto* widget = surface.findChild<QWidget*>(toQString(control.objectName));
            QVERIFY(widget != nullptr);
            QCOMPARE(widget->property(controlIdProperty).toInt(), control.id);
            QCOMPARE(widget->geometry(),
                     units.toPixels(control.x, control.y, control.width, control.height));
        }
        auto* name = qobject_cast<QLineEdit*>(controls.value(10));
        QVERIFY(name->isReadOnly());
        QCOMPARE(name->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(name->text(), QStringLiteral("abc"));

        auto* count = qobject_cast<QLineEdit*>(controls.value(11));
        QVERIFY(!count->isReadOnly());
        QVERIFY(count->validator() != nullptr);
        QString text = QStringLiteral("12a");
        int position = 0;
        QCOMPARE(count->validator()->validate(text, position), QValidator::Invalid);

        QVERIFY(qobject_cast<QPushButton*>(controls.value(12))->isDefault());
        QVERIFY(!qobject_cast<QPushButton*>(controls.value(12))->autoDefault());
        surface.show();
        QVERIFY(!controls.value(13)->isVisible());
        QVERIFY(controls.value(12)->isVisible());
    }

    // Every drop-down list, the factory's too, takes the wheel only while it has the focus.
    void listsTakeTheWheelOnlyWithFocus() {
        QWidget surface;
        const auto controls = buildFromTemplate(
            sampleDialog, &surface, [](const ControlTemplate& control, QWidget* parent) {
                return control.kind == K::Custom ? new QComboBox(parent) : nullptr;
            });
        auto* list = qobject_cast<QComboBox*>(controls.value(14));
        list->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        surface.show();
        QVERIFY(QTest::qWaitForWindowActive(&surface));
        QCOMPARE(list->focusPolicy(), Qt::StrongFocus);
        controls.value(10)->setFocus();
        QVERIFY(!turnWheelOver(list));
        QCOMPARE(list->currentIndex(), 0);
        list->setFocus();
        QVERIFY(turnWheelOver(list));
        QCOMPARE(list->currentIndex(), 1);
    }

    // The frame runs through the caption's middle whatever the application's font is, and a
    // build leaves the application's font as it found it.
    void groupFrameIgnoresTheApplicationFont() {
        QFont large = QGuiApplication::font();
        large.setPixelSize(40);
        QList<QImage> frames;
        for (const QFont& font : {large, QGuiApplication::font()}) {
            QGuiApplication::setFont(font);
            QWidget surface;
            surface.setFont(dialogFont());
            frames.append(buildFromTemplate(sampleDialog, &surface).value(15)->grab().toImage());
            QCOMPARE(QGuiApplication::font(), font);
        }
        QCOMPARE(frames.constFirst(), frames.constLast());
    }

    void tabOrderFollowsTheTemplate() {
        QWidget surface;
        const auto controls = buildFromTemplate(sampleDialog, &surface);
        QCOMPARE(nextTabStop(controls.value(10)), controls.value(11));
        QCOMPARE(nextTabStop(controls.value(11)), controls.value(12));
        QCOMPARE(nextTabStop(controls.value(12)), controls.value(13));
    }
};

} // namespace tarnwick::testing

QTEST_MAIN(tarnwick::testing::DialogTemplateTest)
#include "DialogTemplateTest.moc"

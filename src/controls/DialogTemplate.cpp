#include "controls/DialogTemplate.h"

#include "controls/CurrentItemComboBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarnwick {
namespace {

// The width of the 52 letters of the alphabet side by side. Where the narrowest and the widest
// letters are as wide, every letter is, and the sum is 52 of one advance, as horizontalAdvance
// would add them up: two glyphs are decoded instead of 52.
int alphabetWidth(const QFont& font) {
    const QFontMetricsF exact(font);
    const qreal narrow = exact.horizontalAdvance(QLatin1Char('i'));
    if (narrow > 0 && narrow == exact.horizontalAdvance(QLatin1Char('W')))
        return qRound(52 * narrow);
    return QFontMetrics(font).horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
}

// Turns what the user types into capitals as it is typed, as the hexadecimal fields expect.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

// A number field with arrows that takes digits only: the arrows may step one past either end of
// the field's range, and the dialog wraps what they give.
class DigitsSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& text, int& position) const override {
        for (const QChar c : text)
            if (!c.isDigit())
                return QValidator::Invalid;
        return text.isEmpty() ? QValidator::Intermediate : QSpinBox::validate(text, position);
    }
};

QWidget* makeEdit(const ControlTemplate& control, QWidget* parent) {
    auto* edit = new QLineEdit(toQString(control.caption), parent);
    edit->setReadOnly((control.style & readOnlyStyle) != 0);
    if ((control.style & centredStyle) != 0)
        edit->setAlignment(Qt::AlignCenter);
    if ((control.style & numberStyle) != 0)
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    else if ((control.style & upperStyle) != 0)
        edit->setValidator(new UpperCaseValidator(edit));
    return edit;
}

QWidget* makeSpinEdit(QWidget* parent) {
    auto* spin = new DigitsSpinBox(parent);
    // Typed numbers may be far larger than the field's range; the dialog wraps them.
    spin->setRange(-1, 99999);
    spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    return spin;
}

// A check box that a click anywhere on toggles: templates size a box for its longest caption
// (GBA images relabel some), and the gap between a shorter caption and the box must not be dead.
class WholeAreaCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

// Keeps a closed drop-down list's value from changing under a wheel turned over it on the way
// elsewhere: the list answers the wheel only while it has the focus, and otherwise leaves the
// event unaccepted so the window beneath it scrolls instead.
class WheelNeedsFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        event->ignore();
        return true;
    }
};

void guardAgainstStrayWheel(QComboBox* list) {
    // A wheel must not hand the list the focus either, or the guard would let it through.
    list->setFocusPolicy(Qt::StrongFocus);
    list->installEventFilter(new WheelNeedsFocus(list));
}

QWidget* makeCheckBox(const ControlTemplate& control, QWidget* parent) {
    auto* box = new WholeAreaCheckBox(toQString(control.caption), parent);
    if ((control.style & textLeftStyle) != 0)
        box->setLayoutDirection(Qt::RightToLeft);
    return box;
}

QWidget* makePushButton(const ControlTemplate& control, QWidget* parent) {
    auto* button = new QPushButton(toQString(control.caption), parent);
    // Only the template's default button answers Enter; focus alone does not make a default.
    button->setAutoDefault(false);
    button->setDefault((control.style & defaultStyle) != 0);
    return button;
}

QWidget* makeGroupBox(const ControlTemplate& control, QWidget* parent) {
    auto* group = new QGroupBox(toQString(control.caption), parent);
    // The template places the framed controls as if the frame ran through the middle of the
    // caption, so draw it there rather than below the caption: half the caption's own line down,
    // as an em in a style sheet would be the application's font, not the caption's.
    group->setStyleSheet(
        QStringLiteral(
            "QGroupBox { border: 1px solid palette(mid); border-radius: 3px; margin-top: %1px; }"
            "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 3px; }")
            .arg(group->fontMetrics().height() / 2));
    return group;
}

QWidget* makeLabel(const ControlTemplate& control, QWidget* parent) {
    auto* label = new QLabel(toQString(control.caption), parent);
    label->setAlignment(((control.style & centredStyle) != 0 ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignVCenter);
    return label;
}

QWidget* makeStandardControl(const ControlTemplate& control, QWidget* parent) {
    switch (control.kind) {
    case ControlKind::Edit:
        return makeEdit(control, parent);
    case ControlKind::PushButton:
        return makePushButton(control, parent);
    case ControlKind::GroupBox:
        return makeGroupBox(control, parent);
    case ControlKind::SpinEdit:
        return makeSpinEdit(parent);
    case ControlKind::ComboBox:
        return new CurrentItemComboBox(parent);
    case ControlKind::CheckBox:
        return makeCheckBox(control, parent);
    case ControlKind::ListBox:
        return new QListWidget(parent);
    case ControlKind::Label:
    case ControlKind::Icon:
    case ControlKind::Custom:
    case ControlKind::PaletteList:
        return makeLabel(control, parent);
    }
    return makeLabel(control, parent);
}

bool isField(ControlKind kind) {
    switch (kind) {
    case ControlKind::Edit:
    case ControlKind::SpinEdit:
    case ControlKind::ComboBox:
    case ControlKind::Custom:
    case ControlKind::PaletteList:
    case ControlKind::ListBox:
        return true;
    default:
        return false;
    }
}

// Names a field from the caption declared right before it, or from its own template entry.
void labelField(const ControlTemplate& control, QWidget* field, QLabel* caption) {
    if (caption != nullptr && isField(control.kind)) {
        caption->setBuddy(field);
        field->setAccessibleName(captionName(caption->text()));
    }
    if (!control.accessibleName.empty())
        field->setAccessibleName(toQString(control.accessibleName));
}

// A line edit lays its text out in the application's font while it is constructed, before it
// takes its parent's. While template controls are made, the application's font is the surface's,
// so a window of them never loads the desktop's font, which it does not draw with. Qt takes a font
// set this way as the program's choice and no longer follows the desktop's font when it changes
// while the program runs; what is put back is the application's font as it was before.
class SurfaceFontWhileBuilding {
public:
    explicit SurfaceFontWhileBuilding(const QFont& surfaceFont)
        : applicationFont(QGuiApplication::font()) {
        QGuiApplication::setFont(surfaceFont);
    }
    ~SurfaceFontWhileBuilding() { QGuiApplication::setFont(applicationFont); }
    SurfaceFontWhileBuilding(const SurfaceFontWhileBuilding&) = delete;
    SurfaceFontWhileBuilding& operator=(const SurfaceFontWhileBuilding&) = delete;

private:
    QFont applicationFont;
};

} // namespace

QString withoutMnemonic(const QString& caption) {
    QString shown;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        shown += caption[i];
    }
    return shown;
}

QString captionName(const QString& caption) {
    QString name = withoutMnemonic(caption).trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    return name.trimmed();
}

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString readingText(std::string_view reading) {
    return toQString(reading).normalized(QString::NormalizationForm_C);
}

QWidget* addTemplateSurface(QWidget& window, const DialogTemplate& dialog) {
    window.setWindowTitle(toQString(dialog.caption));
    window.setFont(dialogFont());
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* surface = new QWidget(&window);
    surface->setObjectName(QStringLiteral("surface"));
    layout->addWidget(surface);
    return surface;
}

QFont dialogFont() {
    // The templates are laid out for Courier. Nimbus Mono PS is the scalable Courier that the
    // package depends on (fonts-urw-base35), which ships it twice: as OpenType (foundry UKWN)
    // and as Type 1 (foundry urw). The OpenType face is named first: it opens in a third of the
    // time and has the Type 1 face's design and widths; its lines are a pixel shorter, so the
    // dialogs are a few pixels lower. Named, either is found at once, where "Courier" alone
    // goes through fontconfig's substitutes each time a new font is set up; without both,
    // Courier's substitute on that system is taken as before.
    QFont font({QStringLiteral("Nimbus Mono PS [UKWN]"), QStringLiteral("Nimbus Mono PS"),
                QStringLiteral("Courier")},
               12);
    // Not marked fixed pitch, though every face named is: controls inherit the mark but not the
    // font's having been asked for it, and a window's own font and its controls' would then be
    // two fonts to Qt, each loading the face again.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    // Average width over the alphabet, as the unit is defined, rather than the font's own
    // figure, which some faces leave at zero.
    baseWidth = std::max(1, (alphabetWidth(font) / 26 + 1) / 2);
    baseHeight = std::max(1, QFontMetrics(font).height());
}

int DialogUnits::horizontal(int units) const {
    return (units * baseWidth + 2) / 4;
}
int DialogUnits::vertical(int units) const {
    return (units * baseHeight + 4) / 8;
}

QRect DialogUnits::toPixels(int x, int y, int width, int height) const {
    // The edges are converted, not the sizes, so controls that meet in dialog units meet in
    // pixels too instead of overlapping by a rounded pixel.
    return QRect(QPoint(horizontal(x), vertical(y)),
                 QPoint(horizontal(x + width) - 1, vertical(y + height) - 1));
}

QHash<int, QWidget*> buildFromTemplate(const DialogTemplate& dialog, QWidget* surface,
                                       const ControlFactory& factory) {
    const SurfaceFontWhileBuilding surfaceFont(surface->font());
    const DialogUnits units(surface->font());
    surface->setFixedSize(units.horizontal(dialog.width), units.vertical(dialog.height));
    QHash<int, QWidget*> controls;
    QWidget* previous = nullptr;
    QLabel* caption = nullptr;
    for (const ControlTemplate& control : dialog.controls) {
        QWidget* widget = factory ? factory(control, surface) : nullptr;
        if (widget == nullptr)
            widget = makeStandardControl(control, surface);
        widget->setObjectName(toQString(control.objectName));
        widget->setProperty(controlIdProperty, control.id);
        widget->setGeometry(units.toPixels(control.x, control.y, control.width, control.height));
        widget->setVisible((control.style & hiddenStyle) == 0);
        widget->setEnabled((control.style & disabledStyle) == 0);
        if (auto* list = qobject_cast<QComboBox*>(widget))
            guardAgainstStrayWheel(list);
        labelField(control, widget, caption);
        caption = control.kind == ControlKind::Label ? qobject_cast<QLabel*>(widget) : nullptr;
        // Tab order follows the template, as the dialog's controls are declared.
        if (previous != nullptr && widget->focusPolicy() != Qt::NoFocus)
            QWidget::setTabOrder(previous, widget);
        if (widget->focusPolicy() != Qt::NoFocus)
            previous = widget;
        if (control.id != 0)
            controls.insert(control.id, widget);
    }
    return controls;
}

} // namespace tarnwick

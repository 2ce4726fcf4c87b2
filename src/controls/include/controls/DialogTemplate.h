#pragma once

#include <QFont>
#include <QHash>
#include <QRect>
#include <QString>

#include <functional>
#include <span>
#include <string_view>

class QWidget;

namespace tarnwick {

// The kinds of control a dialog template can declare.
// Custom is a list of game names, PaletteList a list of palettes drawn as colour strips, ListBox
// a read-only list of game text; the dialog that owns the template supplies those. SpinEdit is a
// number field with arrows; ComboBox a plain drop-down list that remembers a current item.
enum class ControlKind {
    Edit,
    SpinEdit,
    PushButton,
    GroupBox,
    Label,
    ComboBox,
    CheckBox,
    Icon,
    Custom,
    PaletteList,
    ListBox,
};

// Style bits of a control in a template.
enum ControlStyle : unsigned {
    noStyle = 0,
    hiddenStyle = 1u << 0,    // created but never shown
    readOnlyStyle = 1u << 1,  // edit that the user cannot change
    centredStyle = 1u << 2,   // text centred (edits and labels)
    defaultStyle = 1u << 3,   // the push button that Enter presses
    numberStyle = 1u << 4,    // edit accepting digits only
    upperStyle = 1u << 5,     // edit turning letters to capitals
    disabledStyle = 1u << 6,  // created disabled
    textLeftStyle = 1u << 7,  // check box with its caption left of the box
    plainTextStyle = 1u << 8, // a Custom list of ordinary text rather than game text
};

// One control of a template: its resource number (0 for controls nobody addresses), kind,
// object name, caption, place in dialog units, style and, for a control that no caption of
// its own or before it names well, the name a screen reader gives it.
struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::Label;
    std::string_view objectName;
    std::string_view caption;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    unsigned style = noStyle;
    std::string_view accessibleName = {};
};

// A dialog's resource: its number, caption, client size in dialog units and controls in tab
// order.
struct DialogTemplate {
    int id = 0;
    std::string_view caption;
    int width = 0;
    int height = 0;
    std::span<const ControlTemplate> controls;
};

// The font the templates are laid out for: a fixed-pitch 12 point face.
QFont dialogFont();

// Converts dialog units to pixels for a font: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height, as the templates expect.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    QRect toPixels(int x, int y, int width, int height) const;
    int horizontal(int units) const;
    int vertical(int units) const;

private:
    int baseWidth = 0;
    int baseHeight = 0;
};

// Makes a control for the Custom kind, or for any kind the caller wants to supply itself;
// returning nullptr falls back to the standard widget of the kind.
using ControlFactory = std::function<QWidget*(const ControlTemplate&, QWidget* parent)>;

// Creates a template's controls on a surface widget, places them and sizes the surface. Each
// control carries its resource number in the property "controlId" and its object name. A check
// box toggles on a click anywhere in its area; a drop-down list (whoever made it) takes the
// mouse wheel only while it has the focus. A Label declared right before a field labels it: it
// becomes the field's buddy (its mnemonic focuses the field) and, without '&' and ':', the
// field's accessible name, unless the field's template gives one. Returns the controls by
// resource number (controls numbered 0 are created but not returned).
QHash<int, QWidget*> buildFromTemplate(const DialogTemplate& dialog, QWidget* surface,
                                       const ControlFactory& factory = {});

// Makes window the frame of a template's dialog: the template's caption as its title, the dialog
// font, and a layout that keeps the window the size of its contents, holding an empty surface
// widget named "surface" for buildFromTemplate. More widgets (a status bar) may be added to the
// window's layout below the surface. Returns the surface.
QWidget* addTemplateSurface(QWidget& window, const DialogTemplate& dialog);

// The name of the dynamic property holding a control's resource number.
inline constexpr char controlIdProperty[] = "controlId";

QString toQString(std::string_view text);
// A caption as it is shown: the mnemonic mark taken out ("&&" stays one '&').
QString withoutMnemonic(const QString& caption);
// A caption as a name a person hears: without its mnemonic mark, and without the colon and
// spaces around it. "&X Loc:" is "X Loc".
QString captionName(const QString& caption);
// A name read through the character table as text a person reads: the combining sound marks of
// a Japanese reading composed into their syllables (NFC), as the game font shows them.
QString readingText(std::string_view reading);

} // namespace tarnwick

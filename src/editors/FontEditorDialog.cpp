#include "editors/FontEditorDialog.h"

#include "controls/WindowPlacement.h"

#include "resources/AnimTemplates.h"
#include "resources/AppResources.h"
#include "resources/DeferredIcon.h"
#include "resources/EditorTemplates.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick {
namespace {

// The range an up-down control has when none is set.
constexpr int arrowsLowest = 0;
constexpr int arrowsHighest = 100;

// Two stacked arrow buttons that step the whole number in the edit before them (their buddy),
// and let the Up and Down keys in that edit do the same.
class UpDownArrows : public QWidget {
public:
    UpDownArrows(QLineEdit* buddy, QWidget* parent) : QWidget(parent), edit(buddy) {
        setFocusPolicy(Qt::NoFocus);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        for (const auto& [arrow, step] : {std::pair{Qt::UpArrow, 1}, {Qt::DownArrow, -1}}) {
            auto* button = new QToolButton(this);
            button->setArrowType(arrow);
            button->setAccessibleName(step > 0 ? QStringLiteral("Next Character")
                                               : QStringLiteral("Previous Character"));
            button->setAutoRepeat(true);
            button->setFocusPolicy(Qt::NoFocus);
            button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
            connect(button, &QToolButton::clicked, this, [this, s = step] { stepBy(s); });
            layout->addWidget(button);
        }
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == edit && event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    void stepBy(int step) {
        const int number = std::clamp(edit->text().toInt(), arrowsLowest, arrowsHighest);
        edit->setText(QString::number(std::clamp(number + step, arrowsLowest, arrowsHighest)));
    }

    QLineEdit* edit;
};

} // namespace

FontEditorDialog::FontEditorDialog(RomImage&, EditHistory&, QWidget* parent, EditorTexts)
    : QDialog(parent) {
    registerAppResources();
    const DialogTemplate& resource = fontEditorTemplate();
    setWindowIcon(deferredIcon(QStringLiteral(":/icons/font.svg")));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    const QHash<int, QWidget*> controls = buildFromTemplate(
        resource, addTemplateSurface(*this, resource),
        [](const ControlTemplate& control, QWidget* owner) {
            QWidget* made = nullptr;
            if (control.kind == ControlKind::Label) {
                // The frame's captions stand right-aligned against their controls.
                auto* label = new QLabel(toQString(control.caption), owner);
                label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                made = label;
            } else if (control.id == fontControl::characterArrows) {
                // The arrows belong to the control made just before them, the character edit.
                const QObjectList& earlier = owner->children();
                if (auto* buddy = qobject_cast<QLineEdit*>(earlier.value(earlier.size() - 1)))
                    made = new UpDownArrows(buddy, owner);
            }
            return made;
        });
    auto* fontTypes = qobject_cast<QComboBox*>(controls.value(fontControl::fontType));
    fontTypes->addItems({QStringLiteral("Small"), QStringLiteral("Large")});
    fontTypes->setCurrentIndex(-1);
    connect(qobject_cast<QPushButton*>(controls.value(okButtonId)), &QPushButton::clicked, this,
            &QDialog::accept);
    keepOnScreen(this, findChild<QWidget*>(QStringLiteral("surface"), Qt::FindDirectChildrenOnly));
}

} // namespace tarnwick

#include "designer/editor/propertypanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>

#include "designer/editor/editsession.h"
#include "designer/wording.h"

namespace {

// The four numbers in the order the level file gives them; the flag comes last.
constexpr std::array<LevelField, 4> NumberFields = {LevelField::Left, LevelField::Top,
                                                    LevelField::Width, LevelField::Height};
const char* const NumberLabels[] = {"Links", "Oben", "Breite", "Höhe"};

}  // namespace

PropertyPanel::PropertyPanel(EditSession& session, QWidget* parent)
    : QWidget(parent), session(session), title(new QLabel(this)), visible(new QCheckBox(this)) {
    auto* form = new QFormLayout(this);
    title->setWordWrap(true);
    form->addRow(title);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        QSpinBox* number = numbers[i] = new QSpinBox(this);
        number->setRange(INT32_MIN, INT32_MAX);
        // A value counts once it is typed whole, not digit by digit.
        number->setKeyboardTracking(false);
        form->addRow(tr(NumberLabels[i]), number);
        connect(number, &QSpinBox::valueChanged, this,
                [this, i](int value) { edit(NumberFields[i], value); });
    }
    visible->setText(tr("Sichtbar"));
    form->addRow(visible);
    connect(visible, &QCheckBox::toggled, this,
            [this](bool shown) { edit(LevelField::Visible, shown ? 1 : 0); });
    connect(&session, &EditSession::selectionChanged, this, &PropertyPanel::showSelection);
    connect(&session, &EditSession::documentChanged, this, &PropertyPanel::showSelection);
    connect(&session, &EditSession::levelChanged, this, &PropertyPanel::showSelection);
    showSelection();
}

void PropertyPanel::showSelection() {
    const std::optional<ElementId> element = session.selection();
    const bool shown = element && session.hasLevel();
    setEnabled(shown);
    title->setText(shown ? QString::fromStdString(describeElement(*element, Language::German))
                         : tr("Kein Element gewählt"));
    const Placement placed = shown ? session.layout()[*element] : Placement{0, 0, 0, 0, false};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const QSignalBlocker quiet(numbers[i]);
        numbers[i]->setValue(fieldOf(placed, NumberFields[i]));
    }
    const QSignalBlocker quiet(visible);
    visible->setChecked(placed.Visible);
}

void PropertyPanel::edit(LevelField field, int value) {
    const std::optional<ElementId> element = session.selection();
    if (!element || !session.hasLevel()) {
        return;
    }
    Placement placed = session.layout()[*element];
    setField(placed, field, value);
    const QString name = QString::fromStdString(describeElement(*element, Language::German));
    session.place(*element, placed, tr("%1 ändern").arg(name));
}

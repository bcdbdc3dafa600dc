#include "designer/editor/propertypanel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "designer/editor/editsession.h"
#include "designer/editor/elementnames.h"
#include "designer/pictureboxes.h"

namespace {

// The four numbers in the order the level file gives them, with the values each takes: any place
// the file's 32-bit numbers give, but no size below 0.
struct NumberField {
    LevelField field;
    const char* label;
    int32 lowest, highest;
};
constexpr std::array<NumberField, 4> NumberFields = {{
    {LevelField::Left, "Links", INT32_MIN, INT32_MAX},
    {LevelField::Top, "Oben", INT32_MIN, INT32_MAX},
    {LevelField::Width, "Breite", 0, INT32_MAX},
    {LevelField::Height, "Höhe", 0, INT32_MAX},
}};

const NumberField& numberField(LevelField field) {
    for (const NumberField& number : NumberFields) {
        if (number.field == field) {
            return number;
        }
    }
    return NumberFields[0];
}

QString rangeOf(const NumberField& number) {
    return PropertyPanel::tr("eine ganze Zahl von %1 bis %2")
        .arg(QString::number(number.lowest), QString::number(number.highest));
}

bool isSize(LevelField field) {
    return field == LevelField::Width || field == LevelField::Height;
}

}  // namespace

PropertyPanel::PropertyPanel(EditSession& session, QWidget* parent)
    : QWidget(parent),
      session(session),
      title(new QLabel(this)),
      visible(new QCheckBox(this)),
      pictureSize(new QPushButton(tr("Auf Bildgröße setzen"), this)),
      said(new QLabel(this)) {
    auto* form = new QFormLayout(this);
    title->setWordWrap(true);
    form->addRow(title);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        QLineEdit* number = numbers[i] = new QLineEdit(this);
        number->setToolTip(rangeOf(NumberFields[i]));
        form->addRow(tr(NumberFields[i].label), number);
        // A value counts once it is typed whole, not digit by digit.
        connect(number, &QLineEdit::editingFinished, this, [this, i] { typed(i); });
    }
    visible->setText(tr("Sichtbar"));
    form->addRow(visible);
    connect(visible, &QCheckBox::toggled, this,
            [this](bool shown) { edit(LevelField::Visible, shown ? 1 : 0); });
    form->addRow(pictureSize);
    connect(pictureSize, &QPushButton::clicked, this, &PropertyPanel::fitToPicture);
    said->setWordWrap(true);
    said->setStyleSheet(QStringLiteral("color: #c00000"));
    form->addRow(said);
    connect(&session, &EditSession::selectionChanged, this, &PropertyPanel::showSelection);
    connect(&session, &EditSession::documentChanged, this, &PropertyPanel::showSelection);
    connect(&session, &EditSession::levelChanged, this, &PropertyPanel::showSelection);
    showSelection();
}

std::optional<int32> PropertyPanel::parse(LevelField field, const QString& typed) {
    bool whole = false;
    const qlonglong value = typed.trimmed().toLongLong(&whole, 10);
    const NumberField& number = numberField(field);
    if (!whole || value < number.lowest || value > number.highest) {
        return std::nullopt;
    }
    return static_cast<int32>(value);
}

QString PropertyPanel::rejection(LevelField field, const QString& typed) {
    const NumberField& number = numberField(field);
    return tr("„%1“ gilt nicht: %2 nimmt %3.")
        .arg(typed.trimmed(), tr(number.label), rangeOf(number));
}

void PropertyPanel::showSelection() {
    const std::optional<ElementId> element = session.selection();
    const bool shown = element && session.hasLevel();
    setEnabled(shown);
    said->clear();
    title->setText(shown ? elementTitle(*element, true) : tr("Kein Element gewählt"));
    const Placement placed = shown ? session.layout()[*element] : Placement{0, 0, 0, 0, false};
    const Role role = shown ? element->role() : Role::Hand;
    const bool fixed = shown && fixedPicture(role);
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        numbers[i]->setText(QString::number(fieldOf(placed, NumberFields[i].field)));
        numbers[i]->setModified(false);
        // The picture of a penny or of the hand has one size; a box of another is no gain.
        numbers[i]->setReadOnly(fixed && isSize(NumberFields[i].field));
    }
    const PictureBox picture = pictureBox(role);
    pictureSize->setVisible(fixed &&
                            (placed.Width != picture.width || placed.Height != picture.height));
    const QSignalBlocker quiet(visible);
    visible->setChecked(placed.Visible);
}

void PropertyPanel::typed(std::size_t number) {
    QLineEdit* field = numbers[number];
    if (!field->isModified()) {
        return;
    }
    field->setModified(false);
    const LevelField which = NumberFields[number].field;
    if (const std::optional<int32> value = parse(which, field->text())) {
        edit(which, *value);
        return;
    }
    const QString words = rejection(which, field->text());
    showSelection();
    said->setText(words);
}

void PropertyPanel::edit(LevelField field, int32 value) {
    const std::optional<ElementId> element = session.selection();
    if (!element || !session.hasLevel()) {
        return;
    }
    Placement placed = session.layout()[*element];
    setField(placed, field, value);
    session.place(*element, placed, tr("%1 ändern").arg(elementTitle(*element)));
}

void PropertyPanel::fitToPicture() {
    const std::optional<ElementId> element = session.selection();
    if (!element || !session.hasLevel()) {
        return;
    }
    const PictureBox picture = pictureBox(element->role());
    Placement placed = session.layout()[*element];
    placed.Width = picture.width;
    placed.Height = picture.height;
    session.place(*element, placed,
                  tr("Größe von %1 an das Bild anpassen").arg(elementTitle(*element)));
}

#include "app/fieldchanges.h"

#include "app/componentpainter.h"

namespace {

// Bold glyphs may overhang their advance by a pixel or two.
enum { TextOverhang = 3 };

}  // namespace

std::optional<QRect> FieldChanges::area(const Component& component) {
    std::optional<QRect> rect = ComponentPainter::onScreen(component);
    if (rect && !component.Caption.empty()) {
        rect = rect->adjusted(-TextOverhang, -TextOverhang, TextOverhang, TextOverhang);
    }
    return rect;
}

QRegion FieldChanges::take(const TForm1& form) {
    QRegion changed;
    for (std::size_t i = 0; i < Elements.size(); ++i) {
        changed += takeAt(i, form.*Elements[i].member);
    }
    return changed;
}

QRegion FieldChanges::take(const TForm1& form, const Component& component) {
    for (std::size_t i = 0; i < Elements.size(); ++i) {
        if (&(form.*Elements[i].member) == &component) {
            return takeAt(i, component);
        }
    }
    return {};
}

QRegion FieldChanges::takeAt(std::size_t index, const Component& component) {
    const std::optional<QRect> now = area(component);
    Look& before = drawn[index];
    if (now == before.area && component.Caption == before.caption) {
        return {};
    }
    QRegion changed;
    if (before.area) {
        changed += *before.area;
    }
    if (now) {
        changed += *now;
    }
    before = {now, component.Caption};
    return changed;
}

#include "play/levelelements.h"

std::string levelKey(const Element& element, LevelField field) {
    const std::string prefix(element.keyPrefix);
    switch (field) {
        case LevelField::Left:
            return element.bareLeftKey ? prefix : prefix + ".left";
        case LevelField::Top:
            return prefix + ".top";
        case LevelField::Width:
            return prefix + ".width";
        case LevelField::Height:
            return prefix + ".height";
        case LevelField::Visible:
            break;
    }
    return prefix + ".visible";
}

std::string levelKey(ElementId element, LevelField field) {
    return levelKey(element.element(), field);
}

#include "designer/editor/elementnames.h"

#include <QCoreApplication>

namespace {

const char* kindOf(Role role) {
    switch (role) {
        case Role::GreyBar:
        case Role::GreyBarUpright:
            return QT_TRANSLATE_NOOP("ElementNames", "grauer Balken");
        case Role::YellowBar:
        case Role::YellowBarUpright:
            return QT_TRANSLATE_NOOP("ElementNames", "gelber Balken");
        case Role::GreenBar:
        case Role::GreenBarUpright:
            return QT_TRANSLATE_NOOP("ElementNames", "grüner Balken");
        case Role::Penny:
            return QT_TRANSLATE_NOOP("ElementNames", "Pfennig");
        default:
            return QT_TRANSLATE_NOOP("ElementNames", "Hand");
    }
}

}  // namespace

QString elementTitle(ElementId element, bool withKey) {
    const std::string_view name = element.name();
    const QString key = QString::fromLatin1(name.data(), qsizetype(name.size()));
    QString title = QCoreApplication::translate("ElementNames", kindOf(element.role()));
    // The hand is the only one of its kind; the others take the number of their key.
    if (element.role() != Role::Hand) {
        qsizetype digits = key.size();
        while (digits > 0 && key.at(digits - 1).isDigit()) {
            --digits;
        }
        title += QLatin1Char(' ') + key.mid(digits);
    }
    return withKey ? QStringLiteral("%1 (%2)").arg(title, key) : title;
}

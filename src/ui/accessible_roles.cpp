#include "ui/accessible_roles.hpp"

#include <QAccessibleWidget>

#include "ui/picture_area.hpp"

namespace {

// Asked for every class up an object's chain, most derived first. Our windows
// and pictures declare no class of their own, so they come as "QWidget";
// Qt's own widgets are answered by their own class before that.
QAccessibleInterface* program_widget(const QString& key, QObject* object) {
    if (key != QLatin1String("QWidget")) return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (dynamic_cast<PictureArea*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (!widget->isWindow()) return nullptr;
    const bool dialog = widget->objectName() == QLatin1String("setform");
    return new QAccessibleWidget(widget, dialog ? QAccessible::Dialog : QAccessible::Window);
}

}  // namespace

void install_accessible_roles() {
    static const bool installed = [] {
        QAccessible::installFactory(program_widget);
        return true;
    }();
    (void)installed;
}

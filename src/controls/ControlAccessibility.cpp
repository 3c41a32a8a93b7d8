#include "ControlAccessibility.h"

#include "CBitmapBtn.h"
#include "CDMarker.h"
#include "CFocusItem.h"

#include <QAccessibleWidget>
#include <QWidget>

#include <mutex>

namespace qv530 {
namespace {

constexpr const char* kRoleProperty = "qv530AccessibleRole";

class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(CBitmapBtn* button) : QAccessibleWidget(button, button->accessRole) {}

    QAccessible::Role role() const override { return button()->accessRole; }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            const QString given = button()->accessibleName();
            return given.isEmpty() ? button()->GetCaption().trimmed() : given;
        }
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const QAccessible::Role r = role();
        if (button()->IsCheckBox() || r == QAccessible::CheckBox || r == QAccessible::RadioButton) {
            s.checkable = true;
            s.checked = button()->Checked();
        }
        if (button()->isDown()) s.pressed = true;
        if (const std::optional<bool> expanded = button()->Expanded()) {
            s.expandable = true;
            s.expanded = *expanded;
            s.collapsed = !*expanded;
        }
        if (button()->hasPopup) s.hasPopup = true;
        return s;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} << QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override {
        if (name == pressAction()) {
            if (button()->isEnabled()) button()->Press();
            return;
        }
        QAccessibleWidget::doAction(name);
    }

private:
    CBitmapBtn* button() const { return static_cast<CBitmapBtn*>(object()); }
};

// What the marker and the focus items share: a value with a range.
class MarkerAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit MarkerAccessible(CDMarkerBase* marker) : QAccessibleWidget(marker, QAccessible::Slider) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value || t == QAccessible::Description) return marker()->ValueText();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return marker()->Pos(); }
    void setCurrentValue(const QVariant& value) override {
        if (marker()->isEnabled()) marker()->SetFromKeyboard(value.toInt());
    }
    QVariant maximumValue() const override { return marker()->Maximum(); }
    QVariant minimumValue() const override { return marker()->Minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    CDMarkerBase* marker() const { return static_cast<CDMarkerBase*>(object()); }
};

class ItemAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ItemAccessible(CFocusItem* item) : QAccessibleWidget(item, item->Role()) {}

    QAccessible::Role role() const override { return item()->Role(); }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return item()->name ? item()->name() : QString();
        if ((t == QAccessible::Value || t == QAccessible::Description) && item()->valueText) return item()->valueText();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (item()->checked) {
            s.checkable = true;
            s.checked = item()->checked();
        }
        if (item()->hasPopup) s.hasPopup = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface && item()->range && item()->value)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return item()->value ? item()->value() : 0; }
    void setCurrentValue(const QVariant& value) override {
        if (item()->setValue && item()->isEnabled()) item()->setValue(value.toInt());
        item()->Refresh();
    }
    QVariant maximumValue() const override { return item()->range ? item()->range->maximum : 0; }
    QVariant minimumValue() const override { return item()->range ? item()->range->minimum : 0; }
    QVariant minimumStepSize() const override { return 1; }

    QStringList actionNames() const override {
        QStringList names;
        if (item()->activate) names << (item()->checked ? toggleAction() : pressAction());
        if (item()->step && item()->range) names << increaseAction() << decreaseAction();
        return names << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (!item()->isEnabled()) return;
        if ((name == pressAction() || name == toggleAction()) && item()->activate) item()->activate();
        else if (name == increaseAction() && item()->step) item()->step(KeyStep::More);
        else if (name == decreaseAction() && item()->step) item()->step(KeyStep::Less);
        else QAccessibleWidget::doAction(name);
        item()->Refresh();
    }

private:
    CFocusItem* item() const { return static_cast<CFocusItem*>(object()); }
};

QAccessibleInterface* ControlFactory(const QString& className, QObject* object) {
    if (object == nullptr || !object->isWidgetType()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("qv530::CBitmapBtn")) return new ButtonAccessible(static_cast<CBitmapBtn*>(widget));
    if (className == QLatin1String("qv530::CFocusItem")) return new ItemAccessible(static_cast<CFocusItem*>(widget));
    if (className == QLatin1String("qv530::CDMarkerBase") || className == QLatin1String("qv530::CDMarker") ||
        className == QLatin1String("qv530::CDMarkerV"))
        return new MarkerAccessible(static_cast<CDMarkerBase*>(widget));
    // The role given by the owner, asked for the object's own class only.
    const QVariant role = widget->property(kRoleProperty);
    if (role.isValid() && className == QLatin1String(object->metaObject()->className()))
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    return nullptr;
}

}  // namespace

void InstallControlAccessibility() {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(ControlFactory); });
}

void SetAccessibleRole(QWidget* widget, QAccessible::Role role) {
    InstallControlAccessibility();
    widget->setProperty(kRoleProperty, static_cast<int>(role));
}

}  // namespace qv530

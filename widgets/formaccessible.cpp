// SPDX-License-Identifier: GPL-3.0-or-later
#include "formaccessible.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>

namespace {

// Not while the list is open: there the highlight is the user's, and what a
// screen reader asks must never move it.
void selectCurrentEntry(QComboBox* selector)
{
    if (selector->view()->isVisible())
        return;
    selector->view()->selectionModel()->setCurrentIndex(
        selector->model()->index(selector->currentIndex(), selector->modelColumn()),
        QItemSelectionModel::ClearAndSelect);
}

#ifdef Q_OS_UNIX
// Here Qt names a selector by the entry it shows, for a label to name it by
// relation; the window's selectors are named by their accessible names, and
// their entries are their values, as on other systems.
class NamedSelector : public QAccessibleWidget {
public:
    explicit NamedSelector(QComboBox* selector)
        : QAccessibleWidget(selector, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Value || (kind == QAccessible::Name && text.isEmpty())
            ? selector()->currentText()
            : text;
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index != 0)
            return nullptr;
        selectCurrentEntry(selector());
        return QAccessible::queryAccessibleInterface(selector()->view());
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == selector()->view() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            selector()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* selector() const { return static_cast<QComboBox*>(widget()); }
};

#endif

// A label that says what needs the user's attention when it shows: screen
// readers speak an alert as it appears.
class Alert : public QAccessibleWidget {
public:
    explicit Alert(QLabel* label)
        : QAccessibleWidget(label, QAccessible::AlertMessage)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? static_cast<QLabel*>(widget())->text()
                                                           : text;
    }
};

// The form as a screen reader walks it: its separator lines are drawing only.
class Form : public QAccessibleWidget {
public:
    explicit Form(QWidget* form)
        : QAccessibleWidget(form, QAccessible::Client)
    {
    }

    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(children().value(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object()->isWidgetType()
            ? static_cast<int>(children().indexOf(static_cast<QWidget*>(child->object())))
            : -1;
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            const auto* frame = qobject_cast<QFrame*>(object);
            if (child && !child->isWindow() && !(frame && frame->frameShape() == QFrame::HLine))
                shown << child;
        }
        return shown;
    }
};

QAccessibleInterface* create(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->window()->inherits("MainWindow"))
        return nullptr;
#ifdef Q_OS_UNIX
    auto* selector = qobject_cast<QComboBox*>(object);
    if (className == QLatin1String("QComboBox") && selector && !selector->isEditable())
        return new NamedSelector(selector);
#endif
    const QString name = object->objectName();
    if (className == QLatin1String("QLabel")
        && (name.startsWith(QLatin1String("label_alert_"))
            || name == QLatin1String("statusMessage")))
        return new Alert(static_cast<QLabel*>(object));
    if (name == QLatin1String("centralWidget"))
        return new Form(widget);
    return nullptr;
}
}

void FormAccessible::install() { QAccessible::installFactory(create); }

void FormAccessible::follow(QComboBox* selector)
{
    QObject::connect(selector, QOverload<int>::of(&QComboBox::currentIndexChanged), selector,
        [selector] {
            if (QAccessible::isActive())
                selectCurrentEntry(selector);
        });
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "formstyle.h"

#include "contrast.h"
#include "formfont.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QToolTip>

namespace {
const char* const forms[] = { "MainWindow", "Dialog", "Dialog2" };
const int arrowWidth = 11;

// The roles a widget's text and the background under it are drawn in, for
// the widgets on which a form's palette can force one and not the other.
bool textRoles(const QWidget* widget, QPalette::ColorRole& text, QPalette::ColorRole& background)
{
    if (qobject_cast<const QLineEdit*>(widget)) {
        text = QPalette::Text;
        background = QPalette::Base;
    } else if (qobject_cast<const QMenuBar*>(widget)) {
        text = QPalette::ButtonText;
        background = QPalette::Window;
    } else {
        return false;
    }
    return true;
}

// Only the fixed forms: menus, message boxes and tooltips lay themselves out
// and keep the desktop's font. Setting the desktop's font clears these, so
// it runs again on every change of the application font.
void fitForms()
{
    const QFont font = FormStyle::formFont();
    for (const char* form : forms)
        if (QApplication::font(form) != font)
            QApplication::setFont(font, form);
}

// Makes the widget's text readable on the background under it.
void keepReadable(QWidget* widget)
{
    QPalette::ColorRole text;
    QPalette::ColorRole background;
    if (!textRoles(widget, text, background))
        return;
    QPalette palette = widget->palette();
    bool changed = false;
    for (const QPalette::ColorGroup group : { QPalette::Active, QPalette::Inactive }) {
        const QColor back = palette.color(group, background);
        if (Contrast::ratio(Contrast::over(palette.color(group, text), back), back)
            >= Contrast::readable)
            continue;
        palette.setColor(group, text, Contrast::extreme(back));
        changed = true;
    }
    if (changed)
        widget->setPalette(palette);
}

bool inForm(const QWidget* widget)
{
    for (const char* form : forms)
        if (widget && widget->window()->inherits(form))
            return true;
    return false;
}

// Outlines a focused input of a form 2 pixels wide in the desktop's highlight,
// taken towards white or black until it stands out from the form around it:
// Fusion's own ring is darker than the highlight, too dark on the forms' grey.
void outlineFocus(const QStyleOption* option, QPainter* painter, const QWidget* widget)
{
    if (!(option->state & QStyle::State_HasFocus) || !inForm(widget))
        return;
    const QWidget* around = widget->parentWidget() ? widget->parentWidget() : widget;
    const QColor back = around->palette().color(QPalette::Window);
    const QColor ring = Contrast::noticeableOn(option->palette.color(QPalette::Highlight), back);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(ring);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->drawRect(option->rect.adjusted(1, 1, -2, -2));
    painter->restore();
}

bool textFits(const QComboBox* box, const QStyle* style)
{
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QRect field
        = style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
    return box->fontMetrics().horizontalAdvance(box->currentText()) <= field.width() - 2;
}
}

FormStyle::FormStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

QFont FormStyle::formFont(qreal zoom) { return FormFont::fitting(QApplication::font(), zoom); }

QRect FormStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
    SubControl subControl, const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (control == CC_ComboBox && box && !box->editable) {
        const QRect& r = option->rect;
        if (subControl == SC_ComboBoxArrow)
            return visualRect(option->direction, r,
                QRect(r.right() - arrowWidth, r.top(), arrowWidth, r.height()));
        if (subControl == SC_ComboBoxEditField)
            return visualRect(option->direction, r,
                QRect(r.left() + 2, r.top() + 2, r.width() - arrowWidth - 4, r.height() - 4));
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

void FormStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
    const QWidget* widget) const
{
    const auto* box = qstyleoption_cast<const QStyleOptionComboBox*>(option);
    if (element == CE_ComboBoxLabel && box && !box->editable) {
        QStyleOptionComboBox elided(*box);
        const int room = subControlRect(CC_ComboBox, box, SC_ComboBoxEditField, widget).width() - 2;
        elided.currentText = box->fontMetrics.elidedText(box->currentText, Qt::ElideMiddle, room);
        QProxyStyle::drawControl(element, &elided, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton)
        outlineFocus(option, painter, widget);
}

void FormStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
    QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox || control == CC_SpinBox)
        outlineFocus(option, painter, widget);
}

void FormStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
    QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_FrameLineEdit)
        outlineFocus(option, painter, widget);
}

void FormStyle::polish(QApplication* application)
{
    QProxyStyle::polish(application);
    fitForms();
    application->installEventFilter(this);
}

void FormStyle::unpolish(QApplication* application)
{
    application->removeEventFilter(this);
    QProxyStyle::unpolish(application);
}

void FormStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    keepReadable(widget);
}

// Watches every object of the application.
bool FormStyle::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ApplicationFontChange:
        if (watched == qApp)
            fitForms();
        break;
    case QEvent::PaletteChange:
        if (watched->isWidgetType())
            keepReadable(static_cast<QWidget*>(watched));
        break;
    case QEvent::ToolTip: {
        auto* box = qobject_cast<QComboBox*>(watched);
        if (box && box->toolTip().isEmpty() && !textFits(box, this)) {
            // A name from the catalogue, shown as written: never markup.
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                QStringLiteral("<p style='white-space:pre'>%1</p>")
                    .arg(box->currentText().toHtmlEscaped()),
                box);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QProxyStyle::eventFilter(watched, event);
}

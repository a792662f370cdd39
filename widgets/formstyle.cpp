// SPDX-License-Identifier: GPL-3.0-or-later
#include "formstyle.h"

#include <QApplication>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <QToolTip>

#include <cmath>

namespace {
// The forms' tightest fits: rows 13 pixels high, and the User Guide's
// longest line in the 451 pixels of its text.
const qreal lineHeight = 13;
const qreal guideWidth = 451;
const char* const guideLongestLine
    = "power that the cabinet is able to manage exceeds the maximum power of the amplifier. ";
const int smallestPixelSize = 8;
const char* const forms[] = { "MainWindow", "Dialog", "Dialog2" };
const int arrowWidth = 11;
const double readable = 4.5; // WCAG AA for body text
const double noticeable = 3; // WCAG AA for what is not text, a focus indicator included

double luminance(const QColor& colour)
{
    const auto linear = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}

// WCAG contrast ratio of two opaque colours, 1 to 21.
double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor over(const QColor& colour, const QColor& background)
{
    const double a = colour.alphaF();
    return QColor::fromRgbF(colour.redF() * a + background.redF() * (1 - a),
        colour.greenF() * a + background.greenF() * (1 - a),
        colour.blueF() * a + background.blueF() * (1 - a));
}

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

// The desktop's font at the largest pixel size, at most its own, whose lines
// fit the forms' rows and the User Guide's width, all of them `zoom` times as
// large. Lines grow about in step with the size, so the search starts where
// the desktop's size says they fit: each size tried costs a font load.
QFont fittingFont(const QFont& desktop, qreal zoom)
{
    const QFontMetricsF own(desktop);
    const int ownPixels = qRound(QFontInfo(desktop).pixelSize() * zoom);
    const qreal height = lineHeight * zoom;
    const qreal width = guideWidth * zoom;
    const qreal scale = qMin(
        height / own.height(), width / own.horizontalAdvance(QLatin1String(guideLongestLine)));
    // A desktop font below the smallest size, zoomed down, stays at the smallest.
    int pixels = qBound(smallestPixelSize,
        static_cast<int>(QFontInfo(desktop).pixelSize() * scale) + 1,
        qMax(smallestPixelSize, ownPixels));
    QFont font = desktop;
    for (; pixels > smallestPixelSize; --pixels) {
        font.setPixelSize(pixels);
        const QFontMetricsF metrics(font);
        if (metrics.height() <= height
            && metrics.horizontalAdvance(QLatin1String(guideLongestLine)) <= width)
            break;
    }
    font.setPixelSize(pixels);
    return font;
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
        if (contrast(over(palette.color(group, text), back), back) >= readable)
            continue;
        palette.setColor(group, text,
            contrast(Qt::black, back) >= contrast(Qt::white, back) ? Qt::black : Qt::white);
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
    const QColor start = option->palette.color(QPalette::Highlight);
    const QColor end
        = contrast(Qt::white, back) > contrast(Qt::black, back) ? Qt::white : Qt::black;
    // Mixing with white or black keeps the hue; the least mix that reaches
    // 3:1 keeps the most of the desktop's colour. Colours are measured as
    // drawn, in 8 bits a channel.
    const auto mix = [&](double t) {
        return QColor(QColor::fromRgbF(start.redF() + (end.redF() - start.redF()) * t,
            start.greenF() + (end.greenF() - start.greenF()) * t,
            start.blueF() + (end.blueF() - start.blueF()) * t)
                          .rgb());
    };
    double enough = 0;
    if (contrast(start, back) < noticeable) {
        double short_of = 0;
        enough = 1;
        for (int step = 0; step < 12; ++step) {
            const double t = (short_of + enough) / 2;
            (contrast(mix(t), back) < noticeable ? short_of : enough) = t;
        }
    }
    const QColor ring = mix(enough);
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

QFont FormStyle::formFont(qreal zoom) { return fittingFont(QApplication::font(), zoom); }

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

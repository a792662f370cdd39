// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// Fusion, made to keep the texts of Vantor's fixed-size forms whole and
// readable, also when the desktop changes its font or palette later:
// - the forms (and only they) get the desktop's font family at the largest
//   pixel size whose lines fit their tightest rows and widest line;
// - a narrow selector arrow leaves the text more room, and a selector's text
//   still too long is elided in the middle and shown whole as its tooltip;
// - a text colour that the desktop's palette gives and that is hard to read
//   on a background the form forces (white fields on a dark theme) is made
//   black or white;
// - a focused input is outlined in a colour that stands out from the form.
class FormStyle : public QProxyStyle {
    Q_OBJECT

public:
    FormStyle();

    // The forms' font, for a form drawn `zoom` times its size.
    static QFont formFont(qreal zoom = 1);

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
        SubControl subControl, const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
        QPainter* painter, const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    void polish(QApplication* application) override;
    void unpolish(QApplication* application) override;
    void polish(QWidget* widget) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

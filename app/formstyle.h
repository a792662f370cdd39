// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProxyStyle>

// Fusion, made to keep the texts of fixed-size forms whole and readable: a
// narrow selector arrow leaves the text more room, a selector's text that is
// still too long is elided in the middle and shown whole as its tooltip, and
// a text colour that the desktop's palette gives and that is hard to read on
// a background the form forces (white fields on a dark theme) is replaced by
// black or white.
class FormStyle : public QProxyStyle {
    Q_OBJECT

public:
    FormStyle();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
        SubControl subControl, const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "contrast.h"

#include <QtGlobal>

#include <cmath>

namespace {
// WCAG 2's relative luminance of an sRGB colour.
double luminance(const QColor& colour)
{
    const auto linear = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
        + 0.0722 * linear(colour.blueF());
}
}

double Contrast::ratio(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor Contrast::over(const QColor& colour, const QColor& background)
{
    const double a = colour.alphaF();
    return QColor::fromRgbF(colour.redF() * a + background.redF() * (1 - a),
        colour.greenF() * a + background.greenF() * (1 - a),
        colour.blueF() * a + background.blueF() * (1 - a));
}

QColor Contrast::extreme(const QColor& background)
{
    return ratio(Qt::black, background) >= ratio(Qt::white, background) ? QColor(Qt::black)
                                                                         : QColor(Qt::white);
}

QColor Contrast::noticeableOn(const QColor& start, const QColor& background)
{
    const QColor end
        = ratio(Qt::white, background) > ratio(Qt::black, background) ? Qt::white : Qt::black;
    const auto mix = [&](double t) {
        return QColor(QColor::fromRgbF(start.redF() + (end.redF() - start.redF()) * t,
            start.greenF() + (end.greenF() - start.greenF()) * t,
            start.blueF() + (end.blueF() - start.blueF()) * t)
                          .rgb());
    };
    double enough = 0;
    if (ratio(start, background) < noticeable) {
        double short_of = 0;
        enough = 1;
        for (int step = 0; step < 12; ++step) {
            const double t = (short_of + enough) / 2;
            (ratio(mix(t), background) < noticeable ? short_of : enough) = t;
        }
    }
    return mix(enough);
}

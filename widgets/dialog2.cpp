// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog2.h"
#include "ui_dialog2.h"

#include <QFontInfo>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

Dialog2::Dialog2(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Dialog2)
{
    ui->setupUi(this);
    fitBanner();
}

Dialog2::~Dialog2() { delete ui; }

// The banner's 13 point Arial only just fits its line at 96 dpi; a wider
// stand-in for Arial or a higher font dpi would cut it, so it takes the
// largest pixel size at which the line fits.
void Dialog2::fitBanner()
{
    QLabel* banner = ui->label;
    QFont font = banner->font();
    QTextDocument line;
    line.setDocumentMargin(0);
    line.setHtml(banner->text());
    for (int pixels = QFontInfo(font).pixelSize(); pixels > 8; --pixels) {
        font.setPixelSize(pixels);
        line.setDefaultFont(font);
        const qreal width = line.idealWidth();
        const QTextLayout* first = line.firstBlock().layout();
        if (width <= banner->width() && first->lineCount() > 0
            && first->lineAt(0).height() <= banner->height())
            break;
    }
    banner->setFont(font);
}

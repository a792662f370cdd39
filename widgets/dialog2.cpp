// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog2.h"
#include "ui_dialog2.h"

#include <QFontInfo>
#include <QScreen>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWindow>

Dialog2::Dialog2(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Dialog2)
{
    ui->setupUi(this);
    fitBanner();
    // Until the guide's own frame is known, it is taken to be as wide as the
    // window it opens from: the guide is placed over that window at its size.
    const QWindow* opener = parent ? parent->window()->windowHandle() : nullptr;
    fitScreen(opener ? opener->frameMargins() : QMargins());
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

// The frame is known once the window manager has framed the guide, when it
// first shows on the screen.
void Dialog2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        windowHandle()->installEventFilter(this);
}

bool Dialog2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose
        && windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        fitScreen(windowHandle()->frameMargins());
    }
    return QDialog::eventFilter(watched, event);
}

// Shrinks the guide to the screen's room less the frame, and once it is
// shown moves it, frame and all, inside that room.
void Dialog2::fitScreen(const QMargins& frame)
{
    const QRect room = screen()->availableGeometry();
    const QSize most = room.marginsRemoved(frame).size();
    if (width() > most.width() || height() > most.height())
        resize(size().boundedTo(most));
    if (!isVisible())
        return;
    QRect outer = geometry().marginsAdded(frame);
    outer.moveLeft(qMax(room.left(), qMin(outer.left(), room.right() + 1 - outer.width())));
    outer.moveTop(qMax(room.top(), qMin(outer.top(), room.bottom() + 1 - outer.height())));
    if (outer.topLeft() != frameGeometry().topLeft())
        move(outer.topLeft());
}

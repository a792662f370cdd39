// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QMargins>

namespace Ui {
class Dialog2;
}

// The User Guide window: fixed help text, opened modeless. The text wraps to
// the window's width and scrolls, so the window may be smaller than the text;
// it opens no larger than the screen's room, its frame included.
class Dialog2 : public QDialog {
    Q_OBJECT

public:
    explicit Dialog2(QWidget* parent = nullptr);
    ~Dialog2() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitBanner();
    void fitScreen(const QMargins& frame);

    Ui::Dialog2* ui;
};

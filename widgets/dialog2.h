// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace Ui {
class Dialog2;
}

// The User Guide window: fixed help text, opened modeless.
class Dialog2 : public QDialog {
    Q_OBJECT

public:
    explicit Dialog2(QWidget* parent = nullptr);
    ~Dialog2() override;

private:
    void fitBanner();

    Ui::Dialog2* ui;
};

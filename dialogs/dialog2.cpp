// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog2.h"
#include "ui_dialog2.h"

Dialog2::Dialog2(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Dialog2)
{
    ui->setupUi(this);
}

Dialog2::~Dialog2() { delete ui; }

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class Dialog;
}

// The About box, with the support mail link; its logo is read from
// `imageFolder` first, where the catalogue's images are.
class Dialog : public QDialog {
    Q_OBJECT

public:
    explicit Dialog(QWidget* parent = nullptr, const QString& imageFolder = QString());
    ~Dialog() override;

    static const QString supportAddress;
    static const QString copyAddress;

private slots:
    void on_label_3_linkActivated(const QString& link);

private:
    Ui::Dialog* ui;
};

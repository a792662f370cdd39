// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog.h"
#include "ui_dialog.h"

#include <QDesktopServices>
#include <QUrl>

const QString Dialog::supportAddress = QStringLiteral("support@orlena-audio.example");
const QString Dialog::copyAddress = QStringLiteral("service@orlena-audio.example");

Dialog::Dialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::Dialog)
{
    ui->setupUi(this);
    // The form's support line leaves the address open, so the link shows the
    // same address the mail goes to.
    ui->label_3->setText(ui->label_3->text().arg(supportAddress));
}

Dialog::~Dialog() { delete ui; }

void Dialog::on_label_3_linkActivated(const QString& link)
{
    if (link != QLatin1String("#support_email"))
        return;
    const QString mail = QStringLiteral("mailto:?to=") + supportAddress + QStringLiteral("&cc=")
        + copyAddress + QStringLiteral("&subject=Vantor Support Request")
        + QStringLiteral("&body=Dear Orlena Audio,");
    QDesktopServices::openUrl(QUrl(mail, QUrl::TolerantMode));
}

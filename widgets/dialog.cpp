// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog.h"
#include "ui_dialog.h"

#include "appearance.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

const QString Dialog::supportAddress = QStringLiteral("help@orlena.example");
const QString Dialog::copyAddress = QStringLiteral("service@orlena.example");

Dialog::Dialog(QWidget* parent, const QString& imageFolder)
    : QDialog(parent)
    , ui(new Ui::Dialog)
{
    Appearance::builtInImages();
    ui->setupUi(this);
    Appearance::picture(ui->label, QStringLiteral("Orlena-Audio-logo-60px.png"), imageFolder);
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
    if (QDesktopServices::openUrl(QUrl(mail, QUrl::TolerantMode)))
        return;
    // Without a mail program the click would seem to do nothing.
    QMessageBox box(QMessageBox::Information, QStringLiteral("Support"),
        QStringLiteral("No mail program could be opened for the support request.\n"
                       "Please write to %1")
            .arg(supportAddress),
        QMessageBox::Ok, this);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

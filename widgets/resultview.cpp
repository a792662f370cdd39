// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultview.h"
#include "ui_mainwindow.h"

#include "catalogue.h"
#include "configuration.h"
#include "plaintext.h"

void ResultView::list(const Catalogue& catalogue) const
{
    ui->comboBox_cabinets->clear();
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        ui->comboBox_cabinets->addItem(PlainText::escaped(cabinet.name()));
    ui->comboBox_amplis->clear();
    for (const Catalogue::Model& model : catalogue.models)
        ui->comboBox_amplis->addItem(PlainText::escaped(model.name));
}

void ResultView::show(const Configuration& configuration) const
{
    ui->comboBox_mode->setEnabled(
        configuration.mode.hasSwitch() && ui->comboBox_amplis->isEnabled());
    showThreshold(configuration);
    const QStringList texts = configuration.labelTexts();
    ui->label_imp->setText(texts.at(0));
    ui->label_max_pow->setText(texts.at(1));
    ui->label_imp_equiv->setText(texts.at(2));
    ui->label_equiv_pow->setText(texts.at(3));
    ui->label_prog_power->setText(texts.at(4));
    ui->label_amp_gain->setText(texts.at(5));
}

void ResultView::showThreshold(const Configuration& configuration) const
{
    ui->lineaResultado->setText(configuration.thresholdText());
    ui->lineaResultado->setToolTip(configuration.thresholdDetails());
    QStringList described = configuration.labelTexts();
    if (!configuration.thresholdDetails().isEmpty())
        described.prepend(configuration.thresholdDetails());
    ui->lineaResultado->setAccessibleDescription(described.join(QStringLiteral("; ")));
    ui->label_alert_max->setVisible(configuration.at_max);
    // A screen reader speaks a change of the focused input's description: the
    // pick just made is heard with its threshold, and the warning where it shows.
    QString heard = QStringLiteral("Threshold ") + configuration.thresholdText();
    if (configuration.at_max)
        heard += QStringLiteral("; ") + ui->label_alert_max->text();
    for (QWidget* input : std::initializer_list<QWidget*> { ui->spin_num_cabinets,
             ui->comboBox_cabinets, ui->comboBox_amplis, ui->comboBox_mode })
        input->setAccessibleDescription(heard);
}

void ResultView::showNothing(QMainWindow* window) const
{
    ui->retranslateUi(window);
    ui->lineaResultado->clear();
    ui->lineaResultado->setToolTip(QString());
    ui->lineaResultado->setAccessibleDescription(QString());
    ui->label_alert_max->hide();
    enableInputs(false);
    ui->comboBox_mode->setEnabled(false);
}

void ResultView::enableInputs(bool enabled) const
{
    for (QWidget* input : std::initializer_list<QWidget*> { ui->spin_num_cabinets,
             ui->comboBox_cabinets, ui->comboBox_amplis, ui->pushButton_reset })
        input->setEnabled(enabled);
}

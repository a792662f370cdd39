// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultview.h"
#include "ui_mainwindow.h"

#include "catalogue.h"
#include "configuration.h"
#include "plaintext.h"
#include "units.h"

namespace {
// What the peak threshold's number means, under its figures in the tooltip:
// processors label theirs in more than one way.
const QString peakScale
    = QStringLiteral("The input level of a sine whose peak reaches that voltage,\n"
                     "on the threshold's scale: processors label peak thresholds differently.");
}

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
    showLimiterSet(configuration);
    // A screen reader speaks a change of the focused input's description: the
    // pick just made is heard with its limiter set, and the warnings where they show.
    QStringList heard { QStringLiteral("Threshold ") + configuration.thresholdText() };
    if (configuration.at_max)
        heard << ui->label_alert_max->text();
    if (configuration.accepted()) {
        heard << QStringLiteral("peak ") + ui->lineaPeak->text();
        if (configuration.peak_at_max)
            heard << ui->label_alert_peak->text();
        heard << timesHeard(configuration);
    }
    for (QWidget* input : std::initializer_list<QWidget*> {
             ui->spin_num_cabinets, ui->comboBox_cabinets, ui->comboBox_amplis, ui->comboBox_mode })
        input->setAccessibleDescription(heard.join(QStringLiteral("; ")));
}

// The peak threshold, "assumed" where the catalogue gives no peak rating, its
// figures and what its scale is in the tooltip, its alert, and the times.
void ResultView::showLimiterSet(const Configuration& configuration) const
{
    const bool accepted = configuration.accepted();
    ui->lineaPeak->setText(configuration.peakThresholdText()
        + (accepted && configuration.peak_assumed ? QStringLiteral(" (assumed)") : QString()));
    const QString figures = accepted
        ? configuration.peakVoltsText() + QStringLiteral(" at the output")
            + (configuration.peak_at_max ? QStringLiteral(", amplifier maximum") : QString())
            + QStringLiteral("; ") + configuration.peakBasis()
        : QString();
    ui->lineaPeak->setToolTip(accepted ? figures + QLatin1Char('\n') + peakScale : QString());
    ui->lineaPeak->setAccessibleDescription(
        accepted ? figures + QStringLiteral("; ") + timesHeard(configuration) : QString());
    ui->label_alert_peak->setVisible(configuration.peak_at_max);
    const QString reason = configuration.noTimesReason();
    const bool times = accepted && reason.isEmpty();
    ui->label_times->setText(times
            ? configuration.attackText() + QStringLiteral(" / ") + configuration.releaseText()
            : reason.isEmpty() ? QStringLiteral("-")
                               : QStringLiteral("- (%1)").arg(reason));
    ui->label_times->setToolTip(times
            ? QStringLiteral("From the cabinet's high-pass frequency, %1 Hz")
                  .arg(Units::number(configuration.high_pass, 6, 2))
            : QString());
}

// "attack 16 ms, release 256 ms", or why there are none.
QString ResultView::timesHeard(const Configuration& configuration)
{
    const QString reason = configuration.noTimesReason();
    return reason.isEmpty() ? QStringLiteral("attack %1, release %2")
                                  .arg(configuration.attackText(), configuration.releaseText())
                            : QStringLiteral("no attack or release: ") + reason;
}

void ResultView::showNothing(QMainWindow* window) const
{
    ui->retranslateUi(window);
    ui->lineaResultado->clear();
    ui->lineaResultado->setToolTip(QString());
    ui->lineaResultado->setAccessibleDescription(QString());
    ui->label_alert_max->hide();
    ui->lineaPeak->clear();
    ui->lineaPeak->setToolTip(QString());
    ui->lineaPeak->setAccessibleDescription(QString());
    ui->label_alert_peak->hide();
    ui->label_times->setToolTip(QString());
    enableInputs(false);
    ui->comboBox_mode->setEnabled(false);
}

void ResultView::enableInputs(bool enabled) const
{
    for (QWidget* input : std::initializer_list<QWidget*> { ui->spin_num_cabinets,
             ui->comboBox_cabinets, ui->comboBox_amplis, ui->pushButton_reset })
        input->setEnabled(enabled);
}

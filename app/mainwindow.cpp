// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appearance.h"
#include "catalogue.h"
#include "dialog.h"
#include "dialog2.h"

#include <QMessageBox>

namespace {
const double lowestImpedance = 4.0; // ohms
const double displayFloor = -10.0; // dBu
const QString ohm = QStringLiteral(" \u03A9");
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    Appearance::sharpen(ui->label, QStringLiteral("banner3.png"));

    const Catalogue catalogue = Catalogue::load();
    cabinet_table = catalogue.cabinets;
    amp_table = catalogue.amplifiers;
    amp_index = AmplifierIndex(amp_table);
    QStringList cabinetNames;
    cabinetNames.reserve(cabinet_table.size());
    for (const CabinetRecord& cabinet : cabinet_table)
        cabinetNames.append(cabinet.name);
    ui->comboBox_cabinets->addItems(cabinetNames);
    ui->comboBox_amplis->addItems(catalogue.amplifierModels);

    if (catalogue.complete())
        on_pushButton_reset_clicked();
}

MainWindow::~MainWindow() { delete ui; }

void MainWindow::on_comboBox_amplis_activated(int index)
{
    index_amplis = index;
    recalculate();
}

void MainWindow::on_comboBox_cabinets_activated(int index)
{
    if (index < 0 || index >= cabinet_table.size())
        return;
    index_cabinet = index;
    const CabinetRecord& cabinet = cabinet_table.at(index);
    imp_spk = cabinet.impedance;
    imp_equiv = imp_spk / num_cabinets;
    pow_spk = cabinet.program_power;
    pow_equiv = num_cabinets * pow_spk;
    recalculate();
}

void MainWindow::on_spin_num_cabinets_valueChanged(int arg1)
{
    num_cabinets = arg1;
    // Without a cabinet row (no catalogue) there is nothing to recalculate.
    if (index_cabinet < 0 || index_cabinet >= cabinet_table.size())
        return;
    const CabinetRecord& cabinet = cabinet_table.at(index_cabinet);
    imp_equiv = static_cast<double>(cabinet.impedance) / num_cabinets;
    pow_equiv = num_cabinets * static_cast<double>(cabinet.program_power);
    recalculate();
}

void MainWindow::on_comboBox_mode_activated(int index)
{
    if (index == 0)
        mode = QStringLiteral("ST");
    else if (index == 1)
        mode = QStringLiteral("BTL");
    recalculate();
}

void MainWindow::on_pushButton_reset_clicked()
{
    // Setting the count first may run a nested recalculation (and even a
    // nested reset); everything below overwrites what it displayed.
    ui->spin_num_cabinets->setEnabled(true);
    ui->spin_num_cabinets->setValue(1);
    ui->comboBox_cabinets->setEnabled(true);
    ui->comboBox_cabinets->setCurrentIndex(0);
    ui->comboBox_mode->setEnabled(true);
    ui->comboBox_mode->setCurrentIndex(0);
    ui->comboBox_amplis->setEnabled(true);
    ui->comboBox_amplis->setCurrentIndex(0);

    ui->label_imp->setText(QStringLiteral("Speaker impedance: 8") + ohm);
    ui->label_max_pow->setText(QStringLiteral("Speaker program power: 200 W"));
    ui->label_imp_equiv->setText(QStringLiteral("Equivalent impedance: 8") + ohm);
    ui->label_equiv_pow->setText(QStringLiteral("Equivalent program power: 200W"));
    ui->label_prog_power->setText(QStringLiteral("Max program voltage: 42.9 V"));
    ui->label_amp_gain->setText(QStringLiteral("Amplifier gain: 32 dB"));
    ui->lineaResultado->setText(QStringLiteral("2.3 dBu"));
    ui->label_alert_max->hide();

    imp_spk = 8.0;
    imp_equiv = 8.0;
    imp_amp = 8.0;
    pow_spk = 200.0;
    pow_equiv = 200.0;
    max_voltage = 42.9;
    amp_gain = 32.0;
    mode = QStringLiteral("ST");
    index_amplis = 0;
    index_cabinet = 0;
}

void MainWindow::on_actionAbout_triggered()
{
    Dialog about;
    about.setModal(true);
    about.exec();
}

void MainWindow::on_actionGuide_triggered()
{
    guide_dialog = new Dialog2(this);
    guide_dialog->setAttribute(Qt::WA_DeleteOnClose);
    guide_dialog->show();
}

void MainWindow::recalculate()
{
    if (imp_equiv >= 8.0)
        imp_amp = 8.0;
    else if (imp_equiv >= lowestImpedance)
        imp_amp = 4.0;

    index_amp_record = findAmplifier(QStringLiteral("NO"));
    bool found = index_amp_record >= 0;
    if (found) {
        ui->comboBox_mode->setEnabled(false);
    } else {
        ui->comboBox_mode->setEnabled(true);
        index_amp_record = findAmplifier(mode);
        found = index_amp_record >= 0;
    }

    if (found) {
        const AmplifierRecord& amplifier = amp_table.at(index_amp_record);
        max_voltage = QString::number(amplifier.max_voltage, 'g', 6).toDouble();
        amp_gain = amplifier.gain;
        updateThreshold();
    } else {
        refuse(QStringLiteral("This amplifier configuration is not supported"),
            QStringLiteral("Please, check the selection"));
    }

    ui->label_imp->setText(
        QStringLiteral("Speaker impedance: ") + QString::number(imp_spk, 'g', 6) + ohm);
    ui->label_max_pow->setText(
        QStringLiteral("Speaker program power: ") + QString::number(pow_spk, 'g', 6) + " W");
    ui->label_imp_equiv->setText(
        QStringLiteral("Equivalent impedance: ") + QString::number(imp_equiv, 'g', 2) + ohm);
    ui->label_equiv_pow->setText(
        QStringLiteral("Equivalent program power: ") + QString::number(pow_equiv, 'g', 6) + " W");
    ui->label_prog_power->setText(
        QStringLiteral("Max program voltage: ") + QString::number(max_voltage, 'g', 6) + " V");
    ui->label_amp_gain->setText(
        QStringLiteral("Amplifier gain: ") + QString::number(amp_gain, 'g', 6) + " dB");
}

int MainWindow::findAmplifier(const QString& mode)
{
    return amp_index.find(amp_table, ui->comboBox_amplis->itemText(index_amplis), imp_amp, mode);
}

void MainWindow::updateThreshold()
{
    if (imp_equiv < lowestImpedance) {
        refuse(QStringLiteral("Equivalent impedance is below 4\u03A9!"),
            QStringLiteral("In order to protect the amplifier, we don't recommend this "
                           "configuration"));
        return;
    }

    bool at_max = false;
    const double t = amp_table.at(index_amp_record).threshold(pow_equiv, imp_equiv, at_max);
    // A load that gives no level at all (a negative power in the catalogue)
    // is shown like one below the floor, never as "nan dBu".
    if (t < displayFloor || qIsNaN(t))
        ui->lineaResultado->setText(QStringLiteral("-"));
    else
        ui->lineaResultado->setText(QString::number(t, 'g', 2) + QStringLiteral(" dBu"));
    ui->label_alert_max->setVisible(at_max);
}

// Tells the user why the selection cannot be used, then puts the window back
// to its defaults.
void MainWindow::refuse(const QString& text, const QString& informativeText)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    box.setInformativeText(informativeText);
    box.exec();
    on_pushButton_reset_clicked();
}

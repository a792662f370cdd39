// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appearance.h"
#include "catalogue.h"
#include "configuration.h"
#include "dialog.h"
#include "dialog2.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTimer>

namespace {
const int problemsListed = 20;

// Catalogue text in a box is shown as written, never as markup.
void showPlain(QMessageBox& box)
{
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    box.exec();
}
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    Appearance::sharpen(ui->label, QStringLiteral("banner3.png"));

    catalogue = Catalogue::load();
    cabinet_table = catalogue.cabinets;
    amp_table = catalogue.amplifiers;
    for (const CabinetRecord& cabinet : cabinet_table)
        ui->comboBox_cabinets->addItem(cabinet.name);
    ui->comboBox_amplis->addItems(catalogue.amplifierModels);

    QStringList report;
    for (const CatalogueProblem& problem : catalogue.unusable)
        report.append(problem.listed());
    if (!catalogue.unusable.isEmpty()) {
        catalogue_title = QStringLiteral("Vantor cannot use its catalogue");
        report.append(
            QStringLiteral("Vantor looks for %1 and %2 in %3. Start it in a folder that holds "
                           "them, or name the folder: vantor FOLDER")
                .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName,
                    QDir::toNativeSeparators(catalogue.folder)));
    } else if (!catalogue.problems.isEmpty()) {
        catalogue_title = QStringLiteral("Vantor found problems in its catalogue");
    }
    for (int i = 0; i < catalogue.problems.size() && i < problemsListed; ++i)
        report.append(catalogue.problems.at(i).listed());
    if (catalogue.problems.size() > problemsListed)
        report.append(QStringLiteral("... and %1 more: vantor --check lists them all.")
                          .arg(catalogue.problems.size() - problemsListed));
    catalogue_report = report.join(QLatin1Char('\n'));

    if (catalogue.complete())
        on_pushButton_reset_clicked();
    else
        ui->label_alert_max->hide(); // no results, so nothing is at its maximum
}

MainWindow::~MainWindow() { delete ui; }

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_before)
        return;
    shown_before = true;
    if (!catalogue_title.isEmpty())
        QTimer::singleShot(0, this, &MainWindow::reportCatalogue);
}

void MainWindow::reportCatalogue()
{
    QMessageBox box(this);
    box.setIcon(QMessageBox::Warning);
    box.setText(catalogue_title);
    box.setInformativeText(catalogue_report);
    showPlain(box);
}

void MainWindow::on_comboBox_amplis_activated(int index)
{
    index_amplis = index;
    recalculate();
}

void MainWindow::on_comboBox_cabinets_activated(int index)
{
    index_cabinet = index;
    recalculate();
}

void MainWindow::on_spin_num_cabinets_valueChanged(int arg1)
{
    num_cabinets = arg1;
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

// Puts the first selection back (one cabinet, first entries, ST) and shows it
// as any selection is shown, but a refusal only as "-": never a box.
void MainWindow::on_pushButton_reset_clicked()
{
    {
        const QSignalBlocker blocker(ui->spin_num_cabinets);
        ui->spin_num_cabinets->setValue(1);
    }
    ui->spin_num_cabinets->setEnabled(true);
    ui->comboBox_cabinets->setEnabled(true);
    ui->comboBox_cabinets->setCurrentIndex(0);
    ui->comboBox_mode->setCurrentIndex(0);
    ui->comboBox_amplis->setEnabled(true);
    ui->comboBox_amplis->setCurrentIndex(0);
    num_cabinets = 1;
    index_cabinet = 0;
    index_amplis = 0;
    mode = QStringLiteral("ST");
    display(selection());
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

Configuration MainWindow::selection() const
{
    return Configuration::calculate(
        catalogue, index_cabinet, num_cabinets, ui->comboBox_amplis->itemText(index_amplis), mode);
}

// A refused selection is told in a box; the reset then shows the first one.
void MainWindow::recalculate()
{
    const Configuration configuration = selection();
    if (configuration.refusal != Configuration::Accepted
        && configuration.refusal != Configuration::NoCabinet) {
        QMessageBox box;
        box.setIcon(QMessageBox::Warning);
        box.setText(configuration.warningText());
        box.setInformativeText(configuration.warningDetails());
        showPlain(box);
        on_pushButton_reset_clicked();
        return;
    }
    display(configuration);
}

void MainWindow::display(const Configuration& configuration)
{
    imp_spk = configuration.imp_spk;
    imp_equiv = configuration.imp_equiv;
    imp_amp = configuration.imp_amp;
    pow_spk = configuration.pow_spk;
    pow_equiv = configuration.pow_equiv;
    max_voltage = configuration.max_voltage;
    amp_gain = configuration.amp_gain;
    index_amp_record = configuration.row;

    ui->comboBox_mode->setEnabled(configuration.modeSwitch);
    updateThreshold(configuration);
    const QStringList texts = configuration.labelTexts();
    ui->label_imp->setText(texts.at(0));
    ui->label_max_pow->setText(texts.at(1));
    ui->label_imp_equiv->setText(texts.at(2));
    ui->label_equiv_pow->setText(texts.at(3));
    ui->label_prog_power->setText(texts.at(4));
    ui->label_amp_gain->setText(texts.at(5));
}

void MainWindow::updateThreshold(const Configuration& configuration)
{
    ui->lineaResultado->setText(configuration.thresholdText());
    ui->lineaResultado->setToolTip(configuration.thresholdDetails());
    ui->label_alert_max->setVisible(configuration.at_max);
}

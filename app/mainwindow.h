// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QVector>

namespace Ui {
class MainWindow;
}
class Configuration;
class Dialog2;

// How the pieces fit together: the form (mainwindow.ui, built by setupUi) holds
// every widget and connects the private slots below by object name. The
// constructor reads the catalogue (Catalogue, in data/) into amp_table and
// cabinet_table, lists the models in the two selectors and, when both files
// could be used, resets to the first selection. Each selection slot stores its
// choice and calls recalculate(), which hands the whole selection to
// Configuration::calculate (data/) and shows what comes back: the result
// labels, the threshold and its alert (updateThreshold), or, for a refused
// selection, a warning box and then the reset. The reset shows its own
// selection the same way, with "-" instead of a box. Catalogue problems are
// told once, in a box when the window is first shown. The Help menu opens the
// modal About box (Dialog, built per opening) and modeless User Guide windows
// (Dialog2, children of this window).
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void on_comboBox_amplis_activated(int index);
    void on_comboBox_cabinets_activated(int index);
    void on_spin_num_cabinets_valueChanged(int arg1);
    void on_comboBox_mode_activated(int index);
    void on_pushButton_reset_clicked();
    void on_actionAbout_triggered();
    void on_actionGuide_triggered();

private:
    void recalculate();
    Configuration selection() const;
    void display(const Configuration& configuration);
    void updateThreshold(const Configuration& configuration);
    void reportCatalogue();

    Ui::MainWindow* ui;
    QPointer<Dialog2> guide_dialog; // guides delete themselves when closed
    Catalogue catalogue; // as read, with its problems
    QVector<AmplifierRecord> amp_table;
    QVector<CabinetRecord> cabinet_table;
    double imp_spk = 0.0;
    double imp_equiv = 0.0;
    double imp_amp = 8.0;
    double pow_spk = 0.0;
    double pow_equiv = 0.0;
    double max_voltage = 0.0;
    double amp_gain = 0.0;
    int index_cabinet = 0;
    int index_amp_record = 0;
    int index_amplis = 0;
    int num_cabinets = 1;
    QString mode = QStringLiteral("ST");
    QString catalogue_title; // the box shown at first show, when there is one
    QString catalogue_report;
    bool shown_before = false;
};

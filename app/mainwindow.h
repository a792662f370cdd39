// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "amplifierindex.h"
#include "amplifierrecord.h"
#include "cabinetrecord.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QVector>

namespace Ui {
class MainWindow;
}
class Dialog2;

// How the pieces fit together: the form (mainwindow.ui, built by setupUi) holds
// every widget and connects the private slots below by object name. The
// constructor then reads the catalogue (Catalogue, in data/) into amp_table and
// cabinet_table and lists the models in the two selectors; when both files
// opened it resets the display to its fixed defaults. After that the window only
// reacts: each selection slot stores its choice and calls recalculate(), which
// finds the amplifier row (AmplifierRecord::matches over the model's rows, which
// AmplifierIndex lists), lets updateThreshold() compute the limiter threshold
// (AmplifierRecord::threshold) and rewrites the result labels. A refused configuration shows a warning box and resets; when
// the count was above 1 that reset re-enters the count slot once. The Help menu
// opens the modal About box (Dialog, built and destroyed per opening) and
// modeless User Guide windows (Dialog2, children of this window).
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

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
    int findAmplifier(const QString& mode);
    void updateThreshold();
    void refuse(const QString& text, const QString& informativeText);

    Ui::MainWindow* ui;
    QPointer<Dialog2> guide_dialog; // guides delete themselves when closed
    QVector<AmplifierRecord> amp_table;
    QVector<CabinetRecord> cabinet_table;
    double imp_spk = 8.0;
    double imp_equiv = 8.0;
    double imp_amp = 8.0;
    double pow_spk = 200.0;
    double pow_equiv = 200.0;
    double max_voltage = 42.9;
    double amp_gain = 32.0;
    int index_cabinet = 0;
    int index_amp_record = 0;
    int index_amplis = 0;
    int num_cabinets = 1;
    QString mode;
    AmplifierIndex amp_index; // each model's rows of amp_table, built with it
};

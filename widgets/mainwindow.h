// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "formzoom.h"
#include "mode.h"
#include "place.h"
#include "resultview.h"
#include "statusmessage.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace Ui {
class MainWindow;
}
class Configuration;
class Dialog2;
class QLabel;

// How the pieces fit together: the form (mainwindow.ui, built by setupUi) holds
// every widget, the Catalogue and Help menus, and connects the private slots
// below by object name. load() reads the catalogue of a folder (Catalogue, in
// core/, the window's only copy of it, whose folder is the one Reload, About
// and the save dialogs start from), lists the models in the two selectors
// and, when both files could be used, resets to the first selection;
// otherwise nothing can be picked. The constructor loads the folder named on
// the command line, else the one last opened from the window (QSettings), else
// the working directory; Open Folder… and Reload load again, but a catalogue
// that cannot be used never takes the place of one that is shown. Each selection
// slot stores its choice and calls recalculate(), which hands the whole
// selection to Configuration::calculate (core/) and shows what comes back: the
// result labels, the threshold and its alert (updateThreshold), or, for a
// refused selection, a warning box and then the reset. The reset shows its own
// selection the same way, with "-" instead of a box. Catalogue problems are
// told in a box over the window (ProblemsBox), at first show or after a load;
// the inputs' keys are SelectorKeys', what a screen reader gets of the form
// FormAccessible's, the zoomed form's geometry FormZoom's. Export writes
// the limiter sheet with the command line's own code (Sheet::write). The Help
// menu opens the modal About box (Dialog, built per opening) and modeless User
// Guide windows (Dialog2, children of this window). The View menu zooms the
// whole form (zoomTo), never beyond the screen; the status bar tells what
// the last command did, and the figures of the threshold or the peak
// threshold while the pointer or the focus is on it.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `folder` holds the catalogue and images; without one, the folder last
    // opened from the window when it still holds both catalogue files, else
    // the working directory.
    explicit MainWindow(const QString& folder = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    // Ask for the folder to open and the file to export the sheet to; empty
    // when the user cancels. The desktop's dialogs, unless replaced.
    std::function<QString()> chooseFolder;
    std::function<QString()> chooseSheetFile;

    // The zoom in percent, 100 at Actual Size.
    int zoom() const { return zoom_percent; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void on_comboBox_amplis_activated(int index);
    void on_comboBox_cabinets_activated(int index);
    void on_spin_num_cabinets_valueChanged(int arg1);
    void on_comboBox_mode_activated(int index);
    void on_pushButton_reset_clicked();
    void on_actionAbout_triggered();
    void on_actionGuide_triggered();
    void on_actionOpen_triggered();
    void on_actionReload_triggered();
    void on_actionExport_triggered();
    void on_actionSheet_triggered();
    void on_actionQuit_triggered();
    void on_actionZoomIn_triggered();
    void on_actionZoomOut_triggered();
    void on_actionActualSize_triggered();

private:
    // False, with a box that names each unusable file, when `keep` and the
    // folder's catalogue cannot be used: the window then keeps what it shows.
    bool load(const QString& folder, bool keep = false, bool retitle = true);

    void openFolder(const QString& folder);
    Place place() const;
    void returnTo(const Place& place);
    void select(int cabinet, int count, int amplifier, Mode mode);
    void zoomTo(int percent, bool remember = true);
    void recalculate();
    QString amplifierName() const; // of the model selected
    Configuration selection() const;
    void display(const Configuration& configuration);
    void updateThreshold(const Configuration& configuration);
    void reportCatalogue();

    Ui::MainWindow* ui;
    ResultView view { ui }; // the form as it shows the catalogue and a selection
    QPointer<Dialog2> guide_dialog; // guides delete themselves when closed
    Catalogue catalogue; // as read, with its problems
    // The selection: what the inputs were last set to.
    int index_cabinet = 0;
    int index_amplis = 0;
    int num_cabinets = 1;
    Mode mode = Mode::Stereo; // the selector's, kept for a model without the switch
    // What display() last showed, as the calculation gave it. The window's
    // design names these members; nothing reads them: the labels show the
    // same numbers, and every calculation starts from the selection.
    double imp_spk = 0.0;
    double imp_equiv = 0.0;
    double imp_amp = 8.0;
    double pow_spk = 0.0;
    double pow_equiv = 0.0;
    double max_voltage = 0.0;
    double amp_gain = 0.0;
    int index_amp_record = 0;
    bool shown_before = false;
    StatusMessage status; // what the last command did
    int zoom_percent = 100; // as shown
    int zoom_chosen = 100; // by the user, or from the desktop's font
    FormZoom form_zoom; // each widget's place at Actual Size
};

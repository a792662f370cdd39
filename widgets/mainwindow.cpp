// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appearance.h"
#include "catalogue.h"
#include "cataloguelocation.h"
#include "cataloguereport.h"
#include "configuration.h"
#include "dialog.h"
#include "dialog2.h"
#include "folderdialog.h"
#include "formaccessible.h"
#include "formzoom.h"
#include "limitersheetdialog.h"
#include "problemsbox.h"
#include "resultview.h"
#include "savedialog.h"
#include "savefile.h"
#include "screenfit.h"
#include "selectorkeys.h"
#include "settings.h"
#include "sheet.h"
#include "statusmessage.h"
#include "warningbox.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFontInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWindow>

namespace {
QString doesNotFit(int percent, int shown)
{
    return QStringLiteral("%1 % does not fit on the screen: shown at %2 %").arg(percent).arg(shown);
}

const QString banner = QStringLiteral("banner3.png");
const QString folderKey = QStringLiteral("catalogue/folder");
const QString zoomKey = QStringLiteral("view/zoom");

// The folder last opened from the window, while it holds both catalogue files.
QString rememberedFolder()
{
    const QString folder = Settings::open().value(folderKey).toString();
    return CatalogueLocation::holdsCatalogue(folder) ? folder : QString();
}
}

MainWindow::MainWindow(const QString& folder, QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    Appearance::builtInImages();
    FormAccessible::install();
    ui->setupUi(this);
    auto* keys = new SelectorKeys(this);
    for (QWidget* input :
        std::initializer_list<QWidget*> { ui->spin_num_cabinets, ui->comboBox_cabinets,
            ui->comboBox_amplis, ui->comboBox_mode, ui->lineaResultado, ui->lineaPeak }) {
        input->installEventFilter(this);
        input->installEventFilter(keys);
    }
    chooseFolder = [this] {
        FolderDialog dialog(this, catalogue.folder);
        ScreenFit::fit(&dialog);
        return dialog.exec() == QDialog::Accepted ? dialog.folder : QString();
    };
    chooseSheetFile = [this] {
        return SaveDialog::ask(
            this, QStringLiteral("Export Limiter Sheet"), catalogue.folder, QStringLiteral("csv"));
    };
    for (QComboBox* selector : { ui->comboBox_cabinets, ui->comboBox_amplis, ui->comboBox_mode })
        FormAccessible::follow(selector);
    status.add(this, { ui->lineaResultado, ui->lineaPeak });
    ui->actionZoomIn->setShortcuts(
        { QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+=")) });
    setAcceptDrops(true);
    form_zoom.keep(this, ui->centralWidget, { ui->gridLayout, ui->gridLayout_2 });
    load(folder.isEmpty() ? rememberedFolder() : folder);
    // Until the user chooses a size, the form grows with the desktop's font
    // beyond the 11 points of the usual desktops, in quarter steps.
    const QVariant remembered = Settings::open().value(zoomKey);
    const qreal points = QFontInfo(QApplication::font()).pointSizeF();
    zoomTo(
        remembered.isValid() ? remembered.toInt() : qMax(100, qRound(points / 11 * 4) * 25), false);
}

MainWindow::~MainWindow() { delete ui; }

// Reads the catalogue and images of the folder (the working directory when
// empty) and shows them as at start-up; a folder named also titles the window.
bool MainWindow::load(const QString& folder, bool keep, bool retitle)
{
    Catalogue read = Catalogue::load(folder);
    if (keep && !read.complete()) {
        QMessageBox box(this);
        WarningBox::fill(box, CatalogueReport::notTakenTitle, CatalogueReport::notTaken(read));
        box.exec();
        return false;
    }
    catalogue = std::move(read);
    view.list(catalogue);
    Appearance::picture(ui->label, banner, catalogue.folder, zoom_percent / 100.0);
    ui->actionExport->setEnabled(catalogue.complete());
    ui->actionSheet->setEnabled(catalogue.complete());
    if (catalogue.complete())
        on_pushButton_reset_clicked();
    else
        view.showNothing(this);
    if (retitle && !folder.isEmpty()) {
        const QString name = QDir(catalogue.folder).dirName();
        setWindowTitle(QStringLiteral("%1 \u2014 %2")
                           .arg(name.isEmpty() ? QDir::toNativeSeparators(catalogue.folder) : name,
                               QGuiApplication::applicationDisplayName()));
    }
    if (isVisible())
        reportCatalogue();
    return true;
}

// The catalogue's problems are told once the window is on the screen where
// the window manager placed it, with its frame: the box goes over it.
void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_before)
        return;
    shown_before = true;
    windowHandle()->installEventFilter(this);
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange && status.added()) { // the forms' font changed
        status.refit();
        zoomTo(zoom_chosen, false);
    }
}

// The catalogue's problems are told once the window is exposed; a threshold
// field's figures are in the status bar while the pointer or the focus is on
// it. The inputs' keys are SelectorKeys'.
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Expose:
        if (watched == windowHandle() && windowHandle()->isExposed()) {
            windowHandle()->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                zoomTo(zoom_chosen, false); // now that the frame is known
                reportCatalogue();
            });
        }
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Enter:
    case QEvent::Leave:
        if (status.showsFiguresOf(watched))
            status.figures();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::reportCatalogue()
{
    ProblemsBox::exec(this, CatalogueReport(catalogue));
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
    mode = Mode::fromIndex(index);
    recalculate();
}

// Puts the first selection back (one cabinet, first entries, ST) and shows it
// as any selection is shown, but a refusal only as "-": never a box. With no
// cabinet or no amplifier in the catalogue there is nothing to pick.
void MainWindow::on_pushButton_reset_clicked()
{
    view.enableInputs(!catalogue.cabinets.isEmpty() && !catalogue.amplifiers.isEmpty());
    select(0, 1, 0, Mode::Stereo);
}

// Sets the inputs to the selection, with no pick of the user's, and shows it.
void MainWindow::select(int cabinet, int count, int amplifier, Mode mode)
{
    {
        const QSignalBlocker blocker(ui->spin_num_cabinets);
        ui->spin_num_cabinets->setValue(count);
    }
    ui->comboBox_cabinets->setCurrentIndex(cabinet);
    ui->comboBox_amplis->setCurrentIndex(amplifier);
    ui->comboBox_mode->setCurrentIndex(mode.index());
    index_cabinet = cabinet;
    num_cabinets = count;
    index_amplis = amplifier;
    this->mode = mode;
    display(selection());
}

void MainWindow::on_actionAbout_triggered()
{
    Dialog about(nullptr, catalogue.folder);
    about.setModal(true);
    ScreenFit::fit(&about);
    about.exec();
}

void MainWindow::on_actionGuide_triggered()
{
    guide_dialog = new Dialog2(this);
    guide_dialog->setAttribute(Qt::WA_DeleteOnClose);
    guide_dialog->show();
}

void MainWindow::on_actionOpen_triggered()
{
    const QString folder = chooseFolder();
    if (!folder.isEmpty())
        openFolder(folder);
}

// Opens the folder as start-up does and remembers it, unless its catalogue
// cannot be used; the same catalogue read again keeps the user's place, as
// Reload does.
void MainWindow::openFolder(const QString& folder)
{
    const QString path = QDir::cleanPath(QDir(folder).absolutePath());
    const Place here = place();
    const bool same = catalogue.complete() && path == QDir::cleanPath(catalogue.folder);
    if (!load(folder, true))
        return;
    Settings::open().setValue(folderKey, path);
    if (same)
        returnTo(here);
    status.tell(CatalogueReport(catalogue).summary);
}

void MainWindow::on_actionReload_triggered()
{
    const Place here = place();
    if (!load(catalogue.folder, true, false))
        return;
    returnTo(here);
    status.tell(CatalogueReport(catalogue).summary);
}

Place MainWindow::place() const
{
    Place here;
    if (index_cabinet < 0 || index_cabinet >= catalogue.cabinets.size())
        return here;
    here.cabinet = catalogue.cabinets.at(index_cabinet).name();
    here.count = num_cabinets;
    here.amplifier = amplifierName();
    here.mode = mode;
    return here;
}

// Puts the selection back when the catalogue has its cabinet and amplifier
// and accepts it; otherwise the first selection that load() set stays.
void MainWindow::returnTo(const Place& place)
{
    int cabinet = -1, amplifier = -1;
    if (place.findIn(catalogue, cabinet, amplifier))
        select(cabinet, place.count, amplifier, place.mode);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()
        && !CatalogueLocation::folderOf(urls.first().toLocalFile()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    const QString folder
        = urls.size() == 1 ? CatalogueLocation::folderOf(urls.first().toLocalFile()) : QString();
    if (folder.isEmpty())
        return;
    event->acceptProposedAction();
    // Once the drop has returned: a box about the catalogue must not hold
    // the program the folder was dragged from.
    QTimer::singleShot(0, this, [this, folder] { openFolder(folder); });
}

void MainWindow::on_actionZoomIn_triggered()
{
    // Never smaller: a step that does not fit beyond the size shown is no step.
    const int next = FormZoom::stepIn(zoom_percent);
    if (next != zoom_percent && form_zoom.fitting(next) <= zoom_percent)
        status.tell(doesNotFit(next, zoom_percent), StatusMessage::Zoom);
    else if (next != zoom_percent)
        zoomTo(next);
}

void MainWindow::on_actionZoomOut_triggered()
{
    if (FormZoom::stepOut(zoom_percent) != zoom_percent)
        zoomTo(FormZoom::stepOut(zoom_percent));
}

void MainWindow::on_actionActualSize_triggered() { zoomTo(100); }

// Draws the whole form `percent` times its size, text and banner included,
// as large as fits the screen; remembered, it is the next start's size.
void MainWindow::zoomTo(int percent, bool remember)
{
    percent = qBound(FormZoom::smallest, percent, FormZoom::largest);
    zoom_chosen = percent;
    if (remember)
        Settings::open().setValue(zoomKey, percent);
    const int fitting = form_zoom.fitting(percent);
    if (fitting < percent)
        status.tell(doesNotFit(percent, fitting), StatusMessage::Zoom);
    else
        status.forget(StatusMessage::Zoom);
    const bool changed = fitting != zoom_percent;
    zoom_percent = fitting;
    if (changed || fitting != 100) {
        form_zoom.apply(fitting);
        status.refit();
        if (changed)
            Appearance::picture(ui->label, banner, catalogue.folder, fitting / 100.0);
    }
    const QSize size = form_zoom.windowSize(fitting);
    if (minimumSize() != size || maximumSize() != size)
        setFixedSize(size);
    ui->actionZoomIn->setEnabled(fitting < FormZoom::largest);
    ui->actionZoomOut->setEnabled(fitting > FormZoom::smallest);
}

// The sheet of the whole catalogue, as `vantor --sheet --format csv` writes
// it. The file takes its place only once written whole.
void MainWindow::on_actionExport_triggered()
{
    const QString path = chooseSheetFile();
    if (path.isEmpty())
        return;
    int rows = 0;
    const SaveFile::Result result = CatalogueLocation::isCatalogueFile(catalogue.folder, path)
        ? SaveFile::Result { false, CatalogueLocation::catalogueFileRefused }
        : SaveFile::write(path, [&](QIODevice& file) {
              return Sheet::write(file, catalogue, Sheet::Csv, Sheet::Filter(), &rows);
          });
    if (result.saved)
        return status.saved(path, rows);
    QMessageBox box(this);
    WarningBox::fill(box, QStringLiteral("Vantor could not export the limiter sheet"),
        QDir::toNativeSeparators(path) + QStringLiteral(": ") + result.error);
    box.exec();
}

// The sheet on paper, first of the selection shown.
void MainWindow::on_actionSheet_triggered()
{
    LimiterSheetDialog dialog(catalogue, selection(), this);
    ScreenFit::fit(&dialog);
    connect(&dialog, &LimiterSheetDialog::saved, this,
        [this](const QString& path, int rows) { status.saved(path, rows); });
    dialog.exec();
}

void MainWindow::on_actionQuit_triggered() { close(); }

QString MainWindow::amplifierName() const
{
    return index_amplis >= 0 && index_amplis < catalogue.models.size()
        ? catalogue.models.at(index_amplis).name
        : QString();
}

Configuration MainWindow::selection() const
{
    return Configuration::calculate(
        catalogue, index_cabinet, num_cabinets, amplifierName(), mode);
}

// A refused selection is told in a box; the reset then shows the first one.
void MainWindow::recalculate()
{
    const Configuration configuration = selection();
    if (!configuration.warningText().isEmpty()) {
        display(configuration); // no number beside the refused selection
        QMessageBox box;
        WarningBox::fill(box, configuration.warningText(), configuration.warningDetails());
        box.exec();
        on_pushButton_reset_clicked();
        const Configuration first = selection();
        status.tell(QStringLiteral("Back to the first selection: ") + first.summary(),
            StatusMessage::Selection, true);
        return;
    }
    display(configuration);
}

void MainWindow::display(const Configuration& configuration)
{
    status.forget(StatusMessage::Selection);
    imp_spk = configuration.imp_spk;
    imp_equiv = configuration.imp_equiv;
    imp_amp = configuration.imp_amp;
    pow_spk = configuration.pow_spk;
    pow_equiv = configuration.pow_equiv;
    max_voltage = configuration.max_voltage;
    amp_gain = configuration.amp_gain;
    index_amp_record = configuration.row;
    view.show(configuration);
    if (statusBar()->currentMessage().size())
        status.figures();
}

// The threshold, its tooltip's figures (also in the status bar while they
// show there) and the alert.
void MainWindow::updateThreshold(const Configuration& configuration)
{
    view.showThreshold(configuration);
    if (statusBar()->currentMessage().size())
        status.figures();
}

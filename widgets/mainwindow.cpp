// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appearance.h"
#include "catalogue.h"
#include "configuration.h"
#include "dialog.h"
#include "dialog2.h"
#include "formstyle.h"
#include "limitersheetdialog.h"
#include "sheet.h"
#include "warningbox.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <iterator>

namespace {
const int problemsListed = 20;
const QString banner = QStringLiteral("banner3.png");
const QString folderKey = QStringLiteral("catalogue/folder");
const QString zoomKey = QStringLiteral("view/zoom");
const int zoomSteps[] = { 75, 90, 100, 110, 125, 150, 175, 200 };
const int smallestZoom = 75;
const int largestZoom = 200;
const int designHeight = 437; // of the window at Actual Size, its menu bar included
const int designWidth = 413;
const int designSpacing = 6; // of the form's two grids

QSettings settings() { return QSettings(QStringLiteral("vantor"), QStringLiteral("vantor")); }

// Marks the selector's entry selected in its list, where a screen reader
// looks for it. The list is made only when asked for: it costs start-up time.
void selectCurrent(QComboBox* selector)
{
    selector->view()->selectionModel()->setCurrentIndex(
        selector->model()->index(selector->currentIndex(), selector->modelColumn()),
        QItemSelectionModel::ClearAndSelect);
}

#ifdef Q_OS_UNIX
// Here Qt names a selector by the entry it shows, for a label to name it by
// relation; the window's selectors are named by their accessible names, and
// their entries are their values, as on other systems.
class NamedSelector : public QAccessibleWidget {
public:
    explicit NamedSelector(QComboBox* selector)
        : QAccessibleWidget(selector, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Value || (kind == QAccessible::Name && text.isEmpty())
            ? selector()->currentText()
            : text;
    }
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index != 0)
            return nullptr;
        selectCurrent(selector());
        return QAccessible::queryAccessibleInterface(selector()->view());
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == selector()->view() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QAccessibleWidget::actionNames() << showMenuAction();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            selector()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* selector() const { return static_cast<QComboBox*>(widget()); }
};

#endif

// A label that says what needs the user's attention when it shows: screen
// readers speak an alert as it appears.
class Alert : public QAccessibleWidget {
public:
    explicit Alert(QLabel* label)
        : QAccessibleWidget(label, QAccessible::AlertMessage)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? static_cast<QLabel*>(widget())->text()
                                                           : text;
    }
};

// The form as a screen reader walks it: its separator lines are drawing only.
class Form : public QAccessibleWidget {
public:
    explicit Form(QWidget* form)
        : QAccessibleWidget(form, QAccessible::Client)
    {
    }

    int childCount() const override { return static_cast<int>(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        return QAccessible::queryAccessibleInterface(children().value(index));
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object()->isWidgetType()
            ? static_cast<int>(children().indexOf(static_cast<QWidget*>(child->object())))
            : -1;
    }

private:
    QList<QWidget*> children() const
    {
        QList<QWidget*> shown;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            const auto* frame = qobject_cast<QFrame*>(object);
            if (child && !child->isWindow() && !(frame && frame->frameShape() == QFrame::HLine))
                shown << child;
        }
        return shown;
    }
};

QAccessibleInterface* formAccessibles(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->window()->inherits("MainWindow"))
        return nullptr;
#ifdef Q_OS_UNIX
    auto* selector = qobject_cast<QComboBox*>(object);
    if (className == QLatin1String("QComboBox") && selector && !selector->isEditable())
        return new NamedSelector(selector);
#endif
    const QString name = object->objectName();
    if (className == QLatin1String("QLabel")
        && (name == QLatin1String("label_alert_max") || name == QLatin1String("statusMessage")))
        return new Alert(static_cast<QLabel*>(object));
    if (name == QLatin1String("centralWidget"))
        return new Form(widget);
    return nullptr;
}

// The form's pixels at `percent`.
QRect zoomed(const QRect& rect, int percent)
{
    const auto scale = [percent](int value) { return (value * percent + 50) / 100; };
    return QRect(QPoint(scale(rect.left()), scale(rect.top())),
        QPoint(scale(rect.right() + 1) - 1, scale(rect.bottom() + 1) - 1));
}

// The folder a dropped or chosen path names: the folder itself, or the folder
// of a catalogue file; empty for anything else.
QString catalogueFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return info.absoluteFilePath();
    if (info.isFile()
        && (info.fileName() == Catalogue::cabinetFileName
            || info.fileName() == Catalogue::amplifierFileName))
        return info.absolutePath();
    return QString();
}

// The desktop's folder dialog shows no files; this one lists the catalogue
// files inside each folder, so the user sees which folder holds one, and
// takes either file as its folder.
class FolderDialog : public QFileDialog {
public:
    FolderDialog(QWidget* parent, const QString& current)
        : QFileDialog(parent, QStringLiteral("Open Folder"))
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setFileMode(QFileDialog::Directory);
        setNameFilter(QStringLiteral("Catalogue files (%1 %2)")
                          .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName));
        const QFileInfo folder(current);
        setDirectory(folder.absolutePath());
        selectFile(folder.fileName());
    }

    QString folder;

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (files.size() == 1 && QFileInfo(files.first()).isFile()) {
            folder = catalogueFolder(files.first());
            if (!folder.isEmpty())
                QDialog::accept();
            return;
        }
        QFileDialog::accept();
        if (result() == QDialog::Accepted)
            folder = selectedFiles().value(0);
    }
};

// The folder last opened from the window, while it holds both catalogue files.
QString rememberedFolder()
{
    const QString folder = settings().value(folderKey).toString();
    const QDir dir(folder);
    if (folder.isEmpty() || !QFileInfo(dir.filePath(Catalogue::cabinetFileName)).isFile()
        || !QFileInfo(dir.filePath(Catalogue::amplifierFileName)).isFile())
        return QString();
    return folder;
}

QAbstractButton* detailsButton(const QMessageBox& box)
{
    for (QAbstractButton* button : box.buttons())
        if (box.buttonRole(button) == QMessageBox::ActionRole)
            return button;
    return nullptr;
}

// Shows the box over the window with the lead and as many problems, at most
// 20, as keep it within the screen when its details (all the problems) are
// shown too; then waits for the user.
void tellProblems(
    QMessageBox& box, QWidget* window, const QStringList& lead, const QStringList& problems)
{
    const QString text = box.text();
    const auto list = [&](int listed) {
        QStringList lines = lead + problems.mid(0, listed);
        if (listed < problems.size())
            lines
                << QStringLiteral("... and %1 more in the details.").arg(problems.size() - listed);
        WarningBox::fill(box, text, lines.join(QLatin1Char('\n')));
    };
    int listed = qMin(problemsListed, static_cast<int>(problems.size()));
    list(listed);
    box.setWindowModality(Qt::ApplicationModal);
    box.show();
    const QRect screen = box.windowHandle()->screen()->availableGeometry();
    QAbstractButton* details = detailsButton(box);
    if (details)
        details->click();
    while (listed > 0 && box.frameGeometry().height() > screen.height())
        list(--listed);
    const int tallest = box.frameGeometry().height();
    if (details)
        details->click();
    QRect place = box.frameGeometry();
    place.moveCenter(window->frameGeometry().center());
    place.moveTop(qMax(screen.top(), qMin(place.top(), screen.bottom() + 1 - tallest)));
    place.moveLeft(qMax(screen.left(), qMin(place.left(), screen.right() + 1 - place.width())));
    box.move(place.topLeft());
    box.exec();
}
}

MainWindow::MainWindow(const QString& folder, QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    Appearance::builtInImages();
    QAccessible::installFactory(formAccessibles);
    ui->setupUi(this);
    for (QWidget* input : std::initializer_list<QWidget*> { ui->spin_num_cabinets,
             ui->comboBox_cabinets, ui->comboBox_amplis, ui->comboBox_mode, ui->lineaResultado })
        input->installEventFilter(this);
    chooseFolder = [this] {
        FolderDialog dialog(this, QDir(catalogue_folder).absolutePath());
        return dialog.exec() == QDialog::Accepted ? dialog.folder : QString();
    };
    chooseSheetFile = [this] {
        const QString where = catalogue_folder.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            : catalogue_folder;
        QFileDialog dialog(this, QStringLiteral("Export Limiter Sheet"),
            QDir(where).filePath(QStringLiteral("limiter-sheet.csv")),
            QStringLiteral("CSV files (*.csv)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    // The list's selected entry is the selector's, for a screen reader
    // listening; one that asks for the list later gets it then.
    for (QComboBox* selector : { ui->comboBox_cabinets, ui->comboBox_amplis, ui->comboBox_mode })
        connect(
            selector, QOverload<int>::of(&QComboBox::currentIndexChanged), selector, [selector] {
                if (QAccessible::isActive())
                    selectCurrent(selector);
            });
    ensurePolished(); // the status bar takes its height from the forms' font
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("statusMessage"));
    status->setTextFormat(Qt::PlainText);
    status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(status, 1);
    ui->actionZoomIn->setShortcuts(
        { QKeySequence(QStringLiteral("Ctrl++")), QKeySequence(QStringLiteral("Ctrl+=")) });
    setAcceptDrops(true);
    for (QWidget* widget :
        ui->centralWidget->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        form_geometry.insert(widget, widget->geometry());
    load(folder.isEmpty() ? rememberedFolder() : folder);
    // Until the user chooses a size, the form grows with the desktop's font
    // beyond the 11 points of the usual desktops, in quarter steps.
    const QVariant remembered = settings().value(zoomKey);
    const qreal points = QFontInfo(QApplication::font()).pointSizeF();
    zoomTo(
        remembered.isValid() ? remembered.toInt() : qMax(100, qRound(points / 11 * 4) * 25), false);
}

MainWindow::~MainWindow() { delete ui; }

// Reads the catalogue and images of the folder (the working directory when
// empty) and shows them as at start-up.
bool MainWindow::load(const QString& folder, bool keep)
{
    Catalogue read = Catalogue::load(folder);
    if (keep && !read.complete()) {
        QStringList why;
        for (const CatalogueProblem& problem : read.unusable)
            why << problem.listed();
        why << QStringLiteral("Vantor looks for %1 and %2 in %3 and keeps showing the catalogue "
                              "it has.")
                   .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName,
                       QDir::toNativeSeparators(read.folder));
        QMessageBox box(this);
        WarningBox::fill(
            box, QStringLiteral("Vantor cannot use this catalogue"), why.join(QLatin1Char('\n')));
        box.exec();
        return false;
    }
    catalogue = std::move(read);
    catalogue_folder = folder;
    ui->comboBox_cabinets->clear();
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        ui->comboBox_cabinets->addItem(cabinet.name());
    ui->comboBox_amplis->clear();
    ui->comboBox_amplis->addItems(catalogue.amplifierModels);
    Appearance::picture(ui->label, banner, folder, zoom_percent / 100.0);

    QStringList every;
    for (const CatalogueProblem& problem : catalogue.unusable + catalogue.problems)
        every.append(problem.listed());
    catalogue_details = every.join(QLatin1Char('\n'));
    catalogue_lead = every.mid(0, catalogue.unusable.size());
    catalogue_problems = every.mid(catalogue.unusable.size());
    catalogue_title.clear();
    if (!catalogue.complete()) {
        catalogue_title = QStringLiteral("Vantor cannot use its catalogue");
        catalogue_lead.append(
            QStringLiteral("Vantor looks for %1 and %2 in %3. Open a folder that holds them: "
                           "Catalogue \u2192 Open Folder\u2026")
                .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName,
                    QDir::toNativeSeparators(catalogue.folder)));
    } else if (!catalogue.problems.isEmpty()) {
        catalogue_title = QStringLiteral("Vantor found problems in its catalogue");
    }

    ui->actionExport->setEnabled(catalogue.complete());
    ui->actionSheet->setEnabled(catalogue.complete());
    if (catalogue.complete()) {
        on_pushButton_reset_clicked();
    } else {
        ui->retranslateUi(this); // the form's own texts: no results
        ui->lineaResultado->clear();
        ui->lineaResultado->setToolTip(QString());
        ui->lineaResultado->setAccessibleDescription(QString());
        ui->label_alert_max->hide();
        enableInputs(false);
        ui->comboBox_mode->setEnabled(false);
    }
    if (!folder.isEmpty()) {
        const QString path = QDir(folder).absolutePath();
        const QString name = QDir(path).dirName();
        setWindowTitle(QStringLiteral("%1 \u2014 %2")
                           .arg(name.isEmpty() ? QDir::toNativeSeparators(path) : name,
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
    if (event->type() == QEvent::FontChange && status) { // the forms' font changed
        fitStatusBar();
        zoomTo(zoom_chosen, false);
    }
}

// The menus' keys work in every input: a text field would take Ctrl+E (the end
// of the line) for itself. A selector picks the entry whose name starts with a
// letter typed on it; a letter typed with Alt is a menu's, never a pick (AltGr
// is Ctrl+Alt on some systems and types letters).
//
// Keys that step a closed selector open its list instead: the user moves
// through every entry there, and only the entry picked with Enter counts,
// so an entry that would be refused can be passed.
//
// The threshold's figures are in the status bar while the pointer or the
// focus is on it.
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
        if (watched == ui->lineaResultado)
            tellFigures();
        return QMainWindow::eventFilter(watched, event);
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
        break;
    default:
        return QMainWindow::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    auto* selector = qobject_cast<QComboBox*>(watched);
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<int>(modifiers) | key->key());
        for (const QAction* action : findChildren<QAction*>())
            if (action->isEnabled() && action->shortcuts().contains(pressed))
                return true;
    } else if (selector && modifiers & (Qt::AltModifier | Qt::MetaModifier)
        && !(modifiers & Qt::ControlModifier) && !key->text().isEmpty()
        && key->text().at(0).isPrint()) {
        return true;
    } else if (selector && !(modifiers & ~Qt::KeypadModifier)) {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            selector->showPopup();
            return true;
        default:
            break;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::reportCatalogue()
{
    if (catalogue_title.isEmpty())
        return;
    QMessageBox box(this);
    WarningBox::fill(box, catalogue_title, QString());
    box.setDetailedText(catalogue_details);
    tellProblems(box, this, catalogue_lead, catalogue_problems);
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
    {
        const QSignalBlocker blocker(ui->spin_num_cabinets);
        ui->spin_num_cabinets->setValue(1);
    }
    enableInputs(!catalogue.cabinets.isEmpty() && !catalogue.amplifiers.isEmpty());
    ui->comboBox_cabinets->setCurrentIndex(0);
    ui->comboBox_mode->setCurrentIndex(0);
    ui->comboBox_amplis->setCurrentIndex(0);
    num_cabinets = 1;
    index_cabinet = 0;
    index_amplis = 0;
    mode = Mode::Stereo;
    display(selection());
}

void MainWindow::enableInputs(bool enabled)
{
    for (QWidget* input : std::initializer_list<QWidget*> { ui->spin_num_cabinets,
             ui->comboBox_cabinets, ui->comboBox_amplis, ui->pushButton_reset })
        input->setEnabled(enabled);
}

void MainWindow::on_actionAbout_triggered()
{
    Dialog about(nullptr, catalogue_folder);
    about.setModal(true);
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
    settings().setValue(folderKey, path);
    if (same)
        returnTo(here);
    tellRead();
}

void MainWindow::on_actionReload_triggered()
{
    const Place here = place();
    if (!load(catalogue_folder, true))
        return;
    returnTo(here);
    tellRead();
}

MainWindow::Place MainWindow::place() const
{
    Place here;
    if (index_cabinet < 0 || index_cabinet >= catalogue.cabinets.size())
        return here;
    here.cabinet = catalogue.cabinets.at(index_cabinet).name();
    here.count = num_cabinets;
    here.amplifier = ui->comboBox_amplis->itemText(index_amplis);
    here.mode = mode;
    return here;
}

// Puts the selection back when the catalogue has its cabinet and amplifier
// and accepts it; otherwise the first selection that load() set stays.
void MainWindow::returnTo(const Place& place)
{
    int cabinet = -1;
    for (int i = 0; cabinet < 0 && i < catalogue.cabinets.size(); ++i)
        if (catalogue.cabinets.at(i).name() == place.cabinet)
            cabinet = i;
    const int amplifier = static_cast<int>(catalogue.amplifierModels.indexOf(place.amplifier));
    if (!catalogue.complete() || cabinet < 0 || amplifier < 0
        || !Configuration::calculate(catalogue, cabinet, place.count, place.amplifier, place.mode)
                .warningText()
                .isEmpty())
        return;
    {
        const QSignalBlocker blocker(ui->spin_num_cabinets);
        ui->spin_num_cabinets->setValue(place.count);
    }
    ui->comboBox_cabinets->setCurrentIndex(cabinet);
    ui->comboBox_amplis->setCurrentIndex(amplifier);
    ui->comboBox_mode->setCurrentIndex(place.mode.index());
    index_cabinet = cabinet;
    num_cabinets = place.count;
    index_amplis = amplifier;
    mode = place.mode;
    display(selection());
}

void MainWindow::tellRead()
{
    const int found = static_cast<int>(catalogue.unusable.size() + catalogue.problems.size());
    tell(QStringLiteral("Read %1 and %2: %3")
             .arg(Catalogue::cabinetFileName, Catalogue::amplifierFileName,
                 found == 0       ? QStringLiteral("no problems")
                     : found == 1 ? QStringLiteral("1 problem")
                                  : QStringLiteral("%1 problems").arg(found)));
}

void MainWindow::tellSaved(const QString& path, int rows)
{
    tell(QStringLiteral("Saved %1: %2")
             .arg(QFileInfo(path).fileName(),
                 rows == 1 ? QStringLiteral("1 row") : QStringLiteral("%1 rows").arg(rows)));
}

// Shows the text in the status bar; announced, a screen reader speaks it.
void MainWindow::tell(const QString& text, bool announce)
{
    status->setText(text);
    if (announce) { // as an alert that appears
        QAccessibleEvent shown(status, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }
}

void MainWindow::tellFigures()
{
    if (ui->lineaResultado->hasFocus() || ui->lineaResultado->underMouse())
        statusBar()->showMessage(ui->lineaResultado->toolTip());
    else
        statusBar()->clearMessage();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()
        && !catalogueFolder(urls.first().toLocalFile()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    const QString folder
        = urls.size() == 1 ? catalogueFolder(urls.first().toLocalFile()) : QString();
    if (folder.isEmpty())
        return;
    event->acceptProposedAction();
    openFolder(folder);
}

void MainWindow::on_actionZoomIn_triggered()
{
    for (const int step : zoomSteps)
        if (step > zoom_percent)
            return zoomTo(step);
}

void MainWindow::on_actionZoomOut_triggered()
{
    for (auto step = std::rbegin(zoomSteps); step != std::rend(zoomSteps); ++step)
        if (*step < zoom_percent)
            return zoomTo(*step);
}

void MainWindow::on_actionActualSize_triggered() { zoomTo(100); }

// The window's size at `percent`: the form scaled, the menu bar and the
// status bar as the desktop draws them.
QSize MainWindow::windowSize(int percent) const
{
    const int menu = menuBar()->sizeHint().height();
    return QSize((designWidth * percent + 50) / 100,
        menu + ((designHeight - menu) * percent + 50) / 100 + statusBar()->sizeHint().height());
}

// The largest zoom up to `percent` at which the window and its frame fit
// the screen's room, not below the smallest.
int MainWindow::fittingZoom(int percent) const
{
    const QRect room = screen()->availableGeometry();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize frameSize(frame.left() + frame.right(), frame.top() + frame.bottom());
    while (percent > smallestZoom) {
        const QSize size = windowSize(percent) + frameSize;
        if (size.width() <= room.width() && size.height() <= room.height())
            break;
        --percent;
    }
    return percent;
}

// The status bar takes its height from its font when its label is added.
void MainWindow::fitStatusBar()
{
    statusBar()->removeWidget(status);
    statusBar()->addWidget(status, 1);
    status->show();
}

// Draws the whole form `percent` times its size, text and banner included,
// as large as fits the screen; remembered, it is the next start's size.
void MainWindow::zoomTo(int percent, bool remember)
{
    percent = qBound(smallestZoom, percent, largestZoom);
    zoom_chosen = percent;
    if (remember)
        settings().setValue(zoomKey, percent);
    const int fitting = fittingZoom(percent);
    if (fitting < percent)
        tell(QStringLiteral("%1 % does not fit on the screen: shown at %2 %")
                 .arg(percent)
                 .arg(fitting));
    const bool changed = fitting != zoom_percent;
    zoom_percent = fitting;
    if (changed || fitting != 100) {
        const QFont font = fitting == 100 ? QFont() : FormStyle::formFont(fitting / 100.0);
        ui->centralWidget->setFont(font);
        statusBar()->setFont(font);
        fitStatusBar();
        for (auto it = form_geometry.cbegin(); it != form_geometry.cend(); ++it)
            it.key()->setGeometry(zoomed(it.value(), fitting));
        for (QGridLayout* grid : { ui->gridLayout, ui->gridLayout_2 })
            grid->setSpacing((designSpacing * fitting + 50) / 100);
        if (changed)
            Appearance::picture(ui->label, banner, catalogue_folder, fitting / 100.0);
    }
    const QSize size = windowSize(fitting);
    if (minimumSize() != size || maximumSize() != size)
        setFixedSize(size);
    ui->actionZoomIn->setEnabled(fitting < largestZoom);
    ui->actionZoomOut->setEnabled(fitting > smallestZoom);
}

// The sheet of the whole catalogue, as `vantor --sheet --format csv` writes
// it. The file takes its place only once written whole.
void MainWindow::on_actionExport_triggered()
{
    const QString path = chooseSheetFile();
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    int rows = 0;
    if (file.open(QIODevice::WriteOnly)
        && Sheet::write(file, catalogue, Sheet::Csv, Sheet::Filter(), &rows) && file.commit())
        return tellSaved(path, rows);
    QMessageBox box(this);
    WarningBox::fill(box, QStringLiteral("Vantor could not export the limiter sheet"),
        QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    box.exec();
}

// The sheet on paper, first of the selection shown.
void MainWindow::on_actionSheet_triggered()
{
    LimiterSheetDialog dialog(catalogue, selection(), this);
    connect(&dialog, &LimiterSheetDialog::saved, this, &MainWindow::tellSaved);
    dialog.exec();
}

void MainWindow::on_actionQuit_triggered() { close(); }

Configuration MainWindow::selection() const
{
    return Configuration::calculate(
        catalogue, index_cabinet, num_cabinets, ui->comboBox_amplis->itemText(index_amplis), mode);
}

// A refused selection is told in a box; the reset then shows the first one.
void MainWindow::recalculate()
{
    const Configuration configuration = selection();
    if (!configuration.warningText().isEmpty()) {
        QMessageBox box;
        WarningBox::fill(box, configuration.warningText(), configuration.warningDetails());
        box.exec();
        on_pushButton_reset_clicked();
        const Configuration first = selection();
        QString told = QStringLiteral("%1 \u00d7 %2 on %3")
                           .arg(first.count)
                           .arg(first.cabinetName, first.amplifier);
        if (first.mode.hasSwitch())
            told += QStringLiteral(", ") + ui->comboBox_mode->currentText();
        tell(QStringLiteral("Back to the first selection: %1: %2").arg(told, first.thresholdText()),
            true);
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

    ui->comboBox_mode->setEnabled(configuration.mode.hasSwitch() && ui->comboBox_amplis->isEnabled());
    updateThreshold(configuration);
    const QStringList texts = configuration.labelTexts();
    ui->label_imp->setText(texts.at(0));
    ui->label_max_pow->setText(texts.at(1));
    ui->label_imp_equiv->setText(texts.at(2));
    ui->label_equiv_pow->setText(texts.at(3));
    ui->label_prog_power->setText(texts.at(4));
    ui->label_amp_gain->setText(texts.at(5));
}

// The tooltip's dBV, volts and output, or why the threshold shows "-", are
// read out with the threshold too.
void MainWindow::updateThreshold(const Configuration& configuration)
{
    ui->lineaResultado->setText(configuration.thresholdText());
    ui->lineaResultado->setToolTip(configuration.thresholdDetails());
    // The result labels too: a screen reader's user reaches them here.
    QStringList described = configuration.labelTexts();
    if (!configuration.thresholdDetails().isEmpty())
        described.prepend(configuration.thresholdDetails());
    ui->lineaResultado->setAccessibleDescription(described.join(QStringLiteral("; ")));
    ui->label_alert_max->setVisible(configuration.at_max);
    if (statusBar()->currentMessage().size())
        tellFigures();
}

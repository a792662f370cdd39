// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appearance.h"
#include "catalogue.h"
#include "configuration.h"
#include "dialog.h"
#include "dialog2.h"
#include "limitersheetdialog.h"
#include "sheet.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

namespace {
const int problemsListed = 20;
const QString banner = QStringLiteral("banner3.png");
const QString folderKey = QStringLiteral("catalogue/folder");

QSettings settings() { return QSettings(QStringLiteral("vantor"), QStringLiteral("vantor")); }

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
        return index == 0 ? QAccessible::queryAccessibleInterface(selector()->view()) : nullptr;
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

QAccessibleInterface* nameSelectors(const QString& className, QObject* object)
{
    auto* selector = qobject_cast<QComboBox*>(object);
    if (className == QLatin1String("QComboBox") && selector && !selector->isEditable()
        && selector->window()->inherits("MainWindow"))
        return new NamedSelector(selector);
    return nullptr;
}
#endif

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

// A warning titled with the program's name. Whatever it says, catalogue names
// included, shows as plain text, never as markup or a link.
void warn(QMessageBox& box, const QString& text, const QString& informative)
{
    box.setIcon(QMessageBox::Warning);
    box.setWindowTitle(QGuiApplication::applicationDisplayName());
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    box.setInformativeText(informative);
    for (QLabel* label : box.findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
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
        warn(box, text, lines.join(QLatin1Char('\n')));
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
#ifdef Q_OS_UNIX
    QAccessible::installFactory(nameSelectors);
#endif
    ui->setupUi(this);
    for (QWidget* input : std::initializer_list<QWidget*> { ui->spin_num_cabinets,
             ui->comboBox_cabinets, ui->comboBox_amplis, ui->comboBox_mode, ui->lineaResultado })
        input->installEventFilter(this);
    chooseFolder = [this] {
        return QFileDialog::getExistingDirectory(
            this, QStringLiteral("Open Folder"), QDir(catalogue_folder).absolutePath());
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
    load(folder.isEmpty() ? rememberedFolder() : folder);
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
        warn(box, QStringLiteral("Vantor cannot use this catalogue"), why.join(QLatin1Char('\n')));
        box.exec();
        return false;
    }
    catalogue = std::move(read);
    catalogue_folder = folder;
    ui->comboBox_cabinets->clear();
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        ui->comboBox_cabinets->addItem(cabinet.name);
    ui->comboBox_amplis->clear();
    ui->comboBox_amplis->addItems(catalogue.amplifierModels);
    Appearance::picture(ui->label, banner, folder);

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

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_before)
        return;
    shown_before = true;
    QTimer::singleShot(0, this, &MainWindow::reportCatalogue);
}

// The menus' keys work in every input: a text field would take Ctrl+E (the end
// of the line) for itself. A selector picks the entry whose name starts with a
// letter typed on it; a letter typed with Alt is a menu's, never a pick (AltGr
// is Ctrl+Alt on some systems and types letters).
bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers();
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<int>(modifiers) | key->key());
        for (const QAction* action : findChildren<QAction*>())
            if (action->isEnabled() && action->shortcut() == pressed)
                return true;
    } else if (qobject_cast<QComboBox*>(watched) && modifiers & (Qt::AltModifier | Qt::MetaModifier)
        && !(modifiers & Qt::ControlModifier) && !key->text().isEmpty()
        && key->text().at(0).isPrint()) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::reportCatalogue()
{
    if (catalogue_title.isEmpty())
        return;
    QMessageBox box(this);
    warn(box, catalogue_title, QString());
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
    if (index == 0)
        mode = QStringLiteral("ST");
    else if (index == 1)
        mode = QStringLiteral("BTL");
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
    mode = QStringLiteral("ST");
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
    if (!folder.isEmpty() && load(folder, true))
        settings().setValue(folderKey, QDir(folder).absolutePath());
}

void MainWindow::on_actionReload_triggered() { load(catalogue_folder, true); }

// The sheet of the whole catalogue, as `vantor --sheet --format csv` writes
// it. The file takes its place only once written whole.
void MainWindow::on_actionExport_triggered()
{
    const QString path = chooseSheetFile();
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && Sheet::write(file, catalogue, Sheet::Csv)
        && file.commit())
        return;
    QMessageBox box(this);
    warn(box, QStringLiteral("Vantor could not export the limiter sheet"),
        QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    box.exec();
}

// The sheet on paper, first of the selection shown.
void MainWindow::on_actionSheet_triggered()
{
    LimiterSheetDialog dialog(catalogue, selection(), this);
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
        warn(box, configuration.warningText(), configuration.warningDetails());
        box.exec();
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

    ui->comboBox_mode->setEnabled(configuration.modeSwitch && ui->comboBox_amplis->isEnabled());
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
    ui->lineaResultado->setAccessibleDescription(configuration.thresholdDetails());
    ui->label_alert_max->setVisible(configuration.at_max);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "limitersheetdialog.h"
#include "ui_limitersheetdialog.h"

#include "cataloguelocation.h"
#include "configuration.h"
#include "plaintext.h"
#include "savedialog.h"
#include "savefile.h"
#include "screenfit.h"
#include "settings.h"
#include "sheetpages.h"
#include "warningbox.h"

#include <QDir>
#include <QMessageBox>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSet>
#include <QSettings>
#include <QSignalBlocker>

namespace {
const int modeRole = Qt::UserRole + 1; // of an amplifier entry: its mode's key, or none
const QString choicesKey = QStringLiteral("limiter-sheets");
const int foldersRemembered = 20;

QListWidgetItem* entry(QListWidget* list, const QString& text, const QVariant& value)
{
    auto* item = new QListWidgetItem(text, list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(Qt::UserRole, value);
    return item;
}

template <typename Visit> void forChecked(const QListWidget* list, Visit visit)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->checkState() == Qt::Checked)
            visit(list->item(row));
}

// Checks the entries `takes` says; whether it checked any.
template <typename Takes> bool checkWhere(QListWidget* list, Takes takes)
{
    bool any = false;
    for (int row = 0; row < list->count(); ++row) {
        const bool checked = takes(list->item(row));
        list->item(row)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
        any |= checked;
    }
    return any;
}
}

LimiterSheetDialog::LimiterSheetDialog(
    const Catalogue& catalogue, const Configuration& selection, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::LimiterSheetDialog)
    , catalogue(catalogue)
{
    ui->setupUi(this);
    previewButton = ui->buttons->addButton(
        QStringLiteral("Print Pre&view\u2026"), QDialogButtonBox::ActionRole);
    previewButton->setObjectName(QStringLiteral("button_preview"));
    saveButton = ui->buttons->addButton(
        QStringLiteral("&Save as PDF\u2026"), QDialogButtonBox::ActionRole);
    saveButton->setObjectName(QStringLiteral("button_save"));
    connect(previewButton, &QPushButton::clicked, this, &LimiterSheetDialog::preview);
    connect(saveButton, &QPushButton::clicked, this, &LimiterSheetDialog::savePdf);

    QSet<QString> names;
    for (const CabinetRecord& cabinet : catalogue.cabinets)
        if (!names.contains(cabinet.name())) {
            names.insert(cabinet.name());
            entry(ui->list_cabinets, PlainText::escaped(cabinet.name()), cabinet.name());
        }
    for (int count = 1; count <= 4; ++count)
        entry(ui->list_counts, QString::number(count), count);
    // A model without the mode switch is one entry; one with it, one per mode.
    for (const Catalogue::Model& model : catalogue.models) {
        if (!model.modeSwitch) {
            entry(ui->list_amplifiers, PlainText::escaped(model.name), model.name);
            continue;
        }
        for (const Mode mode : Mode::switched())
            entry(ui->list_amplifiers, PlainText::escaped(model.name) + QStringLiteral(" \u2014 ") + mode.text(),
                model.name)
                ->setData(modeRole, mode.key());
    }

    choosePdfFile = [this] {
        return SaveDialog::ask(this, QStringLiteral("Save Limiter Sheet as PDF"),
            this->catalogue.folder, QStringLiteral("pdf"));
    };

    if (!recall())
        check(selection);
    for (QListWidget* list : { ui->list_cabinets, ui->list_counts, ui->list_amplifiers })
        connect(list, &QListWidget::itemChanged, this, &LimiterSheetDialog::update);
    update();
}

LimiterSheetDialog::~LimiterSheetDialog() { delete ui; }

// The window's selection: its cabinet model, count, and amplifier model in its
// mode (the model alone when it has no switch).
void LimiterSheetDialog::check(const Configuration& selection)
{
    checkWhere(ui->list_cabinets,
        [&](QListWidgetItem* item) { return item->data(Qt::UserRole) == selection.cabinetName; });
    checkWhere(ui->list_counts,
        [&](QListWidgetItem* item) { return item->data(Qt::UserRole) == selection.count; });
    const auto model
        = [&](QListWidgetItem* item) { return item->data(Qt::UserRole) == selection.amplifier; };
    if (!checkWhere(ui->list_amplifiers, [&](QListWidgetItem* item) {
            const QString mode = item->data(modeRole).toString();
            return model(item) && (mode.isEmpty() || mode == selection.mode.key());
        }))
        checkWhere(ui->list_amplifiers, model);
}

Sheet::Filter LimiterSheetDialog::filter() const
{
    Sheet::Filter filter;
    forChecked(ui->list_cabinets,
        [&](QListWidgetItem* item) { filter.cabinets << item->data(Qt::UserRole).toString(); });
    forChecked(ui->list_counts,
        [&](QListWidgetItem* item) { filter.counts << item->data(Qt::UserRole).toInt(); });
    QHash<QString, QVector<Mode>> modes;
    forChecked(ui->list_amplifiers, [&](QListWidgetItem* item) {
        const QString model = item->data(Qt::UserRole).toString();
        if (filter.amplifiers.isEmpty() || filter.amplifiers.last() != model)
            filter.amplifiers << model;
        if (const auto mode = Mode::parse(item->data(modeRole).toString()))
            modes[model] << *mode;
    });
    for (auto model = modes.cbegin(); model != modes.cend(); ++model)
        if (model.value().size() == 1)
            filter.modes.insert(model.key(), model.value());
    return filter;
}

bool LimiterSheetDialog::chosen() const
{
    const Sheet::Filter chosen = filter();
    return !chosen.cabinets.isEmpty() && !chosen.counts.isEmpty() && !chosen.amplifiers.isEmpty();
}

// A count that gives no threshold with any cabinet and amplifier checked says why.
void LimiterSheetDialog::update()
{
    const Sheet::Filter chosen = filter();
    const bool some = this->chosen();
    previewButton->setEnabled(some);
    saveButton->setEnabled(some);
    const QSignalBlocker blocker(ui->list_counts);
    for (int row = 0; row < ui->list_counts->count(); ++row) {
        QListWidgetItem* item = ui->list_counts->item(row);
        const int count = item->data(Qt::UserRole).toInt();
        QString reason;
        if (!chosen.cabinets.isEmpty() && !chosen.amplifiers.isEmpty()) {
            Sheet::Filter one = chosen;
            one.counts = { count };
            bool accepted = false;
            Sheet::forEach(catalogue, one, [&](const Configuration& c) {
                accepted = c.accepted();
                if (reason.isEmpty())
                    reason = c.reason();
                return !accepted;
            });
            if (accepted)
                reason.clear();
            else if (reason.isEmpty())
                reason = QStringLiteral("no threshold");
        }
        item->setText(reason.isEmpty()
                ? QString::number(count)
                : QStringLiteral("%1 \u2014 refused: %2").arg(count).arg(reason));
        item->setToolTip(reason.isEmpty()
                ? QString()
                : QStringLiteral("Refused with every cabinet and amplifier checked"));
    }
}

void LimiterSheetDialog::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Limiter Sheet"));
    ScreenFit::fit(&dialog);
    const Sheet::Filter chosen = filter();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* target) {
        QPainter painter;
        if (painter.begin(target))
            SheetPages(catalogue, chosen).paint(painter, *target);
    });
    dialog.exec();
}

// Written through a temporary file: an earlier file is replaced only once the
// new one is whole.
void LimiterSheetDialog::savePdf()
{
    const QString path = choosePdfFile();
    if (path.isEmpty())
        return;
    SheetPages pages(catalogue, filter());
    const SaveFile::Result result = CatalogueLocation::isCatalogueFile(catalogue.folder, path)
        ? SaveFile::Result { false, CatalogueLocation::catalogueFileRefused }
        : SaveFile::write(path, [&](QIODevice& file) { return pages.writePdf(file); });
    if (result.saved) {
        emit saved(path, pages.rows());
        return;
    }
    QMessageBox box(this);
    WarningBox::fill(box, QStringLiteral("Vantor could not save the limiter sheet"),
        QDir::toNativeSeparators(path) + QStringLiteral(": ") + result.error);
    box.exec();
}

void LimiterSheetDialog::done(int result)
{
    remember();
    QDialog::done(result);
}

// The choice last made for this catalogue folder, where its names are still
// in the catalogue; false, with nothing checked, when there is none.
bool LimiterSheetDialog::recall()
{
    QSettings store = Settings::open();
    const int size = store.beginReadArray(choicesKey);
    for (int i = 0; i < size; ++i) {
        store.setArrayIndex(i);
        if (store.value(QStringLiteral("folder")).toString() != catalogue.folder)
            continue;
        const auto remembered = [&](const char* key) {
            const QStringList list = store.value(QLatin1String(key)).toStringList();
            return QSet<QString>(list.cbegin(), list.cend());
        };
        const QSet<QString> cabinets = remembered("cabinets"), counts = remembered("counts");
        const QStringList models = store.value(QStringLiteral("amplifiers")).toStringList();
        const QStringList modes = store.value(QStringLiteral("modes")).toStringList();
        QSet<QPair<QString, QString>> amplifiers;
        for (int at = 0; at < models.size(); ++at)
            amplifiers.insert({ models.at(at), modes.value(at) });
        const auto value = [](QListWidgetItem* item, int role = Qt::UserRole) {
            return item->data(role).toString();
        };
        bool found = checkWhere(ui->list_cabinets,
            [&](QListWidgetItem* item) { return cabinets.contains(value(item)); });
        found &= checkWhere(
            ui->list_counts, [&](QListWidgetItem* item) { return counts.contains(value(item)); });
        found &= checkWhere(ui->list_amplifiers, [&](QListWidgetItem* item) {
            return amplifiers.contains({ value(item), value(item, modeRole) });
        });
        if (found)
            return true;
        for (QListWidget* list : { ui->list_cabinets, ui->list_counts, ui->list_amplifiers })
            checkWhere(list, [](QListWidgetItem*) { return false; });
        return false;
    }
    return false;
}

// Remembered first among the folders' choices, the oldest beyond 20 forgotten.
void LimiterSheetDialog::remember() const
{
    QVariantMap choice;
    choice.insert(QStringLiteral("folder"), catalogue.folder);
    QStringList cabinets, counts, models, modes;
    forChecked(ui->list_cabinets,
        [&](QListWidgetItem* item) { cabinets << item->data(Qt::UserRole).toString(); });
    forChecked(ui->list_counts,
        [&](QListWidgetItem* item) { counts << item->data(Qt::UserRole).toString(); });
    forChecked(ui->list_amplifiers, [&](QListWidgetItem* item) {
        models << item->data(Qt::UserRole).toString();
        modes << item->data(modeRole).toString();
    });
    choice.insert(QStringLiteral("cabinets"), cabinets);
    choice.insert(QStringLiteral("counts"), counts);
    choice.insert(QStringLiteral("amplifiers"), models);
    choice.insert(QStringLiteral("modes"), modes);

    QSettings store = Settings::open();
    QVector<QVariantMap> choices { choice };
    const int size = store.beginReadArray(choicesKey);
    for (int i = 0; i < size && choices.size() < foldersRemembered; ++i) {
        store.setArrayIndex(i);
        if (store.value(QStringLiteral("folder")).toString() == catalogue.folder)
            continue;
        QVariantMap other;
        for (const QString& key : store.childKeys())
            other.insert(key, store.value(key));
        choices.append(other);
    }
    store.endArray();
    store.remove(choicesKey);
    store.beginWriteArray(choicesKey, choices.size());
    for (int i = 0; i < choices.size(); ++i) {
        store.setArrayIndex(i);
        for (auto value = choices.at(i).cbegin(); value != choices.at(i).cend(); ++value)
            store.setValue(value.key(), value.value());
    }
    store.endArray();
}

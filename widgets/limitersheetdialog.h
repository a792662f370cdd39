// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "sheet.h"

#include <QDialog>
#include <QString>

#include <functional>

namespace Ui {
class LimiterSheetDialog;
}
class Configuration;
class QListWidget;

// Catalogue > Limiter Sheet…: the user checks the cabinet models, the counts
// and the amplifier models (each mode of a model with the switch) the sheet is
// to hold, and previews and prints it or saves it as PDF (SheetPages). The
// lists are first set to the window's selection, or to the choice last made
// for the same catalogue folder, which is remembered when the dialog closes.
// A count that gives no threshold with any cabinet and amplifier checked says
// so beside it.
class LimiterSheetDialog : public QDialog {
    Q_OBJECT

public:
    LimiterSheetDialog(
        const Catalogue& catalogue, const Configuration& selection, QWidget* parent = nullptr);
    ~LimiterSheetDialog() override;

    // The choice as the sheet's filter. A list with nothing checked leaves its
    // part empty, which the filter takes for every entry: see chosen().
    Sheet::Filter filter() const;
    // Whether each list has something checked: a sheet to make.
    bool chosen() const;

    // Asks for the PDF file to save; empty when the user cancels. The
    // desktop's dialog, unless replaced.
    std::function<QString()> choosePdfFile;

    void done(int result) override;

signals:
    // A PDF was written whole, with that many rows.
    void saved(const QString& path, int rows);

private slots:
    void preview();
    void savePdf();
    void update();

private:
    void check(const Configuration& selection);
    bool recall();
    void remember() const;

    Ui::LimiterSheetDialog* ui;
    const Catalogue& catalogue;
    QPushButton* previewButton;
    QPushButton* saveButton;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class Catalogue;
class Configuration;
class QMainWindow;
namespace Ui {
class MainWindow;
}

// The main window's form as it shows a catalogue and one selection: the
// selectors' entries, the six result labels, the threshold field (its tooltip,
// and what a screen reader is told with it) and the at-maximum alert, the peak
// threshold field and its alert, and the attack and release.
class ResultView {
public:
    explicit ResultView(Ui::MainWindow* form)
        : ui(form)
    {
    }

    // The selectors' entries: each cabinet line, each model once, invisible
    // characters of a name shown as on the terminal, so that no two entries
    // look alike.
    void list(const Catalogue& catalogue) const;
    // The labels and the threshold; the mode selector only for a model with
    // the switch.
    void show(const Configuration& configuration) const;
    // The threshold field and the alert, then the rest of the limiter set;
    // the result labels go into what a screen reader is told of the field, as
    // its tooltip's figures do.
    void showThreshold(const Configuration& configuration) const;
    // Without a catalogue: the form's own texts, no result, nothing to pick.
    void showNothing(QMainWindow* window) const;
    void enableInputs(bool enabled) const;

private:
    void showLimiterSet(const Configuration& configuration) const;
    static QString timesHeard(const Configuration& configuration);

    Ui::MainWindow* ui;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QMainWindow;

// The status bar of the main window: what the last command did, in a label
// (statusMessage) that a screen reader can be told of as an alert, and over
// it the threshold's figures while the pointer or the focus is on the field.
class StatusMessage {
public:
    // Adds the label to the window's status bar, in the forms' font.
    void add(QMainWindow* window);
    bool added() const { return label != nullptr; }
    // The status bar takes its height from its font when its label is added.
    void refit();

    // Shows the text; announced, a screen reader speaks it.
    void tell(const QString& text, bool announce = false);
    // "Saved FILE: N rows".
    void saved(const QString& path, int rows);
    // The field's tooltip while it has the focus or the pointer, else nothing
    // over the message.
    void figures(const QLineEdit* threshold);

private:
    QMainWindow* window = nullptr;
    QLabel* label = nullptr;
};

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QLabel;
class QLineEdit;
class QMainWindow;
class QObject;

// The status bar of the main window: what the last command did, in a label
// (statusMessage) that a screen reader can be told of as an alert, and over
// it the figures of a result field (the threshold, the peak threshold) while
// the pointer or the focus is on it.
class StatusMessage {
public:
    // What a message is about: one about the selection or the zoom goes when
    // the selection changes or the window fits again.
    enum About { Command, Selection, Zoom };

    // Adds the label to the window's status bar, in the forms' font; the
    // figures shown are those of `fields`.
    void add(QMainWindow* window, const QList<const QLineEdit*>& fields);
    bool showsFiguresOf(const QObject* object) const;
    bool added() const { return label != nullptr; }
    // The status bar takes its height from its font when its label is added.
    void refit();

    // Shows the text, over the threshold's figures; announced, a screen
    // reader speaks it.
    void tell(const QString& text, About about = Command, bool announce = false);
    // Clears the message when it is about that.
    void forget(About about);
    // "Saved FILE: N rows".
    void saved(const QString& path, int rows);
    // The first line of the tooltip of the field under the pointer, else of
    // the one with the focus, else nothing over the message.
    void figures();

private:
    QMainWindow* window = nullptr;
    QLabel* label = nullptr;
    QList<const QLineEdit*> fields;
    About shown = Command;
};

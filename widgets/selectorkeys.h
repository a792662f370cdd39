// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

// The keys of the window's inputs. The menus' keys work in every input: a
// text field would take Ctrl+E (the end of the line) for itself. A selector
// picks the entry whose name starts with a letter typed on it; a letter typed
// with Alt is a menu's, never a pick (AltGr is Ctrl+Alt on some systems and
// types letters). Keys that step a closed selector open its list instead:
// the user moves through every entry there, and only the entry picked with
// Enter counts, so an entry that would be refused can be passed.
class SelectorKeys : public QObject {
public:
    // For the inputs of `window`, whose actions' shortcuts win.
    explicit SelectorKeys(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window;
};

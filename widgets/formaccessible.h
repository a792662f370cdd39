// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;

// What a screen reader gets from the main window's form: each selector gives
// the entry it shows as its value (and its list, when asked for, that entry
// selected); the at-maximum warning and the status bar's message are alerts;
// the separator lines are left out of the form's children.
class FormAccessible {
public:
    // Once, before the form is built.
    static void install();
    // Keeps the selector's entry selected in its list, where a screen reader
    // looks for it, while one listens; one that asks for the list later gets
    // it then: the list is made only when asked for, it costs start-up time.
    static void follow(QComboBox* selector);
};

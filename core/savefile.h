// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QIODevice;

// A file written whole or not at all: the content goes to a temporary file
// beside the target, which takes the target's place only once all of it is
// written, so a failed save leaves an earlier file as it was and no other
// file behind.
class SaveFile {
public:
    // Writes the content into the device; false when that fails.
    using Content = std::function<bool(QIODevice&)>;
    struct Result {
        bool saved;
        QString error; // why not, when not saved
    };

    static Result write(const QString& path, const Content& content);
};

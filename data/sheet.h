// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue.h"
#include "configuration.h"

#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// Every selection the window can be set to, worked out as the window works it
// out, for printing: each cabinet row, each count from 1 to 4, each amplifier
// model and each mode its selector offers there (none for a model without the
// switch). Rows are worked out and written one at a time, so a sheet of any
// length takes no more memory than one row.
class Sheet {
public:
    enum Format { Table, Csv };
    struct Filter {
        QStringList cabinets; // only these, when any are named
        QStringList amplifiers; // only these models, when any are named
        bool acceptedOnly = false; // no refused selection

        bool takesCabinet(const QString& name) const
        {
            return cabinets.isEmpty() || cabinets.contains(name);
        }
        bool takesAmplifier(const QString& model) const
        {
            return amplifiers.isEmpty() || amplifiers.contains(model);
        }
    };

    // Hands each selection to `visit`, in order; stops when it returns false.
    static void forEach(const Catalogue& catalogue, const Filter& filter,
        const std::function<bool(const Configuration&)>& visit);

    // Table: columns aligned for a terminal, a refusal's reason in a few words.
    // Csv: RFC 4180, the window's texts and then every number in full.
    // Returns false when a write fails (the device's errorString() says why);
    // `rows`, when given, counts the selections written.
    static bool write(QIODevice& device, const Catalogue& catalogue, Format format,
        const Filter& filter, int* rows = nullptr);
    static bool write(QIODevice& device, const Catalogue& catalogue, Format format)
    {
        return write(device, catalogue, format, Filter());
    }
};

// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "configuration.h"
#include "sheet.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

#include <algorithm>

namespace {
// A model with the switch and one without, a refusal of each kind, a
// threshold below the display floor, one at the amplifier's maximum and a
// name that needs quoting in CSV.
const QByteArray cabinets = "name,power,impedance\n"
                            "Sixteen 300,300,16\n"
                            "Wedge 12\",200,8\n"
                            "Four 500,500,4\n";
const QByteArray amplifiers = "name,impedance,mode,voltage,level,gain\n"
                              "Switch,8,ST,42.9,34.9,32\n"
                              "Switch,4,ST,40,34.3,32\n"
                              "Switch,8,BTL,80,40.3,32\n"
                              "Plain,8,NO,36,33.3,26\n"
                              "Plain,4,NO,33,32.6,26\n"
                              "Loud,8,NO,42.9,34.9,46\n"
                              "Loud,4,NO,40,34.3,46\n";

// RFC 4180 fields, quotes undone.
QVector<QStringList> readCsv(const QString& text)
{
    QVector<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
            field += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && c == ',') {
            row << field;
            field.clear();
        } else if (!quoted && c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
            rows << (row << field);
            row.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return rows;
}
}

class TestSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup() { QCOMPARE(WindowDriver::visibleWindows(), QStringList()); }
    void windowAgrees();
};

// Every row of the sheet, set in the window by a user's picks, shows there
// exactly as the sheet says, or is refused with the sheet's words.
void TestSheet::windowAgrees()
{
    CatalogueFixture fixture(cabinets, amplifiers);
    const QVector<QStringList> rows = readCsv(Sheet::csv(Sheet::selections(Catalogue::load())));
    const QStringList header = rows.first();
    QCOMPARE(rows.size(), 1 + 3 * 4 * (2 + 1 + 1));
    const auto column = [&](const QStringList& row, const char* name) {
        return row.value(header.indexOf(QLatin1String(name)));
    };
    QCOMPARE(column(rows.at(17), "cabinet"), QStringLiteral("Wedge 12\""));

    WindowDriver driver;
    QCOMPARE(driver.watcher.seen.size(), 0);
    QStringList kinds;
    int unreachable = 0;
    for (int r = 1; r < rows.size(); ++r) {
        const QStringList& row = rows.at(r);
        const QString mode = column(row, "mode");
        QStringList actions { "cabinet=" + column(row, "cabinet"), "count=" + column(row, "count"),
            "amp=" + column(row, "amplifier") };
        if (mode != "-")
            actions << QString("mode=%1").arg(mode == "BTL" ? 1 : 0);
        // Some order of picks reaches the selection with no refusal on the way.
        std::sort(actions.begin(), actions.end());
        bool reached = false;
        do {
            driver.act("reset");
            driver.watcher.seen.clear();
            reached = true;
            for (int i = 0; reached && i < actions.size(); ++i)
                reached = driver.act(actions.at(i))
                    && (i == actions.size() - 1 || driver.watcher.seen.isEmpty());
        } while (!reached && std::next_permutation(actions.begin(), actions.end()));
        const QString why = column(row, "refused");
        if (!reached) {
            // Refused, and so is every selection one pick away: no user
            // sees this one's own box.
            QVERIFY2(!why.isEmpty(), qPrintable(actions.join(' ')));
            ++unreachable;
            continue;
        }
        kinds << (why.isEmpty() ? column(row, "at_max") + column(row, "threshold") : why);
        if (!why.isEmpty()) {
            QCOMPARE(driver.boxTexts(), QStringList { why });
            continue;
        }
        QCOMPARE(driver.boxTexts(), QStringList());
        QCOMPARE(driver.combo("comboBox_mode")->isEnabled(), mode != "-");
        QCOMPARE(driver.text("label_imp_equiv"),
            "Equivalent impedance: " + column(row, "impedance") + " \u03A9");
        QCOMPARE(driver.text("label_equiv_pow"),
            "Equivalent program power: " + column(row, "power") + " W");
        QCOMPARE(driver.text("label_prog_power"),
            "Max program voltage: " + column(row, "voltage") + " V");
        QCOMPARE(driver.text("label_amp_gain"), "Amplifier gain: " + column(row, "gain") + " dB");
        QCOMPARE(driver.text("lineaResultado"), column(row, "threshold"));
        QCOMPARE(driver.alertShown(), column(row, "at_max") == "yes");
        const QString tip = driver.find<QLineEdit>("lineaResultado")->toolTip();
        if (column(row, "threshold") != "-")
            QCOMPARE(tip,
                QString("%1 dBV, %2 V rms at the amplifier's input; the output is held at %3 V")
                    .arg(column(row, "threshold_dbv"), column(row, "threshold_v"),
                        column(row, "output_v")));
        QCOMPARE(column(row, "threshold_dbu").toDouble() + column(row, "gain_db").toDouble(),
            20 * std::log10(column(row, "output_v_exact").toDouble() / 0.7745966692414834));
    }
    QVERIFY(unreachable < 12);
    for (const QString kind : { "This amplifier configuration is not supported",
             "Equivalent impedance is below 4\u03A9!", "no-", "yes" })
        QVERIFY2(std::any_of(kinds.begin(), kinds.end(),
                     [&](const QString& k) { return k.startsWith(kind); }),
            qPrintable(kind));
}

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"

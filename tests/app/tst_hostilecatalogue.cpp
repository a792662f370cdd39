// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguefixture.h"
#include "modalwatcher.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QtTest>

// Whatever the catalogue holds, the window survives every selection, shows a
// threshold that is a number or "-", and refuses only with its own warnings.
// Run under the sanitizers, this also drives the arithmetic with the numbers
// at their limits.
class TestHostileCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void cleanup();
    void everySelection_data();
    void everySelection();
};

void TestHostileCatalogue::cleanup()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), widget->metaObject()->className());
}

namespace {
// A string literal's bytes, nul bytes included.
template <int size> QByteArray bytes(const char (&text)[size])
{
    return QByteArray(text, size - 1);
}
}

void TestHostileCatalogue::everySelection_data()
{
    QTest::addColumn<QByteArray>("cabinets");
    QTest::addColumn<QByteArray>("amplifiers");

    const QByteArray random = CatalogueFixture::randomBytes(1 << 14, 2024);
    // Lines of random bytes among a few commas and line feeds.
    QByteArray fields = random;
    for (int i = 0; i < fields.size(); i += 7)
        fields[i] = i % 21 ? ',' : '\n';

    QTest::newRow("random bytes") << random << random;
    QTest::newRow("random fields") << fields << fields;
    QTest::newRow("numbers at their limits")
        << QByteArray("h\nMax,2147483647,2147483647\nMin,-2147483648,-2147483648\nZero,0,0\n"
                      "Minus,-1,-1\nNegative power,-100,8\nOdd,3,7\n")
        << QByteArray("h\nHuge,8,ST,1e308,1e308,-2147483648\nHuge,4,ST,1e308,1e308,2147483647\n"
                      "Inf,8,ST,inf,inf,0\nInf,4,BTL,-inf,-inf,0\nNan,8,NO,nan,nan,0\n"
                      "Nan,4,NO,nan,nan,0\nZero,8,ST,0,0,0\nZero,4,BTL,0,0,0\n"
                      "Neg,8,ST,-42.9,-34.9,-32\nNeg,4,ST,-1e-308,-1e308,2147483647\n");
    QTest::newRow("only commas and blank lines")
        << QByteArray("h\n,,,\n\n,\n") << QByteArray("h\n,,,,,,,\n\n,8,ST\n,4,NO\n");
    QTest::newRow("one very long name")
        << ("h\n" + QByteArray(100000, 'x') + ",200,8\n")
        << ("h\n" + QByteArray(100000, 'y') + ",8,ST,42.9,34.9,32\n");
    QTest::newRow("nul bytes and byte-order marks")
        << bytes("\xEF\xBB\xBFh\nA\0B,200,8\n\xFF\xFE,8,8\n")
        << bytes("h\nA\0B,8,ST,42.9,34.9,32\n\xEF\xBB\xBF,4,ST,40,34,32\n");
}

void TestHostileCatalogue::everySelection()
{
    QFETCH(QByteArray, cabinets);
    QFETCH(QByteArray, amplifiers);

    CatalogueFixture fixture(cabinets, amplifiers);
    ModalWatcher watcher;
    WindowDriver driver;
    const QRegularExpression shown(QStringLiteral("^(-|-?[0-9.]+(e[-+][0-9]+)? dBu)$"));
    const QStringList warnings { QStringLiteral("This amplifier configuration is not supported"),
        QString::fromUtf8("Equivalent impedance is below 4\u03A9!") };
    const int models = qMin(driver.combo("comboBox_amplis")->count(), 6);
    const int cabinetCount = qMin(driver.combo("comboBox_cabinets")->count(), 6);
    int selections = 0;
    QString wrong;
    const auto check = [&](const QString& action) {
        if (wrong.isEmpty() && !shown.match(driver.threshold()).hasMatch())
            wrong = action + QStringLiteral(" shows:\n") + driver.display();
    };
    for (int model = 0; model < models; ++model) {
        driver.pick("comboBox_amplis", model);
        check(QStringLiteral("amplifier %1").arg(model));
        for (int cabinet = 0; cabinet < cabinetCount; ++cabinet) {
            const QString at = QStringLiteral("amplifier %1, cabinet %2").arg(model).arg(cabinet);
            driver.pick("comboBox_cabinets", cabinet);
            check(at);
            for (int count : { 3, 1 }) {
                driver.setCount(count);
                check(at + QStringLiteral(", count %1").arg(count));
            }
            for (int mode : { 1, 0 }) {
                driver.pick("comboBox_mode", mode);
                check(at + QStringLiteral(", mode %1").arg(mode));
            }
            ++selections;
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QCOMPARE(selections, models * cabinetCount);
    for (const ModalWatcher::Seen& seen : watcher.seen)
        QVERIFY2(warnings.contains(seen.text), qPrintable(seen.text));
}

QTEST_MAIN(TestHostileCatalogue)
#include "tst_hostilecatalogue.moc"

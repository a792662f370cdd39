// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"
#include "plaintext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#else
#include <QTextCodec>
#endif

#include <algorithm>
#include <cmath>

const QString Catalogue::cabinetFileName = QStringLiteral("data_spk.txt");
const QString Catalogue::amplifierFileName = QStringLiteral("data_amplis.txt");

namespace {

bool isUtf8(const QByteArray& bytes)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Stateless: a sequence cut off at the end is an error, not one to go on later.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder(bytes);
    return !decoder.hasError();
#else
    QTextCodec::ConverterState state;
    QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
#endif
}

// What spreadsheet programs on Windows write: Latin-1 but for 0x80 to 0x9F.
QString fromWindows1252(const QByteArray& bytes)
{
    static const char16_t high[32]
        = { 0x20AC, 0x81, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
              0x2039, 0x0152, 0x8D, 0x017D, 0x8F, 0x90, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
              0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D, 0x017E, 0x0178 };
    QString text(bytes.size(), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i) {
        const uchar c = static_cast<uchar>(bytes.at(i));
        text[i] = QChar(c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c);
    }
    return text;
}

// A byte-order mark names the file's Unicode encoding; without one the file
// is UTF-8 when it is valid UTF-8, and otherwise Windows-1252.
QString decode(const QByteArray& bytes, bool& windows1252)
{
    windows1252 = false;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    if (const auto encoding = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*encoding);
        return decoder(bytes);
    }
#else
    if (QTextCodec* codec = QTextCodec::codecForUtfText(bytes, nullptr))
        return codec->toUnicode(bytes);
#endif
    if (isUtf8(bytes)) // every byte, NUL included: the array's size, not its C string
        return QString::fromUtf8(bytes.constData(), bytes.size());
    windows1252 = true;
    return fromWindows1252(bytes);
}

// A file's data lines, header dropped. Carriage returns are dropped wherever
// they stand, and a last line end closes the last line rather than opening one.
QStringList dataLines(
    const QByteArray& content, const QString& path, QVector<CatalogueProblem>& problems)
{
    bool windows1252 = false;
    QString text = decode(content, windows1252);
    if (windows1252) {
        const QList<QByteArray> raw = content.split('\n');
        int line = 0;
        while (line < raw.size() && isUtf8(raw.at(line)))
            ++line;
        problems.append({ path, line + 1,
            QStringLiteral("not valid UTF-8: the file is read as Windows-1252") });
    }
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

// Reads the fields of one data line and records what does not read as written.
// A problem that changes what the line's numbers mean puts the line in doubt:
// `doubt` is then the first such problem, as an index into `problems`.
class LineReader {
public:
    LineReader(const QString& line, const QString& path, int number, int expected,
        QVector<CatalogueProblem>& problems)
        : fields(line.split(QLatin1Char(',')))
        , empty(line.isEmpty())
        , path(path)
        , number(number)
        , problems(problems)
    {
        if (empty)
            report(QStringLiteral("empty line: read as an entry with no name"), true);
        else if (fields.size() != expected)
            report(QStringLiteral("%1 fields where %2 are expected%3")
                       .arg(fields.size())
                       .arg(expected)
                       .arg(fields.size() > expected ? QStringLiteral(" (a decimal comma?)")
                                                     : QString()),
                true);
        for (const QChar c : line) {
            if (PlainText::isControl(c)) {
                const QString code = QString::number(c.unicode(), 16).toUpper();
                report(QStringLiteral("control character U+%1 in the line")
                           .arg(code.rightJustified(4, QLatin1Char('0'))),
                    true);
                break;
            }
        }
        for (int i = 0; i < fields.size(); ++i) {
            if (fields.at(i).size() > Catalogue::maxField) {
                report(QStringLiteral("field %1 is longer than %2 characters: cut there")
                           .arg(i + 1)
                           .arg(Catalogue::maxField),
                    true);
                fields[i].truncate(Catalogue::maxField);
            }
        }
    }

    QString field(int index) const { return fields.value(index); }

    QString name()
    {
        const QString text = field(0);
        if (text != text.trimmed())
            report(QStringLiteral("name \"%1\" has blanks around it, which are kept").arg(text));
        if (PlainText::formulaLike(text))
            report(QStringLiteral("name \"%1\" starts like a spreadsheet formula: CSV gives it a "
                                  "leading '")
                       .arg(text));
        return text;
    }

    int whole(int index, const QString& what)
    {
        const QString text = field(index);
        bool ok = false;
        const int value = plain(text) ? text.toInt(&ok) : 0;
        if (!ok) {
            bool real = false;
            const double asReal = plain(text) ? text.toDouble(&real) : 0.0;
            notRead(what, text,
                real                     ? "a whole number"
                    : std::isinf(asReal) ? "a number in range"
                                         : "a number");
        }
        return value;
    }

    // A number too large, or not finite, is 0, as it is told.
    double real(int index, const QString& what)
    {
        const QString text = field(index);
        bool ok = false;
        const double value = plain(text) ? text.toDouble(&ok) : 0.0;
        if (!ok)
            notRead(what, text, std::isinf(value) ? "a number in range" : "a number");
        else if (!std::isfinite(value))
            notRead(what, text, "a finite number");
        return ok && std::isfinite(value) ? value : 0.0;
    }

    // A number with a control character in it is not one, whatever a version
    // of Qt would make of it.
    static bool plain(const QString& text)
    {
        return std::none_of(text.cbegin(), text.cend(), PlainText::isControl);
    }

    // Only for numbers that were read as written: a misread one is reported already.
    void aboveZero(double value, const QString& what, const QString& unit)
    {
        if (allRead && !(value > 0))
            report(QStringLiteral("%1 %2%3 is not above 0").arg(what, QString::number(value), unit),
                true);
    }

    // An empty line is reported once, as such.
    void report(const QString& message, bool doubtful = false)
    {
        if (empty && reported)
            return;
        reported = true;
        if (doubtful && doubt < 0)
            doubt = problems.size();
        problems.append({ path, number, message });
    }

    QStringList fields;
    const bool empty;
    bool allRead = true;
    int doubt = -1;

private:
    void notRead(const QString& what, const QString& text, const char* kind)
    {
        allRead = false;
        if (text.trimmed().isEmpty())
            report(QStringLiteral("%1 is empty: read as 0").arg(what), true);
        else
            report(QStringLiteral("%1 \"%2\" is not %3: read as 0")
                       .arg(what, text.trimmed(), QLatin1String(kind)),
                true);
    }

    const QString path;
    const int number;
    QVector<CatalogueProblem>& problems;
    bool reported = false;
};

}

void Catalogue::readCabinets(const QByteArray& content, const QString& path)
{
    const QStringList lines = dataLines(content, path, problems);
    for (int i = 0; i < lines.size(); ++i) {
        LineReader in(lines.at(i), path, i + 2, 3, problems);
        const QString name = in.name();
        const int power = in.whole(1, QStringLiteral("power"));
        const int impedance = in.whole(2, QStringLiteral("impedance"));
        in.aboveZero(power, QStringLiteral("power"), QStringLiteral(" W"));
        in.aboveZero(impedance, QStringLiteral("impedance"), QStringLiteral(" \u03A9"));
        cabinets.append(CabinetRecord(power, impedance, name));
        cabinetDoubts.append(in.doubt);
    }
    if (lines.isEmpty())
        problems.append({ path, 1, QStringLiteral("no cabinet lines after the header") });
}

void Catalogue::readAmplifiers(const QByteArray& content, const QString& path)
{
    const QStringList lines = dataLines(content, path, problems);
    QSet<QString> earlierModels;
    for (int i = 0; i < lines.size(); ++i) {
        LineReader in(lines.at(i), path, i + 2, 6, problems);
        const QString name = in.name();
        const int impedance = in.whole(1, QStringLiteral("impedance"));
        const QString mode = in.field(2);
        const double voltage = in.real(3, QStringLiteral("maximum program voltage"));
        const double level = in.real(4, QStringLiteral("maximum output level"));
        const int gain = in.whole(5, QStringLiteral("gain"));
        const QString previous = amplifiers.isEmpty() ? QString() : amplifiers.constLast().name;

        if (mode != QLatin1String("ST") && mode != QLatin1String("BTL")
            && mode != QLatin1String("NO"))
            in.report(QStringLiteral("mode \"%1\" is not ST, BTL or NO: the line is never used")
                          .arg(mode));
        in.aboveZero(impedance, QStringLiteral("impedance"), QStringLiteral(" \u03A9"));
        in.aboveZero(voltage, QStringLiteral("maximum program voltage"), QStringLiteral(" V"));
        if (in.allRead && voltage > 0) {
            const double expected = 20.0 * std::log10(voltage / AmplifierRecord::dbuReference);
            if (std::fabs(level - expected) > 0.5)
                in.report(QStringLiteral("maximum output level %1 dBu is %2 dB away from the %3 "
                                         "dBu of %4 V")
                              .arg(QString::number(level),
                                  QString::number(std::fabs(level - expected), 'f', 2),
                                  QString::number(expected, 'f', 2), QString::number(voltage)),
                    true);
        }
        if (i > 0)
            earlierModels.insert(previous);
        if (name != previous && earlierModels.contains(name))
            in.report(QStringLiteral("model \"%1\" continues here after other models: its lines "
                                     "must stand together")
                          .arg(name));
        amplifiers.append(AmplifierRecord(name, impedance, mode, voltage, level, gain));
        amplifierDoubts.append(in.doubt);
    }
    if (lines.isEmpty())
        problems.append({ path, 1, QStringLiteral("no amplifier lines after the header") });
    amplifierModels = modelNames(amplifiers);
}

QStringList Catalogue::modelNames(const QVector<AmplifierRecord>& amplifiers)
{
    QStringList names;
    for (int row = 0; row < amplifiers.size(); ++row) {
        if (row == 0 || amplifiers.at(row).name != amplifiers.at(row - 1).name)
            names.append(amplifiers.at(row).name);
    }
    return names;
}

namespace {

// The file's content, or an empty array and the reason it cannot be used.
// Nothing that could block (a FIFO, a device) is ever opened.
QByteArray readFile(const QString& path, QVector<CatalogueProblem>& unusable)
{
    const QFileInfo info(path);
    QString why;
    QFile file(path);
    if (!info.exists())
        why = QStringLiteral("not found");
    else if (!info.isFile())
        why = QStringLiteral("not a regular file");
    else if (info.size() > Catalogue::maxBytes)
        why = QStringLiteral("larger than 16 MiB");
    else if (!file.open(QIODevice::ReadOnly))
        why = QStringLiteral("cannot be read: %1").arg(file.errorString());
    QByteArray content;
    if (why.isEmpty()) {
        content = file.read(Catalogue::maxBytes + 1);
        if (content.size() > Catalogue::maxBytes)
            why = QStringLiteral("larger than 16 MiB");
        else if (content.count('\n') + (content.endsWith('\n') ? 0 : 1) - 1 > Catalogue::maxLines)
            why = QStringLiteral("more than %1 lines after the header").arg(Catalogue::maxLines);
    }
    if (!why.isEmpty()) {
        unusable.append({ path, 0, why });
        return QByteArray();
    }
    return content;
}

}

Catalogue Catalogue::load(const QString& folder)
{
    Catalogue catalogue;
    const QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    catalogue.folder = dir.absolutePath();
    const auto path
        = [&](const QString& name) { return folder.isEmpty() ? name : dir.filePath(name); };

    const QByteArray cabinets = readFile(path(cabinetFileName), catalogue.unusable);
    if (!catalogue.complete())
        return catalogue;
    catalogue.readCabinets(cabinets, path(cabinetFileName));

    const QByteArray amplifiers = readFile(path(amplifierFileName), catalogue.unusable);
    if (catalogue.complete())
        catalogue.readAmplifiers(amplifiers, path(amplifierFileName));
    return catalogue;
}

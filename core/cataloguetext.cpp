// SPDX-License-Identifier: GPL-3.0-or-later
#include "cataloguetext.h"

#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QStringDecoder>
#else
#include <QTextCodec>
#endif

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

// Where each line of the text begins and ends: a line ends at CR LF, LF or
// CR alone, and a last line end closes the last line rather than opening one.
template <typename Text> QVector<QPair<int, int>> lineSpans(const Text& text)
{
    QVector<QPair<int, int>> spans;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) != '\r' && text.at(i) != '\n')
            continue;
        spans.append({ start, i - start });
        if (text.at(i) == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        spans.append({ start, static_cast<int>(text.size()) - start });
    return spans;
}

}

int CatalogueText::lineCount(const QByteArray& content)
{
    int lines = 0;
    for (int i = 0; i < content.size(); ++i)
        lines += content.at(i) == '\n'
            || (content.at(i) == '\r' && (i + 1 == content.size() || content.at(i + 1) != '\n'));
    const char last = content.isEmpty() ? '\n' : content.back();
    return lines + (last == '\n' || last == '\r' ? 0 : 1);
}

QStringList CatalogueText::dataLines(const QByteArray& content, const QString& path,
    QVector<CatalogueProblem>& problems, QString* header)
{
    bool windows1252 = false;
    const QString text = decode(content, windows1252);
    if (windows1252) {
        const auto raw = lineSpans(content);
        int line = 0;
        while (line < raw.size() && isUtf8(content.mid(raw.at(line).first, raw.at(line).second)))
            ++line;
        problems.append({ path, line + 1,
            QStringLiteral("not valid UTF-8: the file is read as Windows-1252") });
    }
    QStringList lines;
    for (const auto& span : lineSpans(text))
        lines.append(text.mid(span.first, span.second));
    if (header)
        *header = lines.value(0);
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

#include "TextFile.h"

#include "CodePage1252.h"
#include "WholeFile.h"

#include <QStringDecoder>

namespace {

constexpr QByteArrayView ByteOrderMark("\xEF\xBB\xBF");
constexpr qsizetype ExcerptLength = 20;

template <typename View> QList<View> splitLines(View text) {
    QList<View> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.sliced(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    return lines;
}

} // namespace

QByteArrayView withoutByteOrderMark(const QByteArray& content) {
    const QByteArrayView all(content);
    return all.startsWith(ByteOrderMark) ? all.sliced(ByteOrderMark.size()) : all;
}

QString fileText(const QByteArray& content) {
    const QByteArrayView text = withoutByteOrderMark(content);
    if (text.size() < content.size()) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = utf8(text);
        if (!utf8.hasError())
            return decoded;
    }
    return cp1252::decode(text);
}

QStringList textLines(const QByteArray& content) {
    const QString text = fileText(content);
    QStringList lines;
    for (const QStringView line : splitLines(QStringView(text)))
        lines.append(line.toString());
    return lines;
}

QList<QByteArrayView> byteLines(const QByteArray& content) {
    return splitLines(withoutByteOrderMark(content));
}

QString excerpt(const QString& value) {
    return value.size() <= ExcerptLength ? value : value.left(ExcerptLength) + u'…';
}

std::optional<QByteArray> textFileContent(const QStringList& lines, QString* error) {
    QByteArray content;
    for (const QString& line : lines) {
        QString refused;
        const std::optional<QByteArray> bytes = cp1252::encode(line, &refused);
        if (!bytes) {
            if (error)
                *error = QStringLiteral("Das Zeichen „%1“ (U+%2) gibt es im Zeichensatz der "
                                        "Datei (Windows 1252) nicht")
                             .arg(refused, QString::number(refused.toUcs4().value(0), 16)
                                               .toUpper()
                                               .rightJustified(4, u'0'));
            return std::nullopt;
        }
        content += *bytes + "\r\n";
    }
    return content;
}

bool writeTextFile(const QString& path, const QStringList& lines, QString* error) {
    const std::optional<QByteArray> content = textFileContent(lines, error);
    return content && writeWholeFile(path, *content, error);
}

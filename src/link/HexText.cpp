#include "HexText.h"

#include <QStringList>

HexTextResult parseHexText(const QString& text) {
    const QStringList tokens = text.split(' ', Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return {HexTextResult::Empty, {}, {}};
    if (tokens.size() > MaxTypedBytes)
        return {HexTextResult::TooLong, {}, {}};

    QByteArray bytes;
    for (const QString& token : tokens) {
        bool ok = false;
        const uint value = token.toUInt(&ok, 16);
        if (!ok || token.size() > 2 || value > 0xFF)
            return {HexTextResult::BadToken, token, {}};
        bytes.append(static_cast<char>(value));
    }
    return {HexTextResult::Placed, {}, bytes};
}

QString hexTextProblem(const HexTextResult& result) {
    switch (result.kind) {
    case HexTextResult::BadToken:
        return QStringLiteral("\"%1\" ist kein Byte in Hexadezimalschreibweise (00 bis FF).\n"
                              "Die Message wurde nicht gesendet.")
            .arg(result.token);
    case HexTextResult::TooLong:
        return QStringLiteral("Eine Message hat höchstens %1 Bytes und die Prüfsumme.\n"
                              "Die Message wurde nicht gesendet.")
            .arg(MaxTypedBytes);
    default:
        return {};
    }
}

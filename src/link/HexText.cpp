#include "HexText.h"

#include "LocoNetMessage.h"
#include "Transmitter.h"

#include <QStringList>
#include <vector>

HexTextResult SendHexText(Transmitter& tx, const QString& text) {
    const QStringList tokens = text.split(' ', Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return {HexTextResult::Empty, {}};
    if (tokens.size() > loconet::MaxMessageLength)
        return {HexTextResult::TooLong, {}};

    std::vector<quint8> bytes;
    for (const QString& token : tokens) {
        bool ok = false;
        const uint value = token.toUInt(&ok, 16);
        if (!ok || token.size() > 2 || value > 0xFF)
            return {HexTextResult::BadToken, token};
        bytes.push_back(static_cast<quint8>(value));
    }
    for (size_t i = 0; i < bytes.size(); ++i)
        tx.TxBuffer[i] = bytes[i];
    tx.TxLastIndex = static_cast<int>(bytes.size()) - 1;
    return {HexTextResult::Placed, {}};
}

QString hexTextProblem(const HexTextResult& result) {
    switch (result.kind) {
    case HexTextResult::BadToken:
        return QStringLiteral("\"%1\" ist kein Byte in Hexadezimalschreibweise (00 bis FF).\n"
                              "Die Message wurde nicht gesendet.")
            .arg(result.token);
    case HexTextResult::TooLong:
        return QStringLiteral("Eine Message hat höchstens %1 Bytes.\n"
                              "Die Message wurde nicht gesendet.")
            .arg(loconet::MaxMessageLength);
    default:
        return {};
    }
}

void PackHighBits(Transmitter& tx) {
    tx.TxBuffer[6] = 0;
    for (int k = 0; k <= 6; ++k) {
        if (tx.TxBuffer[7 + k] & 0x80)
            tx.TxBuffer[6] |= static_cast<quint8>(1 << k);
        tx.TxBuffer[7 + k] &= 0x7F;
    }
}

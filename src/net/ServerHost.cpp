#include "ServerHost.h"

#include "platform/DigitText.h"

#include <QHostAddress>
#include <QRegularExpression>

namespace {
constexpr int MaxNameLength = 253;
constexpr int MaxPort = 65535;

// Labels of letters, digits and inner hyphens, joined by dots.
bool isHostName(const QString& text) {
    static const QRegularExpression name(QStringLiteral(
        R"(^[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?(\.[A-Za-z0-9]([A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*\.?$)"));
    return text.size() <= MaxNameLength && name.match(text).hasMatch();
}

bool isAddressOf(const QString& text, QAbstractSocket::NetworkLayerProtocol protocol) {
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == protocol;
}
} // namespace

QString serverHost(QStringView text) {
    QString host = text.trimmed().toString();
    if (host.startsWith(u'[') && host.endsWith(u']'))
        host = host.mid(1, host.size() - 2);
    if (host.contains(u':'))
        return isAddressOf(host, QAbstractSocket::IPv6Protocol) ? host : QString();
    // No name ends in a number: digits and dots are an IPv4 address or nothing.
    static const QRegularExpression numeric(QStringLiteral(R"(^[0-9.]+$)"));
    if (numeric.match(host).hasMatch())
        return isAddressOf(host, QAbstractSocket::IPv4Protocol) ? host : QString();
    return isHostName(host) ? host : QString();
}

int serverPort(QStringView text) {
    const QStringView digits = text.trimmed();
    if (digits.isEmpty() || !isDigitsOnly(digits))
        return 0;
    const qint64 port = leadingDigitsValue(digits, MaxPort + 1);
    return port <= MaxPort ? static_cast<int>(port) : 0;
}

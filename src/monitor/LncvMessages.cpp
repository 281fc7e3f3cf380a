#include "Families.h"
#include "MessageTexts.h"
#include "link/MessageReaders.h"
#include "link/Opcode.h"

namespace monitor {

namespace {
constexpr int Length15 = 15;
constexpr int AnyArticle = 0xFFFF;
constexpr int AnyModule = 0xFFFF;
// The program sends the article number as the user types it, divided by ten.
constexpr int ArticleFactor = 10;

struct Lncv {
    int article;
    int number;
    int value;
    int flags;
};

Lncv lncvOf(const Message& m) {
    const std::array<int, 7> d = messages::restoreHighBits(m.bytes, 6);
    return {word(d, 0), word(d, 2), word(d, 4), d[6]};
}

bool isAnswer(const Message& m) {
    return m.opcode() == loconet::PeerTransfer && m.length == Length15 &&
           m[1] == loconet::Request15Count && m[5] == loconet::LncvAnswer;
}

bool isHandheldAnnouncement(const Message& m, const Lncv& l) {
    return m[2] == 0 && m[3] == 0 && m[4] == 0 && l.article == loconet::HandheldThrottleArticle &&
           l.number == loconet::HandheldAnnouncementLncv;
}

QString articleText(int article) {
    if (article == AnyArticle)
        return QStringLiteral("alle Artikel");
    return QStringLiteral("Artikel %1").arg(article * ArticleFactor);
}

QString moduleText(int address) {
    if (address == AnyModule)
        return QStringLiteral("alle Module");
    return QStringLiteral("Modul %1").arg(address);
}

QString requestText(const Message& m, const Lncv& l) {
    const QString article = articleText(l.article);
    if (m[5] == loconet::LncvWrite)
        return QStringLiteral("LNCV schreiben: %1, LNCV %2 = %3")
            .arg(article)
            .arg(l.number)
            .arg(l.value);
    if (m[5] != loconet::LncvRequest)
        return QStringLiteral("LNCV-Befehl %1: %2").arg(hexByte(m[5]), article);
    switch (l.flags) {
    case loconet::LncvStart:
        return QStringLiteral("LNCV-Programmierung beginnen: %1, %2")
            .arg(article, moduleText(l.value));
    case loconet::LncvEnd:
        return QStringLiteral("LNCV-Programmierung beenden: %1, %2")
            .arg(article, moduleText(l.value));
    default:
        return QStringLiteral("LNCV lesen: %1, LNCV %2").arg(article).arg(l.number);
    }
}

QString answerText(const Lncv& l) {
    if (l.flags == loconet::LncvStart)
        return QStringLiteral("LNCV-Modul bereit: %1, %2")
            .arg(articleText(l.article), moduleText(l.value));
    return QStringLiteral("LNCV-Antwort: %1, LNCV %2 = %3")
        .arg(articleText(l.article))
        .arg(l.number)
        .arg(l.value);
}
} // namespace

bool isLncvRequest(const Message& m) {
    return m.opcode() == loconet::StationRequest && m.length == Length15 &&
           m[1] == loconet::Request15Count && m[2] == 0x01 && m[3] == loconet::ModulesAddress1 &&
           m[4] == loconet::ModulesAddress2;
}

bool readLncv(const Message& m, const Context&, Reading& r, bool withText) {
    const bool request = isLncvRequest(m);
    if (!request && !isAnswer(m))
        return false;
    const Lncv l = lncvOf(m);
    if (!request && isHandheldAnnouncement(m, l)) {
        r.kind = MessageKind::Loco;
        if (withText)
            r.text = QStringLiteral("Zeltron Fahrpult %1 bittet um eine Lok").arg(l.value);
        return true;
    }
    r.kind = MessageKind::Programming;
    if (withText)
        r.text = request ? requestText(m, l) : answerText(l);
    return true;
}

} // namespace monitor

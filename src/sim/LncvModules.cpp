#include "LncvModules.h"

#include "Outbox.h"
#include "StationMessage.h"

namespace {

// A module answering the PC addresses its reply to the programming tool.
constexpr std::array<quint8, 3> ModuleToTool = {0x05, 0x49, 0x4B};
constexpr quint8 AnswerKind = 0x1F;

bool matches(const LncvModule& module, int article) {
    return article == LncvRequest::AnyArticle || article == module.article;
}

LncvAck write(LncvModule& module, int lncv, int value) {
    auto it = module.lncvs.find(lncv);
    if (it == module.lncvs.end())
        return LncvAck::NoSuchLncv;
    if (it->readOnly)
        return LncvAck::ReadOnly;
    if (value < it->minimum || value > it->maximum)
        return LncvAck::InvalidValue;
    it->value = value;
    return LncvAck::Done;
}

} // namespace

std::optional<LncvRequest> LncvRequest::parse(const QByteArray& m) {
    if (m.size() != 15 || static_cast<quint8>(m[0]) != 0xED || m[1] != 0x0F || m[2] != 0x01 ||
        m[3] != 0x05 || m[4] != 0x00)
        return std::nullopt;
    const quint8 command = static_cast<quint8>(m[5]);
    if (command != Write && command != Request)
        return std::nullopt;
    const sim::PeerData d = sim::peerData(m);
    return LncvRequest{command, d[0] | (d[1] << 8), d[2] | (d[3] << 8), d[4] | (d[5] << 8), d[6]};
}

QByteArray lncvMessage(const std::array<quint8, 3>& address, int article, int lncv, int value,
                       int flags) {
    return sim::packedMessage(0xE5, address, AnswerKind,
                              {article & 0xFF, (article >> 8) & 0xFF, lncv & 0xFF,
                               (lncv >> 8) & 0xFF, value & 0xFF, (value >> 8) & 0xFF, flags});
}

LncvModules::LncvModules() {
    // Article 12340 as the user types it; module address 1, the contact
    // numbers of its eight inputs, a report delay in ms and its firmware.
    LncvModule feedback;
    feedback.article = 1234;
    feedback.lncvs[0] = {1, false, 1, 65534};
    for (int input = 1; input <= 8; ++input)
        feedback.lncvs[input] = {input, false, 1, 4096};
    feedback.lncvs[9] = {10, false, 0, 255};
    feedback.lncvs[99] = {3, true};
    add(feedback);
}

void LncvModules::handle(const LncvRequest& r, Outbox& out) {
    for (LncvModule& module : m_modules) {
        if (!matches(module, r.article))
            continue;
        if (r.command == LncvRequest::Request && r.flags == LncvRequest::Start) {
            if (r.value != LncvRequest::AnyAddress && r.value != module.address())
                continue;
            module.programming = true;
            out.answer(
                lncvMessage(ModuleToTool, module.article, 0, module.address(), LncvRequest::Start));
            continue;
        }
        if (!module.programming)
            continue;
        if (r.command == LncvRequest::Write) {
            out.answer(sim::longAck(0xED, static_cast<quint8>(write(module, r.lncv, r.value))));
        } else if (r.flags == LncvRequest::Stop) {
            module.programming = false;
        } else if (const auto it = module.lncvs.constFind(r.lncv); it != module.lncvs.cend()) {
            out.answer(lncvMessage(ModuleToTool, module.article, r.lncv, it->value, r.flags));
        } else {
            out.answer(sim::longAck(0xED, static_cast<quint8>(LncvAck::NoSuchLncv)));
        }
    }
}

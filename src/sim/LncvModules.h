#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <optional>

class Outbox;

// A request to LNCV modules: ED 0F 01 05 00 <command> <high bits>
// <article> <LNCV> <value> (each low byte first) <flags>.
struct LncvRequest {
    enum Command : quint8 { Write = 0x20, Request = 0x21 };
    enum Flags : quint8 { Read = 0x00, Stop = 0x40, Start = 0x80 };
    static constexpr int AnyArticle = 0xFFFF;
    static constexpr int AnyAddress = 0xFFFF;

    quint8 command = Request;
    int article = 0;
    int lncv = 0;
    int value = 0;
    int flags = Read;

    static std::optional<LncvRequest> parse(const QByteArray& message);
};

// An LNCV message as a module sends it (kind 1F).
QByteArray lncvMessage(const std::array<quint8, 3>& address, int article, int lncv, int value,
                       int flags);

// The codes of a module's long acknowledge B4 6D <code>.
enum class LncvAck : quint8 {
    Done = 0x7F,
    NoSuchLncv = 0x01,
    ReadOnly = 0x02,
    InvalidValue = 0x03,
};

// A LocoNet module configured by LNCVs; LNCV 0 is its module address.
struct LncvModule {
    struct Lncv {
        int value = 0;
        bool readOnly = false;
        int minimum = 0;
        int maximum = 65535;
    };

    // The article number as it goes on the wire.
    int article = 0;
    QMap<int, Lncv> lncvs;
    bool programming = false;

    int address() const { return lncvs.value(0).value; }
};

// The modules on the bus. A module answers only in programming mode, which
// a start request with its article and its address (or any address) begins.
class LncvModules {
public:
    // One feedback module on the bus, so there is something to program.
    LncvModules();

    void add(const LncvModule& module) { m_modules.append(module); }
    const QList<LncvModule>& modules() const { return m_modules; }
    void clear() { m_modules.clear(); }

    void handle(const LncvRequest& request, Outbox& out);

private:
    QList<LncvModule> m_modules;
};

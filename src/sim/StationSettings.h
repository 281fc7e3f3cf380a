#pragma once

#include <QHash>
#include <array>

// The settings a command station keeps: its special options and the data
// format of every locomotive address it has been told about.
class StationSettings {
public:
    static constexpr int Options = 1024;
    // The special option that holds the data format of locomotives never set.
    static constexpr int DefaultFormatOption = 10;

    StationSettings();

    int option(int number) const;
    // False when there is no such option.
    bool setOption(int number, int value);

    struct LocoFormat {
        int code;
        int extra;
    };
    LocoFormat format(int address) const;
    // False for a code the station does not know.
    bool setFormat(int address, LocoFormat format);
    static bool isKnownFormat(int code);

    // The factory values of the special options, or of the locomotive formats.
    void resetConfiguration();
    void resetLocoFormats() { m_formats.clear(); }

private:
    std::array<quint8, Options> m_options{};
    QHash<int, LocoFormat> m_formats;
};

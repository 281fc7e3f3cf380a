#pragma once

#include "NumberField.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// The six special options of the basic-settings window, and how the window
// shows them: combo entries for the data formats, milliseconds for the
// switching times, the packet count as is, and a check box for starting in
// "STOP".
namespace basic {

enum Index {
    LocoFormat,
    AccessoryFormat,
    MinSwitchTime,
    MaxSwitchTime,
    AccessoryPackets,
    StopAtStart
};
constexpr int Count = 6;
using Values = std::array<int, Count>;

std::vector<int> optionNumbers();

constexpr int SwitchTimeStepMs = 50;
// The longest time that still rounds to a value an option holds.
constexpr int MaxSwitchTimeMs = 255 * SwitchTimeStepMs + SwitchTimeStepMs / 2 - 1;
constexpr int MaxPackets = 255;

enum class Check { Off, On, Unknown };

struct Fields {
    int locoFormat = -1;                // entry of LokdatenfCO, -1 = none
    int accessoryFormat = -1;           // entry of MagdatenfCO, -1 = none
    std::array<QString, 2> switchTimes; // MagZeitTxt, milliseconds
    QString packets;                    // MagPakTxt
    Check stopAtStart = Check::Unknown; // StopModeChk
};

Fields fieldsOf(const Values& values);

// The values to write: what the window cannot show (no entry selected, the
// check box in neither state) goes back as read. Nothing while a field holds
// no number.
std::optional<Values> valuesOf(const Fields& fields, const Values& asRead);

FieldValue readSwitchTime(QStringView text);
FieldValue readPackets(QStringView text);
// A packet count above what the option holds becomes the largest it holds.
std::optional<QString> clampedPackets(QStringView text);

// Milliseconds in steps of 50 ms, a half going to the even step.
int switchTimeSteps(int ms);

} // namespace basic

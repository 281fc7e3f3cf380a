#include "RouteEntry.h"

#include "NumberText.h"
#include "RouteCommand.h"
#include "RouteTable.h"

#include <array>
#include <optional>

namespace {

constexpr int AddressLimit = 2048; // addresses the user may enter: 1..2047

const std::array<QString, 2> AccessoryLetters{QStringLiteral("r"), QStringLiteral("g")};
const std::array<QString, 2> FeedbackLetters{QStringLiteral("f"), QStringLiteral("b")};
const std::array<QString, 4> RouteActions{QStringLiteral("bl"), QStringLiteral("fr"),
                                          QStringLiteral("an"), QStringLiteral("al")};

template <std::size_t N> int choiceOf(const QString& letters, const std::array<QString, N>& all) {
    for (std::size_t i = 0; i < N; ++i) {
        if (letters == all[i])
            return static_cast<int>(i);
    }
    return -1;
}

template <std::size_t N> QString lettersOf(int choice, const std::array<QString, N>& all) {
    return choice >= 0 && choice < static_cast<int>(N) ? all[choice] : QString();
}

bool isAddress(const QString& text) {
    const double value = leadingValue(text);
    return value > 0 && value < AddressLimit;
}

std::optional<QString> feedbackText(const RouteEntry& entry) {
    if (!isAddress(entry.feedbackAddress))
        return std::nullopt;
    return QStringLiteral("Rm") + entry.feedbackAddress + u'-' +
           lettersOf(entry.feedbackState, FeedbackLetters);
}

std::optional<QString> accessoryText(const RouteEntry& entry, bool directionNeeded) {
    if (!isAddress(entry.accessoryAddress) || (directionNeeded && entry.accessoryDirection < 0))
        return std::nullopt;
    return QStringLiteral("Ma") + entry.accessoryAddress + u'-' +
           lettersOf(entry.accessoryDirection, AccessoryLetters);
}

// The trigger the entry names; an accessory wins over a feedback contact.
std::optional<QString> triggerText(const RouteEntry& entry) {
    if (std::optional<QString> accessory = accessoryText(entry, false))
        return accessory;
    return feedbackText(entry);
}

// The command the entry names; of several, the last in the dialog wins.
std::optional<QString> commandText(const RouteEntry& entry) {
    std::optional<QString> command = accessoryText(entry, true);
    if (std::optional<QString> feedback = feedbackText(entry))
        command = feedback;
    const double route = leadingValue(entry.routeNumber);
    if (route > 0 && route < RouteTable::RowCount && entry.routeAction >= 0)
        command = QStringLiteral("Fs") + entry.routeNumber + u'-' +
                  lettersOf(entry.routeAction, RouteActions);
    const double pause = leadingValue(entry.pauseSeconds);
    if (pause > 0)
        command = QStringLiteral("Pa-") + QString::number(pause, 'g', 15);
    return command;
}

void shiftCommandsLeft(RouteTable& table, int row, int column) {
    for (int k = column; k < RouteTable::LastColumn; ++k)
        table.setText(row, k, table.text(row, k + 1));
    table.setText(row, RouteTable::LastColumn, QString());
}

void shiftCommandsRight(RouteTable& table, int row, int column) {
    for (int k = RouteTable::LastColumn; k > column; --k)
        table.setText(row, k, table.text(row, k - 1));
}

void writeIfAny(RouteTable& table, int row, int column, const std::optional<QString>& text) {
    if (text)
        table.setText(row, column, *text);
}

} // namespace

RouteEntry RouteEntry::fromCell(const QString& text) {
    const RouteCommandParts parts = SplitRouteCommand(text);
    RouteEntry entry;
    entry.accessoryAddress = parts.MaAddr;
    entry.accessoryDirection = choiceOf(parts.MaDir, AccessoryLetters);
    entry.feedbackAddress = parts.RmAddr;
    entry.feedbackState = choiceOf(parts.RmState, FeedbackLetters);
    entry.routeNumber = parts.FsNum;
    entry.routeAction = choiceOf(parts.FsAction, RouteActions);
    entry.pauseSeconds = parts.PaSeconds;
    return entry;
}

void ToggleRouteStatus(RouteTable& table, int row, int column) {
    table.setStatus(row, column, !table.isSet(row, column));
}

bool ApplyRouteEntry(RouteTable& table, int row, int column, int dialogResult,
                     const RouteEntry& entry) {
    if (!RouteTable::isRoute(row))
        return false;
    if (RouteTable::isTriggerColumn(column)) {
        writeIfAny(table, row, column, triggerText(entry));
        return true;
    }
    if (!RouteTable::isCommandColumn(column))
        return false;
    switch (dialogResult) {
    case DialogDelete:
        shiftCommandsLeft(table, row, column);
        return true;
    case DialogInsert:
        shiftCommandsRight(table, row, column);
        writeIfAny(table, row, column, commandText(entry));
        return true;
    case DialogChange:
        writeIfAny(table, row, column, commandText(entry));
        return true;
    default:
        return false;
    }
}

void DeleteRoute(RouteTable& table, int row) {
    if (!RouteTable::isRoute(row))
        return;
    for (int column = 1; column < RouteTable::ColumnCount; ++column)
        table.setText(row, column, QString());
}

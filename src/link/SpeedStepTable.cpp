#include "SpeedStepTable.h"

#include <initializer_list>
#include <vector>

namespace {

// First row of step 1, 2, 3, ... for the columns that step irregularly.
const std::vector<int> FirstRows14 = {2, 10, 19, 29, 38, 48, 56, 67, 76, 86, 95, 105, 114, 124};
const std::vector<int> FirstRows28 = {2,  7,  11, 16, 20, 25, 29, 34, 38,  43,  47,  52,  56,  61,
                                      65, 70, 74, 79, 83, 88, 92, 97, 101, 106, 110, 115, 119, 124};
const std::vector<int> FirstRows15 = {2, 8, 17, 26, 35, 44, 53, 62, 71, 80, 89, 98, 107, 116, 125};
const std::vector<int> FirstRows27 = {2,  8,  13, 17, 22, 26, 31, 35, 40,  44,  49,  53,  58, 63,
                                      67, 71, 76, 80, 85, 89, 94, 98, 103, 107, 112, 116, 121};

std::vector<int> firstRows31() {
    std::vector<int> rows = {2};
    for (int s = 2; s <= 31; ++s)
        rows.push_back(4 * s);
    return rows;
}

} // namespace

void SpeedStepTable::BuildSpeedStepTable() {
    m_steps = {};
    const auto fill = [this](int column, const std::vector<int>& firstRows) {
        int step = 0;
        for (int row = 0; row <= 129; ++row) {
            while (step < static_cast<int>(firstRows.size()) && row >= firstRows[step])
                ++step;
            m_steps[row][column] = step;
        }
    };
    fill(0, FirstRows14);
    fill(1, FirstRows28);
    fill(3, firstRows31());
    fill(4, FirstRows15);
    fill(5, FirstRows27);
    for (int row = 2; row <= 127; ++row)
        m_steps[row][2] = row - 1;
    m_steps[128][2] = 126;
}

std::optional<int> SpeedStepTable::columnOfSpeedSteps(int speedSteps) {
    switch (speedSteps) {
    case 14:
        return 0;
    case 28:
        return 1;
    case 126:
    case 128:
        return 2;
    case 31:
        return 3;
    case 15:
        return 4;
    case 27:
        return 5;
    default:
        return std::nullopt;
    }
}

std::optional<int> SpeedStepTable::displayStep(int speed, int speedSteps) const {
    const auto column = columnOfSpeedSteps(speedSteps);
    if (!column || speed < 0 || speed >= Rows)
        return std::nullopt;
    return step(speed, *column);
}

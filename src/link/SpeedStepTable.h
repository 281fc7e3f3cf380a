#pragma once

#include <array>
#include <optional>

// The speed step to show for a LocoNet speed value (row 0..130) in each step
// mode (column 0..5).
class SpeedStepTable {
public:
    static constexpr int Rows = 131;
    static constexpr int Columns = 6;

    SpeedStepTable() { BuildSpeedStepTable(); }
    void BuildSpeedStepTable();

    int step(int speed, int column) const { return m_steps.at(speed).at(column); }
    // The column for a format's speed steps; none for steps it cannot show.
    static std::optional<int> columnOfSpeedSteps(int speedSteps);
    // The step to show, or none when the row or the speed steps do not apply.
    std::optional<int> displayStep(int speed, int speedSteps) const;

private:
    std::array<std::array<int, Columns>, Rows> m_steps{};
};

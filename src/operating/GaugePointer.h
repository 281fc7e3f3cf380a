#pragma once

// The speed gauge's pointer: 0 = stop .. 1 = full speed. Every tick it moves
// a quarter of the remaining way to its target, so it never jumps.
class GaugePointer {
public:
    float position() const { return m_position; }
    void step(double target) {
        m_position = 0.75f * m_position + 0.25f * static_cast<float>(target);
    }

private:
    float m_position = 0.0f;
};

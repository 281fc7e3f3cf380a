#pragma once

// What the LNCV jobs show in the module programming window.
class LncvView {
public:
    virtual ~LncvView() = default;
    // A module answered: the LNCV and its value.
    virtual void ShowLncv(int number, int value) = 0;
    // The module answered the start request and is in programming mode.
    virtual void ShowProgrammingMode() = 0;
};

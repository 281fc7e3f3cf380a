#pragma once

#include <QString>

// One line of the benchmark: what this run measured, with its targets, and
// whether it met them.
struct Figure {
    QString name;
    QString text;
    bool met;
};

// "name: text", and a mark when a target was missed.
void print(const Figure& figure);

// CPU time this process has used, in seconds.
double cpuSeconds();

// This process's resident memory.
double residentMegabytes();

// A share as a percentage with two decimals, "0.31 %".
QString percent(double share);

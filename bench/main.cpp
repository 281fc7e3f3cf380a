#include "Figures.h"

#include <QCoreApplication>
#include <functional>

// Prints the program's figures of speed and memory, each measured in this
// run with its target; ends with 1 when a target was missed.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::function<Figure()> figures[] = {
        saturation,
        latency,
        tickCost,
        routeSave,
        [] { return startUp(QCoreApplication::applicationDirPath()); },
    };
    bool allMet = true;
    for (const auto& measure : figures) {
        const Figure figure = measure();
        print(figure);
        allMet = allMet && figure.met;
    }
    return allMet ? 0 : 1;
}

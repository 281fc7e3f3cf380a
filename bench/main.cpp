#include "Figures.h"

#include <QApplication>
#include <functional>

// Prints the program's figures of speed and memory, each measured in this
// run with its target; ends with 1 when a target was missed. The monitor's
// figure draws its window, offscreen.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const std::function<Figure()> figures[] = {
        saturation,
        latency,
        tcpLine,
        tickCost,
        monitorOpen,
        routeSave,
        [] { return startUp(QCoreApplication::applicationDirPath()); },
        [] { return lineCost(QCoreApplication::applicationDirPath()); },
    };
    bool allMet = true;
    for (const auto& measure : figures) {
        const Figure figure = measure();
        print(figure);
        allMet = allMet && figure.met;
    }
    return allMet ? 0 : 1;
}

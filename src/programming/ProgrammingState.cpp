#include "ProgrammingState.h"

ProgrammingState::ProgrammingState() {
    CvList[StandardList] = {1, 2, 3, 4, 5, 6, 7, 8, 17, 18, 29};
    for (int i = 0; i < SpeedPoints; ++i)
        CvList[SpeedList].push_back(FirstSpeedCv + i);
    forgetValues();
}

void ProgrammingState::setValue(int cv, int value) {
    if (isCv(cv) && value >= 0 && value <= Unknown)
        CvValue[cv] = value;
}

#pragma once

class QCoreApplication;

// Qt's own dialogs speak German like the rest of the program, whatever the
// desktop's language: the file dialogs and the message boxes' buttons. The
// translations come with the system's Qt; without them Qt's texts stay
// English and nothing else changes. False when they were not found.
bool loadQtGerman(QCoreApplication& app);

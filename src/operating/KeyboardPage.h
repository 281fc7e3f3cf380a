#pragma once

#include <QString>

class JobMachine;
struct PanelPages;

// The accessory keyboard: which 16 accessories its keys switch, and what a
// key does while it is held down.
class KeyboardPage {
public:
    static constexpr int Keys = 16;

    KeyboardPage(PanelPages& pages, JobMachine& jobs) : m_pages(pages), m_jobs(jobs) {}

    int base() const;
    // The page chosen from the list. A page that was not shown yet has its
    // 16 states asked for (while connected); the lamps keep their colours
    // until the answers come. False when the page was shown already.
    bool select(int index);

    int address(int key) const { return base() + key; }
    QString keyTip(int key, bool green) const;
    // The output stays on while the key is down. Nothing is sent, and
    // nothing waits for the next connect, while the line is closed.
    void keyDown(int key, bool green);
    void keyUp(int key, bool green);

private:
    PanelPages& m_pages;
    JobMachine& m_jobs;
};

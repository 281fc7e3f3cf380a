#pragma once

#include "LinkHarness.h"
#include "operating/ui/MainWin.h"
#include "widgets/IndicatorLamp.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

// The main window on the program's link, the command station played by
// the test byte by byte.
struct MainWinOnLink {
    explicit MainWinOnLink(int stationType = 1) : h(3, stationType) { h.operating.windows = &win; }

    template <typename T = QWidget> T* get(const QString& name) {
        T* widget = win.findChild<T*>(name);
        if (!widget)
            qFatal("no %s", qPrintable(name));
        return widget;
    }
    // The control name_i, as the panels number theirs.
    template <typename T = QPushButton> T* control(const char* name, int i) {
        return get<T>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    }
    int lamp(const char* name, int i) { return control<IndicatorLamp>(name, i)->colour(); }
    void click(const char* name, int i) {
        QTest::mouseClick(control<QAbstractButton>(name, i), Qt::LeftButton);
    }
    QString text(const char* name) { return get<QLabel>(name)->text(); }
    QTabWidget* tabs() { return get<QTabWidget>("MainTab"); }
    void showTab(int index) { tabs()->setCurrentIndex(index); }

    // Echoes what the program sends until its jobs are over.
    QList<QByteArray> sent() {
        QList<QByteArray> wire;
        for (int i = 0; i < 400 && !h.core.jobs.idle(); ++i) {
            h.tick();
            if (!h.port.written.isEmpty()) {
                wire.append(h.port.takeWritten());
                h.receiveBytes(wire.last());
            }
        }
        h.ticks(3);
        return wire;
    }
    // Nothing goes out, and no job is left.
    bool quiet() {
        h.ticks(20);
        return h.port.written.isEmpty() && h.core.jobs.idle();
    }

    LinkHarness h;
    MainWin win{h.core, [] { return QList<int>{}; }};
};

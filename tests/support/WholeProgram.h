#pragma once

#include "TappedPort.h"
#include "app/ProgramWindows.h"
#include "app/Station.h"
#include "operating/MainWin.h"
#include "operating/MessageQueue.h"
#include "operating/OperatingRelay.h"
#include "platform/Clock.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"

#include <QAbstractButton>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The program put together as main.cpp does it: the station, the main window
// and the windows behind its menus, on the virtual command station behind a
// tapped line (USB interface on COM 1), with time on a manual clock. Every
// message box is kept as "title: text" and closed at once.
struct WholeProgram {
    WholeProgram() {
        QFile conf(confDir.filePath("conf.dat"));
        conf.open(QIODevice::WriteOnly);
        conf.write("3\r\n1\r\n");
        conf.close();
        station = std::make_unique<Station>(clock, port, messages, relay, confDir.path());
        win = std::make_unique<MainWin>(*station, [] { return QList<int>{1}; });
        relay.setTarget(win.get());
        messages.setParentWindow(win.get());
        windows = std::make_unique<ProgramWindows>(*station, *win, relay);
        QObject::connect(&messages, &MessageQueue::messageShown,
                         [this](const QString& text, const QString& title) {
                             shown.append(title + QStringLiteral(": ") + text);
                             messages.openBox()->done(0);
                         });
        win->StartUp();
        win->show();
    }

    template <typename T> T* get(const QString& name) {
        T* widget = win->findChild<T*>(name);
        if (!widget)
            qFatal("no %s", qPrintable(name));
        return widget;
    }
    void click(const QString& name) {
        QTest::mouseClick(get<QAbstractButton>(name), Qt::LeftButton);
    }

    // One 10 ms tick of the program as its timers would run it.
    void step() {
        win->connection().advance();
        if (station->timer1Running())
            station->ReceiveBytes();
        if (station->mainTimerRunning())
            station->MainTick();
        clock.advance(0.01);
    }
    // Clicks "Verbinden" and lets the connect run to its end.
    bool connectByClick() {
        click(QStringLiteral("OpenPortBut_1"));
        for (int i = 0; i < 3000 && win->connection().connecting(); ++i)
            step();
        return win->connection().connected();
    }

    ManualClock clock;
    VirtualStation layout;
    VirtualSerialPort line{clock, layout};
    TappedPort port{line};
    MessageQueue messages;
    OperatingRelay relay;
    QTemporaryDir confDir;
    std::unique_ptr<Station> station;
    std::unique_ptr<MainWin> win;
    std::unique_ptr<ProgramWindows> windows;
    QStringList shown;
};

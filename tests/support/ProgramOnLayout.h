#pragma once

#include "TappedPort.h"
#include "core/ProgramCore.h"
#include "operating/ui/MainWin.h"
#include "operating/ui/MessageQueue.h"
#include "operating/ui/OperatingRelay.h"
#include "platform/Clock.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

// The whole program in its main window, on the virtual command core
// behind a tapped line, with time on a manual clock. Every message box is
// kept (text and title) and closed at once.
struct ProgramOnLayout {
    // usb: the COM ports the USB search finds; by default the one in conf.dat.
    explicit ProgramOnLayout(int interfaceType = 3, int com = 1, SerialPort* realLine = nullptr,
                             int stationType = 1, std::optional<QList<int>> usb = std::nullopt)
        : layout(StationProfile::forType(stationType)), usbPorts(usb.value_or(QList<int>{com})) {
        QFile conf(confDir.filePath("conf.dat"));
        conf.open(QIODevice::WriteOnly);
        conf.write(QByteArray::number(interfaceType) + "\r\n" + QByteArray::number(com) + "\r\n");
        conf.close();
        core = std::make_unique<ProgramCore>(clock, realLine ? *realLine : port, messages, relay,
                                             confDir.path());
        win = std::make_unique<MainWin>(*core, [this] { return usbPorts; });
        relay.setTarget(win.get());
        messages.setParentWindow(win.get());
        QObject::connect(&messages, &MessageQueue::messageShown,
                         [this](const QString& text, const QString& title) {
                             shown.append(text);
                             titles.append(title);
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
    // What the user types replaces the field's text.
    static void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }
    void type(const QString& field, const QString& text) { type(get<QLineEdit>(field), text); }

    // One 10 ms tick of the program as its timers would run it.
    void step() {
        win->connection().advance();
        if (core->timer1Running())
            core->ReceiveBytes();
        if (core->mainTimerRunning())
            core->MainTick();
        clock.advance(0.01);
    }
    void run(double seconds) {
        for (int i = 0; i < qRound(seconds / 0.01); ++i)
            step();
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
    QList<int> usbPorts;
    VirtualSerialPort line{clock, layout};
    TappedPort port{line};
    MessageQueue messages;
    OperatingRelay relay;
    QTemporaryDir confDir;
    std::unique_ptr<ProgramCore> core;
    std::unique_ptr<MainWin> win;
    QStringList shown;
    QStringList titles;
};

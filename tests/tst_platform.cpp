#include "platform/CodePage1252.h"
#include "platform/ComPortNames.h"
#include "platform/PortTexts.h"
#include "platform/QtSerialPort.h"
#include "platform/SerialSettings.h"
#include "platform/TextFile.h"
#include "platform/UsbInterfaceSearch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>

namespace {
// A pseudo-terminal: the port opens its device, the test plays the far end.
struct FarEnd {
    ~FarEnd() { hangUp(); }
    void hangUp() { ::close(std::exchange(master, -1)); }
    bool send(const QByteArray& bytes) const {
        return ::write(master, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Its device as COM 7.
    ComPortNames names() const { return ComPortNames::fromText("7=" + device.toLocal8Bit()); }

    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    QString device = ::grantpt(master) == 0 && ::unlockpt(master) == 0
                         ? QString::fromLocal8Bit(::ptsname(master))
                         : QString();
};
} // namespace
#endif

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    // Bit rate, parity, data and stop bits; a text that is no setting gives none (bit rate 0).
    void settings_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("bitRate");
        QTest::addColumn<int>("stopBits");
        QTest::newRow("switch-over") << "2400,n,8,2" << 2400 << 2;
        QTest::newRow("usb") << "115200,N,8,1" << 115200 << 1;
        QTest::newRow("bad parity") << "19200,x,8,1" << 0 << 0;
        QTest::newRow("three stop bits") << "19200,n,8,3" << 0 << 0;
    }
    void settings() {
        QFETCH(QString, text);
        QFETCH(int, bitRate);
        QFETCH(int, stopBits);
        QVERIFY(SerialSettings::parse(text).value_or(SerialSettings{0, 'n', 8, 0}) ==
                (SerialSettings{bitRate, 'n', 8, stopBits}));
    }

    // What ports.dat names: after a byte-order mark, at CR alone, past lines that are no entry.
    void portsDatEntries() {
        const ComPortNames names = ComPortNames::fromText(
            "\xEF\xBB\xBF"
            "5=/dev/pts/7\rjunk\n=/dev/x\n0=/dev/zero\n300=/dev/big\r\n 6 = /dev/pts/9 \n");
        QCOMPARE(names.device(5), QString("/dev/pts/7"));
        QCOMPARE(names.device(6), QString("/dev/pts/9"));
        QCOMPARE(names.comNumber("/dev/pts/9"), 6);
        QCOMPARE(names.comNumber("/dev/big"), 0);
        QCOMPARE(names.comNumber("/dev/nothing"), 0);
    }

    void registerPortKeepsOtherLines() {
        QTemporaryDir dir;
        const QString path = dir.filePath("ports.dat");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("3=/dev/pts/1\r\n4=/dev/pts/2\r\n"));
        file.close();
        QString error;
        QVERIFY(ComPortNames::registerPort(path, 4, "/dev/pts/8", &error));
        QVERIFY(ComPortNames::registerPort(path, 9, "/dev/pts/9", &error));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("3=/dev/pts/1\r\n4=/dev/pts/8\r\n9=/dev/pts/9\r\n"));

        // Lines that cannot be read cannot be kept: a folder in the file's place is refused.
        QVERIFY(!ComPortNames::registerPort(dir.path(), 4, "/dev/pts/8", &error));
        QVERIFY2(error.contains("Ordner"), qPrintable(error));
    }

    // Every byte reads as a character and writes back as the same byte.
    void codePage1252() {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all += char(b);
        QCOMPARE(cp1252::encode(cp1252::decode(all)).value_or("<refused>"), all);
    }

    // Lines (parted by "|" here) end at CR LF, LF or CR; after a byte-order mark the text is
    // the UTF-8 it announces, unless it is no UTF-8.
    void textLines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("lines");
        QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd") << "a|b|c|d";
        QTest::newRow("empty lines stay") << QByteArray("\r\n\r\nx\r\n") << "||x";
        QTest::newRow("code page") << QByteArray("Gr\xFCn \x80\n") << "Grün €";
        QTest::newRow("UTF-8 after a mark") << QByteArray("\xEF\xBB\xBFGr\xC3\xBCn\r\n") << "Grün";
        QTest::newRow("code page after a mark") << QByteArray("\xEF\xBB\xBFGr\xFCn\r\n") << "Grün";
        QTest::newRow("only a mark") << QByteArray("\xEF\xBB\xBF") << "";
    }
    void textLines() {
        QFETCH(QByteArray, content);
        QTEST(::textLines(content).join('|'), "lines");
    }

    // Why a port does not open, in words that say what to do (the parts parted by "|").
    void openFailureTexts_data() {
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("says");
        QTest::newRow("not there")
            << QSerialPort::DeviceNotFoundError << ""
            << "ComPort 33 (/dev/ttyUSB0) ist nicht vorhanden|Conf/ports.dat|33=/dev/ttyUSB0";
        QTest::newRow("no permission")
            << QSerialPort::PermissionError << "uucp"
            << "Keine Berechtigung für ComPort 33 (/dev/ttyUSB0)|Gruppe „uucp“|udev-Regel";
        QTest::newRow("anything else")
            << QSerialPort::UnsupportedOperationError << ""
            << "ComPort 33 (/dev/ttyUSB0) lässt sich nicht öffnen: Invalid argument";
    }
    void openFailureTexts() {
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(QString, group);
        QFETCH(QString, says);
        const QString text =
            openFailureText(error, "/dev/ttyUSB0", 33, {false, group}, "Invalid argument");
        for (const QString& part : says.split('|'))
            QVERIFY2(text.contains(part), qPrintable(text));
    }

#ifdef Q_OS_UNIX
    // A second port on the same device finds it busy. However the loss of the line is found,
    // the port is closed at once and says so once; nothing is left that could try again.
    void lostLineClosesAndSaysSoOnce_data() {
        QTest::addColumn<int>("foundBy");
        QTest::newRow("write") << 0;
        QTest::newRow("reader") << 1;
        QTest::newRow("event loop, nothing read yet") << 2;
    }
    void lostLineClosesAndSaysSoOnce() {
        QFETCH(int, foundBy);
        FarEnd far;
        QtSerialPort port(far.names()), second(far.names());
        QStringList lost;
        port.onLineLost = [&](const QString& reason) { lost.append(reason); };
        QVERIFY(port.open(7));
        QVERIFY(!second.open(7));
        QVERIFY2(second.errorText().contains("ist belegt"), qPrintable(second.errorText()));
        // Without modem lines CTS counts as held.
        QVERIFY(port.ctsHolding());
        if (foundBy == 1) {
            // Qt's notifier may take the first byte; the rest waits for the reader and comes
            // behind it, all at once.
            QByteArray sent;
            for (int i = 0; i < 300; ++i)
                sent += char(i);
            QVERIFY(far.send(sent));
            QTRY_COMPARE(port.bytesWaiting(), qint64(sent.size()));
            QCOMPARE(port.readAll(), sent);
        }
        far.hangUp();
        if (foundBy == 0)
            QVERIFY(!port.write("\x82\x7D"));
        else if (foundBy == 1)
            QCOMPARE(port.bytesWaiting(), 0);
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY2(lost[0].contains(far.device), qPrintable(lost[0]));
        QVERIFY(!port.isOpen());

        int writesTaken = 0;
        for (int turn = 0; turn < 100; ++turn) {
            QCoreApplication::processEvents();
            writesTaken += port.write("\x82\x7D");
        }
        QCOMPARE(writesTaken, 0);
        QCOMPARE(lost.size(), 1);
    }
#endif

    // The interface's vendor and product numbers, on a device that ports.dat or the default
    // names (COM 33 on for the USB adapters) give a COM number; ten at most.
    void usbSearchFindsTheInterfaces() {
        const ComPortNames names = ComPortNames::fromText("7=/dev/ttyUSB7x\n");
        QList<SerialPortEntry> ports = {{"/dev/ttyS0", false, 0, 0},
                                        {"/dev/ttyUSB2", true, 0x10C4, 0xEA60},
                                        {"/dev/ttyUSB3", true, 0x10C4, 0xEA61},
                                        {"/dev/ttyUSB4", true, 0x0403, 0xEA60},
                                        {"/dev/ttyUSB7x", true, 0x10C4, 0xEA60},
                                        {"/dev/unknown", true, 0x10C4, 0xEA60}};
        QCOMPARE(usbInterfaceComPorts(ports, names), (QList<int>{35, 7}));
        for (int i = 10; i < 20; ++i)
            ports.append({QString("/dev/ttyUSB%1").arg(i), true, 0x10C4, 0xEA60});
        QCOMPARE(usbInterfaceComPorts(ports, names),
                 (QList<int>{35, 7, 43, 44, 45, 46, 47, 48, 49, 50}));
    }
};

QTEST_GUILESS_MAIN(PlatformTest)
#include "tst_platform.moc"

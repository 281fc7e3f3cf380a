#pragma once

#include "link/Connection.h"
#include "link/ConnectionView.h"
#include "link/HexText.h"
#include "link/OperatingView.h"

#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <array>
#include <functional>
#include <optional>

class FeedbackTab;
class HelpKey;
class IndicatorLamp;
class KeyboardTab;
class MainKeys;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMessageBox;
class QPushButton;
class QTabWidget;
class ProgramCore;
class ThrottlePanel;

// The program's main window: track power, the connection, the two throttles
// and the panels on the tabs, the raw message line, and the menus that open
// every other window.
class MainWin : public QMainWindow, public OperatingView, public ConnectionView {
    Q_OBJECT
public:
    using UsbPortList = std::function<QList<int>()>;

    // listUsbComPorts tells where USB LocoNet interfaces are plugged in;
    // without it the serial ports of this machine are searched.
    explicit MainWin(ProgramCore& core, UsbPortList listUsbComPorts = {},
                     QWidget* parent = nullptr);

    // The program's start: conf.dat and the start values, the port field,
    // the status texts and the USB search.
    void StartUp();

    // A menu item whose window another part of the program builds: the item
    // is enabled and shows the window, made on first use, modeless.
    void attachWindow(const QString& actionName, std::function<QWidget*()> create);
    // Puts a panel on tab 2, 3 or 4 ("Keyboard", "Rückmelder", "Memory").
    void setTabPage(int index, QWidget* page);

    // Ends the program as "Beenden" does, but asks nothing: when the routes
    // cannot be saved, their old file stays as it is. For an end from
    // outside, where nobody may be there to answer.
    void endWithoutQuestions();

    Connection& connection() { return m_connection; }
    ThrottlePanel& throttle(int t) { return *m_throttles[t]; }
    HelpKey& help() { return *m_help; }

    // OperatingView
    void SetLinkBusy(bool busy) override;
    void ShowPowerState(int on) override;
    void ShowThrottle(int t) override;
    void ShowLocoPicture(int t) override;
    void ShowKeyLamp(int key, int colour) override;
    void ShowFeedback(int contact) override;

    // ConnectionView
    void ShowInterfaceInfo(const QString& text) override;
    void ShowStationInfo(const QString& text) override;
    void ShowPortState(PortState state) override;
    void ShowPortNumber(int comPortNumber) override;
    void ShowPowerUnknown() override;
    void FocusThrottleAddress() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildPowerArea();
    QGroupBox* buildConnectionArea();
    QTabWidget* buildTabs();
    QGroupBox* buildRawMessageArea();
    void buildMenus();
    void buildPanels();
    QAction* addItem(QMenu* menu, const char* name, const QString& caption);
    void showPowerButton(const QString& caption, int colour);
    void onStopGo();
    void onSendRawMessage();
    void showTypedMeaning();
    std::optional<int> typedPortNumber() const;
    std::optional<int> portToConnect() const;
    void showPortValidity();
    void showWindow(const QString& actionName);
    void showInfo();
    bool endWithoutRoutes();

    ProgramCore& m_core;
    Connection m_connection;
    HelpKey* m_help;
    PortState m_portState = PortState::Closed;
    // The user has chosen to end; the routes are saved or given up.
    bool m_ending = false;
    // Ended from outside: no question stops it.
    bool m_askBeforeEnd = true;
    QPointer<QMessageBox> m_endQuestion;

    QPushButton* m_stopGo = nullptr;
    IndicatorLamp* m_powerLamp = nullptr;
    QLineEdit* m_port = nullptr;
    QPushButton* m_connect = nullptr;
    QPushButton* m_disconnect = nullptr;
    QLabel* m_interfaceInfo = nullptr;
    QLabel* m_stationInfo = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::array<ThrottlePanel*, 2> m_throttles{};
    KeyboardTab* m_keyboard = nullptr;
    FeedbackTab* m_feedback = nullptr;
    MainKeys* m_keys = nullptr;
    QLineEdit* m_message = nullptr;
    QPushButton* m_send = nullptr;
    QLabel* m_messageMeaning = nullptr;
    QMenu* m_settingsMenu = nullptr;
    // The tools that start jobs; the busy state locks them. The monitor only
    // watches and stays usable.
    QList<QAction*> m_toolJobItems;
    bool m_linkBusy = true;

    QMap<QString, std::function<QWidget*()>> m_windowMakers;
    QMap<QString, QPointer<QWidget>> m_windows;
};

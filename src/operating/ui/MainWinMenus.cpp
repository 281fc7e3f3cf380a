#include "HelpKey.h"
#include "MainWin.h"
#include "ZentraleForm.h"
#include "core/ProgramCore.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>

namespace {
// Items whose windows other parts of the program attach; until then they
// stay disabled.
const char* const WindowItems[] = {"GrundeinMenu", "LokEinstMenu", "SOMenu",
                                   "VersionMenu",  "ResetMenu",    "FaStrEdit",
                                   "DDCProgMenu",  "LNProgMenu",   "MonitorMenu"};

QMenu* addMenu(QMenuBar* bar, const char* name, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}
} // namespace

void MainWin::buildMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = addMenu(bar, "DateiMenu", QStringLiteral("&Datei"));
    connect(addItem(file, "EndeMenu", QStringLiteral("Beenden")), &QAction::triggered, this,
            &MainWin::close);

    m_settingsMenu = addMenu(bar, "EinstellMenu", QStringLiteral("&Einstellungen"));
    addItem(m_settingsMenu, "GrundeinMenu", QStringLiteral("Grundeinstellungen"));
    addItem(m_settingsMenu, "LokEinstMenu", QStringLiteral("Lokdatenformat einzeln"));
    addItem(m_settingsMenu, "SOMenu", QStringLiteral("Sonderoptionen"));
    addItem(m_settingsMenu, "VersionMenu", QStringLiteral("Serien- und Versionsnummer"));
    addItem(m_settingsMenu, "ResetMenu", QStringLiteral("Zurücksetzen"));
    m_settingsMenu->addSeparator();
    addItem(m_settingsMenu, "FaStrEdit", QStringLiteral("Fahrstrassentabelle"));
    m_settingsMenu->addSeparator();

    QMenu* tools = addMenu(bar, "ToolsMenu", QStringLiteral("&Werkzeuge"));
    m_toolJobItems = {addItem(tools, "DDCProgMenu", QStringLiteral("DCC Decoder programmieren")),
                      addItem(tools, "LNProgMenu", QStringLiteral("LocoNet Module Programmieren"))};
    tools->addSeparator();
    // Opens from any window at any time, also before connecting or while a
    // job runs: it only watches.
    QAction* monitor = addItem(tools, "MonitorMenu", QStringLiteral("LocoNet Monitor"));
    monitor->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    monitor->setShortcutContext(Qt::ApplicationShortcut);

    QMenu* options = addMenu(bar, "OptMenu", QStringLiteral("&Optionen"));
    connect(addItem(options, "ZentraleMen", QStringLiteral("Interface auswählen")),
            &QAction::triggered, this, [this] { showWindow(QStringLiteral("ZentraleMen")); });
    m_windowMakers[QStringLiteral("ZentraleMen")] = [this] {
        return new ZentraleForm(
            [this] {
                const Link& link = m_core.state.link;
                return InterfaceChoice{link.InterfaceType, link.Server};
            },
            [this](const InterfaceChoice& choice) {
                m_connection.chooseInterface(choice.interfaceType, choice.server);
                showPortValidity();
            },
            this);
    };

    QMenu* help = addMenu(bar, "InfoHelpMenu", QStringLiteral("&?"));
    connect(addItem(help, "HelpMenu", QStringLiteral("Hilfe")), &QAction::triggered, m_help,
            &HelpKey::open);
    connect(addItem(help, "InfoMenu", QStringLiteral("Info")), &QAction::triggered, this,
            &MainWin::showInfo);

    for (const char* name : WindowItems) {
        QAction* item = findChild<QAction*>(QLatin1String(name));
        item->setEnabled(false);
        connect(item, &QAction::triggered, this, [this, name] { showWindow(QLatin1String(name)); });
    }
}

QAction* MainWin::addItem(QMenu* menu, const char* name, const QString& caption) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    return item;
}

void MainWin::attachWindow(const QString& actionName, std::function<QWidget*()> create) {
    m_windowMakers[actionName] = std::move(create);
    QAction* item = findChild<QAction*>(actionName);
    item->setEnabled(!m_linkBusy || !m_toolJobItems.contains(item));
}

void MainWin::showWindow(const QString& actionName) {
    QPointer<QWidget>& window = m_windows[actionName];
    if (!window) {
        window = m_windowMakers.value(actionName)();
        if (!window->parent())
            window->setParent(this, window->windowFlags() | Qt::Window);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWin::showInfo() {
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Info"),
                                QStringLiteral("GX-Velomat\n\n"
                                               "Steuerprogramm für die digitale Modellbahn\n"
                                               "über LocoNet: zwei Fahrpulte, Keyboard,\n"
                                               "Rückmelder, Fahrstrassen, Programmierung\n"
                                               "von DCC-Decodern und LocoNet-Modulen,\n"
                                               "Einstellungen der Zentrale.\n\n"
                                               "Dornquist Vovurerezu GmbH\n\n"
                                               "    Version: " GX_VERSION "\n\n"
                                               "Conf-Ordner: ") +
                                    QDir::toNativeSeparators(m_core.confFolder()),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("InfoBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

#include "ProgramWindows.h"

#include "Station.h"
#include "monitor/MonitorWindow.h"
#include "operating/HelpKey.h"
#include "operating/MainWin.h"
#include "operating/OperatingRelay.h"
#include "programming/DCCProg.h"
#include "programming/lncv/F47500.h"
#include "programming/lncv/LNProg.h"
#include "routes/FaStrEditForm.h"
#include "settings/Grundeinst.h"
#include "settings/Lokeinst.h"
#include "settings/Reset.h"
#include "settings/SOWin.h"
#include "settings/Version.h"

ProgramWindows::ProgramWindows(Station& station, MainWin& window, OperatingRelay& operating)
    : m_station(station), m_operating(operating),
      m_zeltron(station.state, station.lncv, &F47500::create),
      m_monitorLog(station.state.clock, station.link) {
    SettingsJobs& settings = station.settings;
    window.attachWindow("GrundeinMenu", [&settings] { return new Grundeinst(settings); });
    window.attachWindow("LokEinstMenu", [&settings] { return new Lokeinst(settings); });
    window.attachWindow("SOMenu", [&settings] { return new SOWin(settings); });
    window.attachWindow("VersionMenu", [&station] {
        return new Version(station.state.answers, station.state.hooks, station.jobs);
    });
    window.attachWindow("ResetMenu", [&settings] { return new Reset(settings); });
    window.attachWindow("FaStrEdit", [&station] {
        auto* editor = new FaStrEditForm(station.routes.table);
        station.routes.engine.setMonitorView(editor);
        QObject::connect(editor, &FaStrEditForm::routesEdited, editor,
                         [&station] { station.routes.SaveEdit(station.routeFilePath()); });
        return editor;
    });
    window.attachWindow("DDCProgMenu", [&station, &window] {
        auto* dcc = new DCCProg(station.state.messages, station.programming, station.confFolder());
        QObject::connect(dcc, &DCCProg::helpRequested, &window,
                         [&window] { window.help().open(); });
        return dcc;
    });
    window.attachWindow("LNProgMenu", [&station] { return new LNProg(station.lncv); });
    station.link.tap = &m_monitorLog;
    window.attachWindow("MonitorMenu", [this, &station] {
        return new MonitorWindow(m_monitorLog, station.state.messages);
    });
    operating.setZeltronWindows([this](int w) { m_zeltron.show(w); });
}

ProgramWindows::~ProgramWindows() {
    m_station.link.tap = nullptr;
    m_operating.setZeltronWindows(nullptr);
}

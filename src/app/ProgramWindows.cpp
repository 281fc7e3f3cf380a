#include "ProgramWindows.h"

#include "Station.h"
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
    : m_operating(operating), m_zeltron(station.state, station.lncv, &F47500::create) {
    SettingsJobs& settings = station.settings;
    window.attachWindow("GrundeinMenu", [&settings] { return new Grundeinst(settings); });
    window.attachWindow("LokEinstMenu", [&settings] { return new Lokeinst(settings); });
    window.attachWindow("SOMenu", [&settings] { return new SOWin(settings); });
    window.attachWindow("VersionMenu", [&station] { return new Version(station.state); });
    window.attachWindow("ResetMenu", [&settings] { return new Reset(settings); });
    window.attachWindow("FaStrEdit", [&station] {
        auto* editor = new FaStrEditForm(station.routes.table);
        station.routes.engine.setMonitorView(editor);
        QObject::connect(editor, &FaStrEditForm::routesEdited, editor,
                         [&station] { station.routes.SaveEdit(station.routeFilePath()); });
        return editor;
    });
    window.attachWindow("DDCProgMenu", [&station, &window] {
        auto* dcc = new DCCProg(station.state, station.programming, station.confFolder());
        QObject::connect(dcc, &DCCProg::helpRequested, &window,
                         [&window] { window.help().open(); });
        return dcc;
    });
    window.attachWindow("LNProgMenu", [&station] { return new LNProg(station.lncv); });
    operating.setZeltronWindows([this](int w) { m_zeltron.show(w); });
}

ProgramWindows::~ProgramWindows() {
    m_operating.setZeltronWindows(nullptr);
}

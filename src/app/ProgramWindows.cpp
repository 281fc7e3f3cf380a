#include "ProgramWindows.h"

#include "core/ProgramCore.h"
#include "monitor/ui/MonitorWindow.h"
#include "operating/ui/F47500.h"
#include "operating/ui/HelpKey.h"
#include "operating/ui/MainWin.h"
#include "operating/ui/OperatingRelay.h"
#include "programming/lncv/ui/LNProg.h"
#include "programming/ui/DCCProg.h"
#include "routes/ui/FaStrEditForm.h"
#include "settings/ui/Grundeinst.h"
#include "settings/ui/Lokeinst.h"
#include "settings/ui/Reset.h"
#include "settings/ui/SOWin.h"
#include "settings/ui/Version.h"

ProgramWindows::ProgramWindows(ProgramCore& core, MainWin& window, OperatingRelay& operating)
    : m_core(core), m_operating(operating), m_zeltron(core.state, core.lncv, &F47500::create),
      m_monitorLog(core.state.clock, core.link) {
    SettingsJobs& settings = core.settings;
    window.attachWindow("GrundeinMenu", [&settings] { return new Grundeinst(settings); });
    window.attachWindow("LokEinstMenu", [&settings] { return new Lokeinst(settings); });
    window.attachWindow("SOMenu", [&settings] { return new SOWin(settings); });
    window.attachWindow("VersionMenu", [&core] {
        return new Version(core.state.answers, core.state.hooks, core.jobs);
    });
    window.attachWindow("ResetMenu", [&settings] { return new Reset(settings); });
    window.attachWindow("FaStrEdit", [&core] {
        auto* editor = new FaStrEditForm(core.routes.table);
        core.routes.engine.setMonitorView(editor);
        QObject::connect(editor, &FaStrEditForm::routesEdited, editor,
                         [&core] { core.routes.SaveEdit(core.routeFilePath()); });
        return editor;
    });
    window.attachWindow("DDCProgMenu", [&core, &window] {
        auto* dcc = new DCCProg(core.state.messages, core.programming, core.confFolder());
        QObject::connect(dcc, &DCCProg::helpRequested, &window,
                         [&window] { window.help().open(); });
        return dcc;
    });
    window.attachWindow("LNProgMenu", [&core] { return new LNProg(core.lncv); });
    core.link.tap = &m_monitorLog;
    window.attachWindow("MonitorMenu", [this, &core] {
        return new MonitorWindow(m_monitorLog, core.state.messages);
    });
    operating.setZeltronWindows([this](int w) { m_zeltron.show(w); });
}

ProgramWindows::~ProgramWindows() {
    m_core.link.tap = nullptr;
    m_operating.setZeltronWindows(nullptr);
}

#include "operating/LocoAddress.h"
#include "operating/ui/ThrottlePanel.h"
#include "routes/RouteFile.h"
#include "routes/RouteTable.h"
#include "sim/BusFramer.h"
#include "sim/StationMessage.h"
#include "support/WholeProgram.h"

#include <QMenu>
#include <QRandomGenerator>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

// A seeded random session on the virtual station: the user works the windows, long jobs among
// them, while other devices drive and report. No feedback report may be lost, no box may come
// (the station has no faults); at rest every job has left the programming track and freed its
// window, and each locomotive drives as its throttle shows it. FS.DAT ends as the table in memory.

namespace {
constexpr int UserAddresses[] = {1, 3, 4, 7, 12, 27, 78, 1234, 9999};
constexpr int OtherAddresses[] = {200, 201, 202, 310};
// What the steps mostly touch, so that the routes and bus meet.
constexpr int NearContacts = 64, NearAccessories = 32, NearRoutes = 16;

template <typename... Args> QString text(const char* what, const Args&... args) {
    QString text = QString::fromUtf8(what);
    ((text = text.arg(args)), ...);
    return text;
}
QString indexed(const char* name, int i) {
    return text("%1_%2", QLatin1String(name), i);
}

class Session {
public:
    Session(WholeProgram& program, quint32 seed) : p(program), rng(seed) {
        auto routes = p.core->state.hooks.OnFeedbackForRoutes;
        p.core->state.hooks.OnFeedbackForRoutes = [this, routes](int contact, int state) {
            ++m_reportsDispatched;
            routes(contact, state);
        };
        // Other throttles take their locomotives first.
        for (const int address : OtherAddresses)
            send({0xBF, address / 128, address % 128});
        ticks(20);
    }

    void runStep() {
        const int roll = pick(1, 100);
        if (roll <= 25)
            return ticks(pick(1, 50));
        if (roll <= 55)
            return runOneOf(BusSteps);
        if (roll <= 93)
            return runOneOf(UserSteps);
        // The user does not wait for the bus to fall quiet.
        reportContacts(pick(20, 120));
        for (int i = 0; i < 3; ++i) {
            ticks(pick(0, 2));
            runOneOf(UserSteps);
        }
    }

    // Empty when the program has kept up with the bus and shown no box.
    QString check() {
        for (int i = 0; p.layout.line().nextArrival(p.clock.now()) >= 0; ++i) {
            if (i == 1000)
                return QStringLiteral("the line never fell quiet");
            ticks(1);
        }
        if (!p.shown.isEmpty())
            return text("message box \"%1\": %2", p.titles.first(), p.shown.first());
        for (const QByteArray& m : m_framer.receive(std::exchange(p.port.received, {}))) {
            m_reportsReceived += static_cast<quint8>(m[0]) == 0xB2;
            if (m.size() == 7 && m.startsWith(QByteArray::fromHex("E507014758")))
                m_trackModes += m[5] == 0x41 ? 1 : -1;
        }
        if (m_reportsReceived != m_reportsDispatched)
            return text("%1 feedback reports read from the line, %2 dispatched", m_reportsReceived,
                        m_reportsDispatched);
        const auto& state = p.core->state.feedback.FeedbackState;
        for (int c = 0; c < FeedbackContacts::Count; ++c) {
            if (const int bus = p.layout.accessories.contact(c); state[c] != bus)
                return text("contact %1: the program has %2, the bus said %3", c, state[c], bus);
        }
        return p.core->jobs.idle() ? checkAtRest() : QString();
    }

private:
    // Every job has run to its proper end, and nothing a throttle asked for was lost on the way.
    QString checkAtRest() {
        if (m_trackModes != 0)
            return QStringLiteral("the programming track was entered without being left");
        if (auto* dcc = p.win->findChild<QWidget*>(QStringLiteral("DCCProg"));
            dcc && dcc->findChild<QAbstractButton*>(QStringLiteral("Cancel"))->isEnabled())
            return QStringLiteral("the programming window stays busy with no job");
        for (const auto& [address, intent] : m_intent.asKeyValueRange()) {
            const int slot = p.layout.locos.slotOf(address);
            if (slot < 0)
                continue;
            const LocoSlots::Slot& driven = p.layout.locos.slot(slot);
            const int has[] = {driven.speed, driven.dirf, driven.snd};
            for (int field = 0; field < IntentFields; ++field) {
                if (const auto wanted = intent[field]; wanted && *wanted != has[field])
                    return text("locomotive %1: field %2 set to %3, slot %4 has %5", address, field,
                                *wanted, slot, has[field]);
            }
        }
        return {};
    }

    int pick(int from, int to) { return static_cast<int>(rng.bounded(from, to + 1)); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    template <typename T, std::size_t N> T any(const T (&values)[N]) {
        return values[pick(0, static_cast<int>(N) - 1)];
    }

    // What the user last set for a locomotive by address, as the throttle's record holds it;
    // unknown until set, and again once another throttle sends it or the throttle lets go.
    enum IntentField { SpeedField, DirFField, SndField, IntentFields };
    using Intent = std::array<std::optional<int>, IntentFields>;
    void noteIntent(int t, std::initializer_list<IntentField> fields) {
        static const int recordFields[] = {SlotRecord::Speed, SlotRecord::DirF, SlotRecord::Snd};
        if (const auto address = locoAddressOf(p.get<QLineEdit>(indexed("LokAdr", t))->text())) {
            for (const IntentField f : fields)
                m_intent[*address][f] = p.core->state.station.ThrottleData[t][recordFields[f]];
        }
    }

    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            p.step();
            if (++m_ticks % 10 == 0) { // the throttles' pointer timer runs every 100 ms
                p.win->throttle(0).ZeigerTimerTick();
                p.win->throttle(1).ZeigerTimerTick();
            }
        }
    }
    void send(std::initializer_list<int> bytes) {
        p.layout.deviceSends(sim::message(bytes), p.clock.now());
    }
    // The user can only change the tab while no job holds the tab bar.
    bool showTab(int tab) {
        auto* tabs = p.get<QTabWidget>(QStringLiteral("MainTab"));
        if (tabs->currentIndex() != tab && tabs->tabBar()->isEnabled())
            tabs->setCurrentIndex(tab);
        return tabs->currentIndex() == tab;
    }
    void onThrottle() {
        for (const int first = pick(0, 1); const int t : {first, 1 - first}) {
            if (showTab(t))
                return runOneOf(ThrottleSteps, t);
        }
    }

    // The system holds the program up while the bus goes on; then it reads all at once.
    void programHeldUp() {
        reportContacts(pick(20, 120));
        p.clock.advance(pick(20, 300) / 1000.0);
    }
    void contactsReport() { reportContacts(chance(30) ? pick(10, 120) : 1); }
    void reportContacts(int n) {
        for (int i = 0; i < n; ++i) {
            const int contact =
                chance(70) ? pick(0, NearContacts - 1) : pick(0, FeedbackContacts::Count - 1);
            p.layout.reportContact(contact, chance(50), p.clock.now());
        }
    }
    // Another throttle drives a locomotive, maybe one the user drives too.
    void otherThrottle() {
        int slot = p.layout.locos.slotOf(any(OtherAddresses));
        if (const int user = p.core->state.station.ThrottleSlot[pick(0, 1)]; user > 0 && chance(30))
            slot = user;
        const int field = pick(0, 2);
        static const int largest[] = {127, 0x3F, 0x0F};
        send({0xA0 + field, slot, pick(0, largest[field])});
        m_intent[p.layout.locos.slot(slot).address][field].reset();
    }

    // Now and then the user types an address and leaves it without Enter.
    void enterAddress(int t) {
        auto* field = p.get<QLineEdit>(indexed("LokAdr", t));
        if (const std::optional<int> old = locoAddressOf(field->text()))
            m_intent.remove(*old);
        p.type(field, QString::number(any(UserAddresses)));
        if (chance(80))
            QTest::keyClick(field, Qt::Key_Return);
    }
    // The keys move the slider, stop, or turn round.
    void moveSlider(int t) {
        auto* slider = p.get<QSlider>(indexed("FSTScroll", t));
        const int before = slider->value();
        static const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_End,
                                       Qt::Key_0,  Qt::Key_9,    Qt::Key_Minus,  Qt::Key_Backspace};
        const Qt::Key key = any(keys);
        QTest::keyClick(slider, key);
        if (key == Qt::Key_Minus || key == Qt::Key_Backspace)
            noteIntent(t, {SpeedField, DirFField});
        else if (slider->value() != before || (key >= Qt::Key_0 && key <= Qt::Key_9))
            noteIntent(t, {SpeedField});
    }
    void direction(int t) {
        p.click(indexed("DIR", 2 * t + pick(0, 1)));
        noteIntent(t, {SpeedField, DirFField});
    }
    void function(int t) {
        const int n = pick(0, 12);
        p.click(indexed("FCmd", 13 * t + n));
        if (n <= 4)
            noteIntent(t, {DirFField});
        else if (n <= 8)
            noteIntent(t, {SndField});
    }

    // A window behind a menu item, opened when the item and its menu are enabled.
    QWidget* menuWindow(const char* item, const char* window) {
        if (auto* shown = p.win->findChild<QWidget*>(QLatin1String(window));
            shown && shown->isVisible())
            return shown;
        QAction* action = p.get<QAction>(QLatin1String(item));
        for (QObject* menu : action->associatedObjects()) {
            if (!action->isEnabled() || !qobject_cast<QMenu*>(menu)->menuAction()->isEnabled())
                return nullptr;
        }
        action->trigger();
        return p.get<QWidget>(QLatin1String(window));
    }
    static void clickIn(QWidget* window, const QString& button) {
        window->findChild<QAbstractButton*>(button)->click();
    }

    // A status cell toggles, any other gets one command in the entry dialog; OK closes (saves).
    void editRoute() {
        QWidget* editor = menuWindow("FaStrEdit", "FaStrEditForm");
        if (!editor)
            return;
        if (chance(15))
            return clickIn(editor, QStringLiteral("OK_But"));
        const int row = chance(80) ? pick(1, NearRoutes) : pick(1, RouteTable::LastRoute);
        const int column = pick(RouteTable::EstablishedColumn, RouteTable::FirstCommandColumn + 6);
        auto* grid = editor->findChild<QTableView*>(QStringLiteral("FSTab"));
        grid->setCurrentIndex(grid->model()->index(row - 1, column - 1));
        QTest::keyClick(grid, Qt::Key_Return);
        auto* entry = editor->findChild<QWidget*>(QStringLiteral("AdrEingForm"));
        if (!entry->isVisible())
            return;
        static const std::pair<const char*, int> kinds[] = {{"MagAdrTxt", NearAccessories},
                                                            {"RmAdrTxt", NearContacts},
                                                            {"FSAdrTxt", NearRoutes},
                                                            {"PauTxt", 3}};
        const auto [field, last] = kinds[pick(0, RouteTable::isCommandColumn(column) ? 3 : 1)];
        p.type(entry->findChild<QLineEdit*>(QLatin1String(field)), QString::number(pick(1, last)));
        static const char* buttons[] = {"OKButton", "OKButton", "einf_but", "clr_but",
                                        "CancelButton"};
        clickIn(entry, QLatin1String(any(buttons)));
    }

    // The long jobs: standard CVs read, written or cut short; the basic settings read anew.
    void programDecoder() {
        if (QWidget* dcc = menuWindow("DDCProgMenu", "DCCProg")) {
            static const char* starts[] = {"DecRdCVBut", "DecWrCVBut"};
            auto* cancel = dcc->findChild<QAbstractButton*>(QStringLiteral("Cancel"));
            (cancel->isEnabled() ? cancel : dcc->findChild<QAbstractButton*>(any(starts)))->click();
        }
    }
    void readSettings() {
        if (QWidget* settings = menuWindow("GrundeinMenu", "Grundeinst")) {
            settings->hide();
            menuWindow("GrundeinMenu", "Grundeinst");
        }
    }

    template <typename... Args> using Steps = std::pair<int, void (Session::*)(Args...)>;
    using S = Session;
    static constexpr Steps<> BusSteps[] = {
        {14, &S::contactsReport}, {8, &S::otherThrottle}, {2, &S::programHeldUp}};
    static constexpr Steps<> UserSteps[] = {
        {20, &S::onThrottle}, {6, &S::editRoute}, {2, &S::programDecoder}, {1, &S::readSettings}};
    static constexpr Steps<int> ThrottleSteps[] = {
        {5, &S::enterAddress}, {6, &S::moveSlider}, {3, &S::direction}, {6, &S::function}};
    template <typename Step, std::size_t N, typename... Args>
    void runOneOf(const Step (&steps)[N], Args... args) {
        int total = 0;
        for (const Step& s : steps)
            total += s.first;
        for (int roll = pick(0, total - 1); const auto& [weight, action] : steps) {
            if ((roll -= weight) < 0)
                return (this->*action)(args...);
        }
    }

    WholeProgram& p;
    QRandomGenerator rng;
    BusFramer m_framer;
    qint64 m_ticks = 0;
    QMap<int, Intent> m_intent;
    // Programming track entered, less left, as the line carried it.
    int m_trackModes = 0;
    int m_reportsReceived = 0;
    int m_reportsDispatched = 0;
};
} // namespace

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void session() {
        QLocale::setDefault(QLocale::c());
        // The offscreen platform's note on every window opened would bury what matters.
        static const QtMessageHandler shown = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& text) {
                if (!text.startsWith(QLatin1String("This plugin does not support")))
                    shown(type, context, text);
            });
        const quint32 seed =
            qEnvironmentVariable("GX_SOAK_SEED",
                                 QString::number(QRandomGenerator::system()->generate()))
                .toUInt();
        const double seconds = qEnvironmentVariable("GX_SOAK_SECONDS", "60").toDouble();
        qInfo("soak seed %u (GX_SOAK_SEED=%u repeats it), %g simulated seconds", seed, seed,
              seconds);

        WholeProgram p;
        QVERIFY(p.connectByClick());
        Session session(p, seed);
        const double end = p.clock.now() + seconds;
        int steps = 0;
        while (p.clock.now() < end) {
            session.runStep();
            ++steps;
            if (const QString fault = session.check(); !fault.isEmpty())
                QFAIL(qPrintable(text("seed %1, step %2: %3", seed, steps, fault)));
        }

        QVERIFY(p.core->ShutDown());
        RouteTable saved;
        QVERIFY(ReadRouteFile(saved, p.core->routeFilePath()).whole);
        QCOMPARE(RouteFileLines(saved), RouteFileLines(p.core->routes.table));
        qInfo("%d steps", steps);
    }
};

QTEST_MAIN(SoakTest)
#include "tst_soak.moc"

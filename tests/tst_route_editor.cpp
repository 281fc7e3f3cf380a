#include "routes/ui/AdrEingForm.h"
#include "routes/ui/FaStrEditForm.h"
#include "routes/ui/RouteGrid.h"
#include "support/RouteBus.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using RT = RouteTable;

class RouteEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<RouteBus> bus;
    std::unique_ptr<FaStrEditForm> form;
    // Every change the user makes asks for the routes to be saved at once.
    std::unique_ptr<QSignalSpy> edited;
    RT* table = nullptr;

    RouteGrid* grid() const { return form->findChild<RouteGrid*>("FSTab"); }
    AdrEingForm* entry() const { return form->findChild<AdrEingForm*>("AdrEingForm"); }
    void openForm() {
        form = std::make_unique<FaStrEditForm>(*table);
        edited = std::make_unique<QSignalSpy>(form.get(), &FaStrEditForm::routesEdited);
        form->show();
    }
    template <class T> T* inEntry(const QString& name) const { return child<T>(*entry(), name); }

    void clickCell(int row, int column) {
        const QModelIndex index = grid()->model()->index(row - 1, column - 1);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(index).center());
    }
    void clickRouteNumber(int row) {
        QHeaderView* numbers = grid()->verticalHeader();
        grid()->scrollTo(grid()->model()->index(row - 1, 0));
        QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {},
                          QPoint(5, numbers->sectionViewportPosition(row - 1) + 3));
    }
    // What the user does in the entry dialog, step by step: field=text
    // replaces the field's text, a name alone chooses that option.
    void act(const QStringList& steps) {
        for (const QString& step : steps) {
            if (step.contains('='))
                typeInto(inEntry<QLineEdit>(step.section('=', 0, 0)), step.section('=', 1));
            else
                inEntry<QRadioButton>(step)->click();
        }
    }
    void press(const char* button) { inEntry<QPushButton>(button)->click(); }
    static QStringList numbered(int from, int to) {
        QStringList texts;
        for (int i = from; i <= to; ++i)
            texts.append("Pa-" + QString::number(i));
        return texts;
    }

private slots:
    void init() {
        form.reset(); // before the routes it shows
        bus = std::make_unique<RouteBus>();
        table = &bus->routes.table;
        openForm();
    }

    // "ändern" writes a command, unless the entry is out of range; insert
    // moves the commands after the cell right, delete moves them left. Each
    // button asks for a save; Esc leaves the commands and asks for none. A
    // trigger is written whatever ends the dialog, and is never deleted.
    void cellEntry_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("button"); // none: Esc
        QTest::addColumn<QStringList>("cells");
        using L = QStringList;
        const auto row = [](const char* name, int column, const L& steps, const char* button,
                            const L& cells) {
            QTest::newRow(name) << column << steps << QString(button) << cells;
        };
        const L old = L{"", ""} + numbered(1, 50);
        const int third = RT::FirstCommandColumn + 2;
        // "ändern" on command 3: the cell written, or none.
        const auto change = [&](const char* name, const L& steps, const char* cell = nullptr) {
            row(name, third, steps, "OKButton",
                cell ? L{"", ""} + numbered(1, 2) + L{cell} + numbered(4, 50) : old);
        };
        const L accessory{"MagAdrTxt=5", "MagOpt_1"};
        change("accessory", accessory, "Ma5-g");
        change("only digits are typed", {"MagAdrTxt=1a2", "MagOpt_0"}, "Ma12-r");
        change("feedback", {"RmAdrTxt=12", "RmOpt_1"}, "Rm12-b");
        change("route", {"FSAdrTxt=3", "FSOpt_2"}, "Fs3-an");
        change("route 208", {"FSAdrTxt=208", "FSOpt_3"}, "Fs208-al");
        change("pause 0010", {"PauTxt=0010"}, "Pa-10");
        change("accessory 2047", {"MagAdrTxt=2047", "MagOpt_0"}, "Ma2047-r");
        change("accessory 2048", {"MagAdrTxt=2048", "MagOpt_0"});
        change("accessory without direction", {"MagAdrTxt=7"});
        change("route 209", {"FSAdrTxt=209", "FSOpt_0"});
        change("route without action", {"FSAdrTxt=4"});
        change("pause 0", {"PauTxt=0"});
        change("a choice in another frame clears the pause", {"PauTxt=9", "FSOpt_1"});
        row("insert", third, accessory, "einf_but",
            L{"", ""} + numbered(1, 2) + L{"Ma5-g"} + numbered(3, 49));
        row("delete command 1", RT::FirstCommandColumn, {}, "clr_but",
            L{"", ""} + numbered(2, 50) + L{""});
        row("delete command 50", RT::LastColumn, {}, "clr_but",
            L{"", ""} + numbered(1, 49) + L{""});
        row("Esc", third, accessory, "", old);
        const L feedback{"RmAdrTxt=12", "RmOpt_1"};
        row("trigger, Abbruch", RT::RequestTriggerColumn, feedback, "CancelButton",
            L{"Rm12-b", ""} + numbered(1, 50));
        row("trigger, delete", RT::RequestTriggerColumn, feedback, "clr_but",
            L{"Rm12-b", ""} + numbered(1, 50));
        row("trigger, closed", RT::DissolveTriggerColumn, {"MagAdrTxt=5"}, "close",
            L{"", "Ma5-"} + numbered(1, 50));
    }
    void cellEntry() {
        QFETCH(int, column);
        QFETCH(QStringList, steps);
        QFETCH(QString, button);
        QFETCH(QStringList, cells);
        bus->setCommands(4, numbered(1, 50));
        clickCell(4, column);
        QVERIFY(entry()->isVisible());
        act(steps);
        if (button.isEmpty())
            QTest::keyClick(entry(), Qt::Key_Escape);
        else if (button == "close")
            entry()->close();
        else
            press(qPrintable(button));
        QVERIFY(!entry()->isVisible());
        QStringList now; // the route's triggers and commands
        for (int c = RT::RequestTriggerColumn; c <= RT::LastColumn; ++c)
            now.append(table->text(4, c));
        QCOMPARE(now, cells);
        QCOMPARE(edited->count(), button.isEmpty() ? 0 : 1);
    }

    void statusClickToggles() {
        clickCell(3, RT::BlockedColumn);
        QVERIFY(table->isSet(3, RT::BlockedColumn));
        clickCell(3, RT::BlockedColumn);
        QCOMPARE(table->text(3, RT::BlockedColumn), QString());
        // Two blanks count as clear: a click sets the cell.
        table->setText(3, RT::RequestedColumn, "  ");
        clickCell(3, RT::RequestedColumn);
        QVERIFY(table->isSet(3, RT::RequestedColumn));
        QVERIFY(!entry()->isVisible());
        QCOMPARE(edited->count(), 3);
    }

    void timeFieldsSetTheTimes() {
        table->SwitchTimeMs = 12000;
        table->PauseTimeMs = 250;
        openForm();
        auto* switching = form->findChild<QLineEdit*>("MagT1Txt");
        auto* pause = form->findChild<QLineEdit*>("MagT2Txt");
        // A time from FS.DAT longer than the user may type is shown whole.
        QCOMPARE(switching->text(), QString("12000"));
        QCOMPARE(pause->text(), QString("250"));
        pause->clear();
        QTest::keyClicks(pause, "1x5");
        QCOMPARE(table->PauseTimeMs, 15);
        QCOMPARE(table->SwitchTimeMs, 12000);
        form->findChild<QPushButton*>("OK_But")->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(edited->count(), 4); // each keystroke, and "OK"
    }

    // The editor blocks nothing: the engine runs while the dialog is open,
    // the editor takes clicks, and a click on another command leaves the
    // dialog with its own cell. A route deleted while it runs is walked
    // through as empty and marked established.
    void editingWhileARouteRuns() {
        bus->routes.engine.setMonitorView(form.get());
        bus->setCommands(1, {"Pa-100", "Ma5-g"});
        table->setText(1, RT::RequestTriggerColumn, "Rm1-b");
        bus->request(1);
        clickCell(3, RT::FirstCommandColumn);
        QVERIFY(!QApplication::activeModalWidget());
        QLabel* activity = child<QLabel>(*form, "FsStatTxt");
        QVERIFY(bus->tickUntil([&] { return activity->text() == "Pausenbefehl"; }));
        QVERIFY(entry()->isVisible());
        clickCell(4, RT::BlockedColumn);
        QVERIFY(table->isSet(4, RT::BlockedColumn));
        clickCell(5, RT::FirstCommandColumn);
        QCOMPARE(activity->text(), QString("Pausenbefehl"));
        QCOMPARE(child<QLabel>(*form, "BefNrTxt")->text(), QString("1"));
        act({"PauTxt=2"});
        press("OKButton");
        QCOMPARE(table->text(3, RT::FirstCommandColumn), QString("Pa-2"));
        QCOMPARE(table->text(5, RT::FirstCommandColumn), QString());
        QCOMPARE(edited->count(), 2);

        clickRouteNumber(1);
        QTest::keyClick(grid(), Qt::Key_Delete);
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(question);
        question->button(QMessageBox::Ok)->click();
        QCOMPARE(edited->count(), 3);
        for (int column = 1; column < RT::ColumnCount; ++column)
            QVERIFY(table->text(1, column).isEmpty());
        bus->clock.advance(101);
        QVERIFY(bus->tickUntil([&] { return bus->established(1); }));
        QVERIFY(bus->messages.isEmpty());
    }
};

QTEST_MAIN(RouteEditorTest)
#include "tst_route_editor.moc"

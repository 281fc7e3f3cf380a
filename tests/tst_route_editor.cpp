#include "routes/ui/AdrEingForm.h"
#include "routes/ui/FaStrEditForm.h"
#include "routes/ui/RouteGrid.h"
#include "support/RouteBus.h"
#include "support/Widgets.h"

#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <memory>

class RouteEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<RouteBus> bus;
    std::unique_ptr<FaStrEditForm> form;
    // Every change the user makes asks for the routes to be saved at once.
    std::unique_ptr<QSignalSpy> edited;
    RouteTable* table = nullptr;

    RouteGrid* grid() const { return form->findChild<RouteGrid*>("FSTab"); }
    AdrEingForm* entry() const { return form->findChild<AdrEingForm*>("AdrEingForm"); }
    static QMessageBox* openQuestion() {
        return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    }
    void openForm() {
        form = std::make_unique<FaStrEditForm>(*table);
        edited = std::make_unique<QSignalSpy>(form.get(), &FaStrEditForm::routesEdited);
        form->show();
    }
    template <class T> T* inEntry(const QString& name) const { return child<T>(*entry(), name); }

    QRect cellRect(int row, int column) const {
        const QModelIndex index = grid()->model()->index(row - 1, column - 1);
        grid()->scrollTo(index);
        return grid()->visualRect(index);
    }
    void clickCell(int row, int column) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellRect(row, column).center());
    }
    void clickRouteNumber(int row, Qt::MouseButton button) {
        QHeaderView* numbers = grid()->verticalHeader();
        grid()->scrollTo(grid()->model()->index(row - 1, 0));
        QTest::mouseClick(numbers->viewport(), button, {},
                          QPoint(5, numbers->sectionViewportPosition(row - 1) + 3));
    }
    // What the user does in the entry dialog, step by step: field=text
    // types into the field emptied first, a name alone chooses that option.
    void act(const QStringList& steps) {
        for (const QString& step : steps) {
            if (!step.contains('=')) {
                inEntry<QRadioButton>(step)->click();
                continue;
            }
            auto* field = inEntry<QLineEdit>(step.section('=', 0, 0));
            field->clear();
            QTest::keyClicks(field, step.section('=', 1));
        }
    }
    void press(const char* button) { inEntry<QPushButton>(button)->click(); }
    static QStringList numbered(int from, int to) {
        QStringList texts;
        for (int i = from; i <= to; ++i)
            texts.append("Pa-" + QString::number(i));
        return texts;
    }
    QStringList commandsOf(int row) const {
        QStringList texts;
        for (int column = RouteTable::FirstCommandColumn; column <= RouteTable::LastColumn;
             ++column)
            texts.append(table->text(row, column));
        return texts;
    }

private slots:
    void init() {
        bus = std::make_unique<RouteBus>();
        table = &bus->routes.table;
        openForm();
    }
    void cleanup() {
        edited.reset();
        form.reset();
        bus.reset();
    }

    // The dialog opens with the steps that would write the cell.
    void dialogShowsTheCell_data() {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("accessory") << "Ma5-g" << QStringList{"MagAdrTxt=5", "MagOpt_1"};
        QTest::newRow("feedback") << "Rm12-f" << QStringList{"RmAdrTxt=12", "RmOpt_0"};
        QTest::newRow("route") << "Fs3-bl" << QStringList{"FSAdrTxt=3", "FSOpt_0"};
    }
    void dialogShowsTheCell() {
        QFETCH(QString, cell);
        QFETCH(QStringList, shown);
        bus->setCommands(1, {cell});
        clickCell(1, RouteTable::FirstCommandColumn);
        QCOMPARE(inEntry<QLineEdit>(shown[0].section('=', 0, 0))->text(), shown[0].section('=', 1));
        for (QRadioButton* option : entry()->findChildren<QRadioButton*>())
            QCOMPARE(option->isChecked(), option->objectName() == shown[1]);
    }

    // "ändern" writes the cell, unless the entry is out of range; insert
    // moves the commands after the cell right, delete moves them left. Each
    // button asks for a save; Esc leaves the commands and asks for none.
    void commandEntry_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("button"); // none: Esc
        QTest::addColumn<QStringList>("commands");
        const auto changed = [](const char* cell) {
            return numbered(1, 2) + QStringList{cell} + numbered(4, 50);
        };
        const QStringList old = numbered(1, 50);
        const QStringList accessory{"MagAdrTxt=5", "MagOpt_1"};
        const auto change = [](const char* name, const QStringList& steps,
                               const QStringList& commands) {
            QTest::newRow(name) << 3 << steps << QString("OKButton") << commands;
        };
        change("accessory", accessory, changed("Ma5-g"));
        change("only digits are typed", {"MagAdrTxt=1a2", "MagOpt_0"}, changed("Ma12-r"));
        change("feedback", {"RmAdrTxt=12", "RmOpt_1"}, changed("Rm12-b"));
        change("feedback without state", {"RmAdrTxt=12"}, changed("Rm12-"));
        change("route", {"FSAdrTxt=3", "FSOpt_2"}, changed("Fs3-an"));
        change("route 208", {"FSAdrTxt=208", "FSOpt_3"}, changed("Fs208-al"));
        change("pause 0010", {"PauTxt=0010"}, changed("Pa-10"));
        change("accessory 2047", {"MagAdrTxt=2047", "MagOpt_0"}, changed("Ma2047-r"));
        change("accessory 2048", {"MagAdrTxt=2048", "MagOpt_0"}, old);
        change("accessory without direction", {"MagAdrTxt=7"}, old);
        change("feedback 2048", {"RmAdrTxt=2048", "RmOpt_0"}, old);
        change("route 209", {"FSAdrTxt=209", "FSOpt_0"}, old);
        change("route 0", {"FSAdrTxt=0", "FSOpt_0"}, old);
        change("route without action", {"FSAdrTxt=4"}, old);
        change("pause 0", {"PauTxt=0"}, old);
        change("a choice in another frame clears the pause", {"PauTxt=9", "FSOpt_1"}, old);
        QTest::newRow("insert") << 3 << accessory << "einf_but"
                                << numbered(1, 2) + QStringList{"Ma5-g"} + numbered(3, 49);
        QTest::newRow("insert, empty entry keeps a copy")
            << 3 << QStringList{"PauTxt="} << "einf_but"
            << numbered(1, 2) + QStringList{"Pa-3"} + numbered(3, 49);
        QTest::newRow("delete command 1")
            << 1 << QStringList{} << "clr_but" << numbered(2, 50) + QStringList{""};
        QTest::newRow("delete command 50")
            << 50 << QStringList{} << "clr_but" << numbered(1, 49) + QStringList{""};
        QTest::newRow("Esc") << 3 << accessory << "" << old;
    }
    void commandEntry() {
        QFETCH(int, command);
        QFETCH(QStringList, steps);
        QFETCH(QString, button);
        QFETCH(QStringList, commands);
        bus->setCommands(4, numbered(1, 50));
        clickCell(4, RouteTable::FirstCommandColumn + command - 1);
        QVERIFY(entry()->isVisible());
        QCOMPARE(inEntry<QLineEdit>("PauTxt")->text(), QString::number(command));
        act(steps);
        if (button.isEmpty())
            QTest::keyClick(entry(), Qt::Key_Escape);
        else
            press(qPrintable(button));
        QVERIFY(!entry()->isVisible());
        QCOMPARE(commandsOf(4), commands);
        QCOMPARE(edited->count(), button.isEmpty() ? 0 : 1);
    }

    void triggerIsWrittenWhateverEndsTheDialog() {
        clickCell(5, RouteTable::RequestTriggerColumn);
        QVERIFY(entry()->isVisible());
        QVERIFY(!inEntry<QGroupBox>("FSFrame")->isVisible());
        QVERIFY(!inEntry<QGroupBox>("PauFrame")->isVisible());
        const int reducedHeight = entry()->height();
        act({"RmAdrTxt=12", "RmOpt_1"});
        press("CancelButton");
        QCOMPARE(table->text(5, RouteTable::RequestTriggerColumn), QString("Rm12-b"));

        clickCell(5, RouteTable::RequestTriggerColumn);
        QCOMPARE(inEntry<QLineEdit>("RmAdrTxt")->text(), QString("12"));
        press("clr_but");
        QCOMPARE(table->text(5, RouteTable::RequestTriggerColumn), QString("Rm12-b"));

        clickCell(5, RouteTable::DissolveTriggerColumn);
        act({"MagAdrTxt=5"});
        entry()->close();
        QCOMPARE(table->text(5, RouteTable::DissolveTriggerColumn), QString("Ma5-"));
        QCOMPARE(edited->count(), 3);

        clickCell(5, RouteTable::FirstCommandColumn);
        QVERIFY(inEntry<QGroupBox>("FSFrame")->isVisible());
        QVERIFY(inEntry<QGroupBox>("PauFrame")->isVisible());
        QVERIFY(entry()->height() > reducedHeight);
    }

    void statusClickToggles() {
        const QRect rect = cellRect(3, RouteTable::BlockedColumn);
        const QImage clear = grid()->viewport()->grab(rect).toImage();
        clickCell(3, RouteTable::BlockedColumn);
        QVERIFY(table->isSet(3, RouteTable::BlockedColumn));
        grid()->clearSelection();
        QVERIFY2(grid()->viewport()->grab(rect).toImage() != clear, "check mark drawn");
        clickCell(3, RouteTable::BlockedColumn);
        QCOMPARE(table->text(3, RouteTable::BlockedColumn), QString());
        // Two blanks count as clear: a click sets the cell.
        table->setText(3, RouteTable::RequestedColumn, "  ");
        clickCell(3, RouteTable::RequestedColumn);
        QVERIFY(table->isSet(3, RouteTable::RequestedColumn));
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
        QCOMPARE(pause->text(), QString("15"));
        QCOMPARE(table->PauseTimeMs, 15);
        pause->selectAll();
        QTest::keyClick(pause, Qt::Key_Backspace);
        QCOMPARE(table->PauseTimeMs, 0);
        QCOMPARE(table->SwitchTimeMs, 12000);
        form->findChild<QPushButton*>("OK_But")->click();
        QVERIFY(!form->isVisible());
        QCOMPARE(edited->count(), 5); // each keystroke, and "OK"
    }

    // The editor blocks nothing: the engine runs while the dialog is open,
    // the editor takes clicks, and a click on another command leaves the
    // dialog with its own cell. A route deleted while it runs is walked
    // through as empty and marked established.
    void editingWhileARouteRuns() {
        bus->routes.engine.setMonitorView(form.get());
        bus->setCommands(1, {"Pa-100", "Ma5-g"});
        table->setText(1, RouteTable::RequestTriggerColumn, "Rm1-b");
        bus->request(1);
        clickCell(3, RouteTable::FirstCommandColumn);
        QVERIFY(!QApplication::activeModalWidget());
        QLabel* activity = child<QLabel>(*form, "FsStatTxt");
        QVERIFY(bus->tickUntil([&] { return activity->text() == "Pausenbefehl"; }));
        QVERIFY(entry()->isVisible());
        clickCell(4, RouteTable::BlockedColumn);
        QVERIFY(table->isSet(4, RouteTable::BlockedColumn));
        clickCell(5, RouteTable::FirstCommandColumn);
        QCOMPARE(activity->text(), QString("Pausenbefehl"));
        QCOMPARE(child<QLabel>(*form, "BefNrTxt")->text(), QString("1"));
        act({"PauTxt=2"});
        press("OKButton");
        QCOMPARE(table->text(3, RouteTable::FirstCommandColumn), QString("Pa-2"));
        QCOMPARE(table->text(5, RouteTable::FirstCommandColumn), QString());
        QCOMPARE(edited->count(), 2);

        // A right click on a route number that is not selected does nothing.
        clickRouteNumber(1, Qt::RightButton);
        QVERIFY(!openQuestion());
        clickRouteNumber(1, Qt::LeftButton);
        clickRouteNumber(1, Qt::RightButton);
        QMessageBox* question = openQuestion();
        QVERIFY(question);
        question->button(QMessageBox::Cancel)->click();
        QCOMPARE(table->text(1, RouteTable::FirstCommandColumn + 1), QString("Ma5-g"));
        QCOMPARE(edited->count(), 2);
        QTest::keyClick(grid(), Qt::Key_Delete);
        question = openQuestion();
        QVERIFY(question);
        question->button(QMessageBox::Ok)->click();
        QCOMPARE(edited->count(), 3);
        for (int column = 1; column < RouteTable::ColumnCount; ++column)
            QVERIFY(table->text(1, column).isEmpty());
        bus->clock.advance(101);
        QVERIFY(bus->tickUntil([&] { return bus->established(1); }));
        QVERIFY(bus->messages.isEmpty());
    }
};

QTEST_MAIN(RouteEditorTest)
#include "tst_route_editor.moc"

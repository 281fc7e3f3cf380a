#pragma once

#include "RouteTableModel.h"
#include "routes/RouteView.h"

#include <QWidget>

class AdrEingForm;
class QLabel;
class QLineEdit;
class RouteGrid;
class RouteTable;

// "Fahrstraßen ändern und überwachen": edits the route table and shows what
// the route engine is doing. Closing it or "OK" only hides it. The entry
// dialog is answered through a callback, so the engine and the rest of the
// program go on while it is open. Every change the user makes here, and
// "OK", is announced at once, for the routes to be saved.
class FaStrEditForm : public QWidget, public RouteMonitorView {
    Q_OBJECT
public:
    explicit FaStrEditForm(RouteTable& table, QWidget* parent = nullptr);

    void ShowRouteActivity(const QString& text) override;
    void ShowCommandNumber(const QString& text) override;

signals:
    void routesEdited();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLineEdit* addTimeField(const QString& name, qint32& time);
    void showTimes();
    void onCellActivated(int row, int column);
    void onEntryFinished(int result);
    void askDeleteRoute(int row);

    RouteTable& m_table;
    RouteTableModel m_model;
    RouteGrid* m_grid = nullptr;
    AdrEingForm* m_entry = nullptr;
    QLineEdit* m_switchTime = nullptr;
    QLineEdit* m_pauseTime = nullptr;
    QLabel* m_activity = nullptr;
    QLabel* m_commandNumber = nullptr;
    // The cell the entry dialog is open for.
    int m_entryRow = 0;
    int m_entryColumn = 0;
};

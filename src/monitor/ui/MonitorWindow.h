#pragma once

#include "monitor/MonitorFilter.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class LinkView;
class MonitorLog;
class MonitorModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

// "LocoNet Monitor": every message on the bus, decoded, in a table that
// follows the newest while it runs. Modeless; closing only hides it, and
// the log goes on collecting meanwhile.
class MonitorWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int RefreshInterval = 100;
    // The file to save the rows in; empty when the user cancels.
    using SavePathChooser = std::function<QString()>;

    MonitorWindow(MonitorLog& log, LinkView& messages, SavePathChooser chooseSavePath = {},
                  QWidget* parent = nullptr);

    // What the refresh timer does while the window is shown: the rows that
    // came meanwhile, and the bus load.
    void refresh();

    MonitorModel& model() { return *m_model; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildFilters();
    QWidget* buildButtons();
    void buildTable();
    void applyFilter();
    void pause(bool paused);
    void copyRows();
    void saveRows();
    void showCounts();

    MonitorLog& m_log;
    LinkView& m_messages;
    SavePathChooser m_chooseSavePath;
    MonitorModel* m_model;
    QTimer m_refresh;

    std::array<QCheckBox*, monitor::KindCount> m_kinds{};
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QPushButton* m_pause = nullptr;
    QPushButton* m_copy = nullptr;
    QLabel* m_busLoad = nullptr;
    QLabel* m_counts = nullptr;
    QTreeView* m_table = nullptr;
};

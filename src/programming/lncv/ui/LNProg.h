#pragma once

#include "programming/lncv/LncvView.h"

#include <QWidget>
#include <optional>

class LncvJobs;
class QLineEdit;
class QPushButton;

// Reads and writes the LNCVs of one LocoNet module at a time. Only
// "starten" is usable until the module has answered the start request;
// then "beenden", "Lesen" and "Programmieren" are, until the module is
// ended or the window closed. A button is only usable while every field it
// sends holds a number.
class LNProg : public QWidget, public LncvView {
    Q_OBJECT
public:
    explicit LNProg(LncvJobs& jobs, QWidget* parent = nullptr);
    ~LNProg() override;

    void ShowLncv(int number, int value) override;
    void ShowProgrammingMode() override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the fields hold; none where a field holds no usable number.
    struct Numbers {
        std::optional<int> article;
        std::optional<int> moduleAddress;
        std::optional<int> number;
        std::optional<int> value;
    };

    QLineEdit* addField(const char* name, const QString& text);
    QPushButton* addButton(const char* name, const QString& text);
    Numbers numbers() const;
    void setProgramming(bool on);
    void checkFields();
    void start();
    void end();
    void read();
    void write();

    LncvJobs& m_jobs;
    bool m_programming = false;
    QLineEdit* m_article;
    QLineEdit* m_moduleAddress;
    QLineEdit* m_number;
    QLineEdit* m_value;
    QPushButton* m_start;
    QPushButton* m_end;
    QPushButton* m_read;
    QPushButton* m_write;
};

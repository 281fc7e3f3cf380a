#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// "CV-Tabelle: neue Zeile": the table's name, the CV number and the
// explanation of a new row. It does not block the program; "OK" accepts,
// Escape and closing the window cancel.
class NeueCVZeile : public QDialog {
    Q_OBJECT
public:
    explicit NeueCVZeile(QWidget* parent = nullptr);

    // Empty number and explanation, the current table name; focus on the CV.
    void openFor(const QString& tableName);

    QString tableName() const;
    // 0 when the field holds no CV number of 1..1023.
    int cv() const;
    QString explanation() const;

private:
    void checkCv();

    QLineEdit* m_name;
    QLineEdit* m_cv;
    QLineEdit* m_explanation;
    QPushButton* m_ok;
};

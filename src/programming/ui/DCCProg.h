#pragma once

#include "FileChooser.h"
#include "programming/CvTable.h"
#include "programming/DecoderDocument.h"
#include "programming/ManufacturerList.h"
#include "programming/ProgView.h"

#include <QWidget>
#include <array>

class CvTableGrid;
class DCCProgSpeed;
class LinkView;
class NeueCVZeile;
class ProgrammingJobs;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QMenuBar;
class QPushButton;

// "DCC Programmierung": reads and programs a DCC decoder on the programming
// track, as the standard CVs, one CV at a time, or as the decoder's own CV
// table; keeps CV and table files; opens the speed-step table. The values
// live in the programming state, so hiding the window loses nothing.
class DCCProg : public QWidget, public ProgView {
    Q_OBJECT
public:
    // confFolder holds Hersteller.dat.
    DCCProg(LinkView& messages, ProgrammingJobs& jobs, QString confFolder,
            QWidget* parent = nullptr);
    ~DCCProg() override;

    void ShowProgStatus(const QString& text) override;
    void ShowSingleCvValue(const QString& text) override;
    void ShowStandardCvs() override;
    void RefreshCvList() override;
    void ShowSpeedTable() override;
    void SetProgIdle(bool idle) override;

    // "neuer Decoder": every CV unknown, no current CV file.
    void NewDecoder();

    CvTable& table() { return m_table; }
    DecoderDocument& document() { return m_document; }
    // Created the first time "Fahrstufentabelle" is chosen.
    DCCProgSpeed* speedWindow() const { return m_speed; }
    // Tests answer the file dialogs themselves.
    void setFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

signals:
    // "Hilfe" in the "?" menu.
    void helpRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* buildStandardBox();
    QWidget* buildSingleBox();
    QWidget* buildTableBox();
    QWidget* buildListBox();
    QMenuBar* buildMenus();

    // check_val over every number field, then the buttons.
    void checkFields();
    void updateButtons();
    void valueToBits();
    void bitsToValue();
    void showAddressForm();
    void fillCvListe();
    void cvListeEntryChosen(QListWidgetItem* item);

    void readStandard();
    void writeStandard();
    void readSingle();
    void writeSingle();
    // Work list 2 from the checked rows; false when there is none.
    bool takeCheckedRows();
    void readTable();
    void writeTable();
    void insertRow();
    void rowDialogFinished(int result);

    void loadCv();
    void saveCv();
    void saveCvAs();
    void loadTable();
    void saveTable();
    void showCaption();
    void openSpeedWindow();

    LinkView& m_messages;
    ProgrammingJobs& m_jobs;
    QString m_confFolder;
    ManufacturerList m_makers;
    CvTable m_table;
    DecoderDocument m_document;
    FileChooser m_chooseFile;
    bool DccWindowFresh = true;
    bool m_idle = true;
    bool m_fieldsAcceptable = true;
    // The echo between the single value field and its bit boxes.
    bool m_bitsWriting = false;
    bool m_valueWriting = false;

    std::array<QLineEdit*, 7> m_standardFields{};
    QLabel* m_versionLabel = nullptr;
    QLabel* m_makerLabel = nullptr;
    std::array<QCheckBox*, 8> m_configBits{};
    QPushButton* m_readStandardButton = nullptr;
    QPushButton* m_writeStandardButton = nullptr;
    QLineEdit* m_cvNumber = nullptr;
    QLineEdit* m_cvValue = nullptr;
    std::array<QCheckBox*, 8> m_valueBits{};
    QPushButton* m_readCvButton = nullptr;
    QPushButton* m_writeCvButton = nullptr;
    QLabel* m_tableName = nullptr;
    CvTableGrid* m_grid = nullptr;
    QPushButton* m_readTableButton = nullptr;
    QPushButton* m_writeTableButton = nullptr;
    QListWidget* m_cvList = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_cancel = nullptr;
    NeueCVZeile* m_rowDialog = nullptr;
    // "Datei" and "Optionen".
    std::array<QMenu*, 2> m_jobMenus{};
    DCCProgSpeed* m_speed = nullptr;
};

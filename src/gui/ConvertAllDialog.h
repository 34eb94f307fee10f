// The choices of "Convert All...": where the files go, the rules that pick
// each alignment's profile and surface and the file's point groups, and the
// answers given in advance to what a conversion would otherwise ask.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "convert/BatchConversion.h"
#include "gui/ConvertAllAnswers.h"
#include "gui/IconButton.h"

namespace chainforge {

class CConvertAllDialog : public QDialog {
    Q_OBJECT

  public:
    // documentPath: the LandXML file to convert; its folder is the default
    // output folder.
    explicit CConvertAllDialog(const QString& documentPath, QWidget* parent = nullptr);

    // The batch of the one LandXML file with the rules chosen.
    BatchOptions Options() const;
    ConvertAllAnswers Answers() const;

  private:
    void CreateControls();
    void CreateRuleControls();
    void PlaceControls();
    void SetTabOrder();
    void ConnectHandlers();
    QRect DialogRect(int x, int y, int width, int height) const;
    void OnBrowse();
    void UpdateOk();
    QString OutputFolder() const;

    QString documentPath_;
    QLabel* folderLabel_ = nullptr;
    QLineEdit* folderEdit_ = nullptr;
    CIconButton* browseButton_ = nullptr;
    QLabel* profileLabel_ = nullptr;
    QComboBox* profileCombo_ = nullptr;
    QLabel* surfaceLabel_ = nullptr;
    QComboBox* surfaceCombo_ = nullptr;
    QLabel* pointsLabel_ = nullptr;
    QComboBox* pointsCombo_ = nullptr;
    QCheckBox* yesCheck_ = nullptr;
    QCheckBox* replaceCheck_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

}  // namespace chainforge

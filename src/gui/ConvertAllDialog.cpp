#include "gui/ConvertAllDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <iterator>
#include <utility>

#include "convert/Version.h"
#include "gui/AppIcons.h"
#include "gui/DialogGeometry.h"
#include "gui/DisplayText.h"

namespace chainforge {
namespace {

constexpr int kBrowseIconSize = 14;

QLabel* Label(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

// Editable: a name or a pattern may be typed instead of a listed word.
QComboBox* RuleCombo(const QStringList& words, const QString& name, const QString& tip,
                     QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(words);
    combo->setToolTip(tip);
    return combo;
}

QCheckBox* Check(const QString& text, const QString& name, const QString& tip, QWidget* parent) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(name);
    check->setToolTip(tip);
    check->setAccessibleName(QString(text).remove(QLatin1Char('&')));
    return check;
}

// As typed: a name may begin or end with blanks.
std::string RuleText(const QComboBox& combo) {
    return combo.currentText().toStdString();
}

}  // namespace

CConvertAllDialog::CConvertAllDialog(const QString& documentPath, QWidget* parent)
    : QDialog(parent), documentPath_(documentPath) {
    setObjectName(QStringLiteral("convertAllDialog"));
    setWindowTitle(QStringLiteral("Convert All - %1").arg(QString::fromLatin1(kProgramName)));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    CreateControls();
    PlaceControls();
    SetTabOrder();
    ConnectHandlers();
    setFixedSize(DialogRect(0, 0, 257, 151).size());
    browseButton_->SetIcon(FolderIcon(), kBrowseIconSize, kBrowseIconSize);
    folderEdit_->setText(QDir::toNativeSeparators(QFileInfo(documentPath).absolutePath()));
    folderEdit_->setFocus();
}

void CConvertAllDialog::CreateControls() {
    folderLabel_ = Label(QStringLiteral("Output &folder:"), QStringLiteral("folderLabel"), this);
    folderEdit_ = new QLineEdit(this);
    folderEdit_->setObjectName(QStringLiteral("folderEdit"));
    folderEdit_->setToolTip(
        QStringLiteral("The files go to a folder of the LandXML file's name in this one"));
    browseButton_ = new CIconButton(QString(), this);
    browseButton_->setObjectName(QStringLiteral("folderBrowseButton"));
    browseButton_->setToolTip(QStringLiteral("Browse for the output folder"));
    browseButton_->setAccessibleName(QStringLiteral("Browse"));
    CreateRuleControls();
    yesCheck_ = Check(QStringLiteral("Convert alignments with a surface &without a profile"),
                      QStringLiteral("yesCheck"),
                      QStringLiteral("Vertical control from the sections' centre points; "
                                     "otherwise such an alignment is not written"),
                      this);
    replaceCheck_ = Check(QStringLiteral("&Replace existing files"), QStringLiteral("replaceCheck"),
                          QStringLiteral("Otherwise a file that already exists is kept"), this);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setToolTip(QStringLiteral("Convert every alignment of the file"));
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setToolTip(QStringLiteral("Close without converting"));
    const std::pair<QLabel*, QWidget*> buddies[] = {{folderLabel_, folderEdit_},
                                                    {profileLabel_, profileCombo_},
                                                    {surfaceLabel_, surfaceCombo_},
                                                    {pointsLabel_, pointsCombo_}};
    for (const auto& [label, control] : buddies) {
        label->setBuddy(control);
        control->setAccessibleName(label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    }
}

void CConvertAllDialog::CreateRuleControls() {
    const QString pattern = QStringLiteral(", or a name; * and ? match any characters and one");
    profileLabel_ = Label(QStringLiteral("&Profile:"), QStringLiteral("profileLabel"), this);
    profileCombo_ = RuleCombo(
        {QStringLiteral("first"), QStringLiteral("none")}, QStringLiteral("profileCombo"),
        QStringLiteral("Each alignment's profile: the first listed, none") + pattern, this);
    surfaceLabel_ = Label(QStringLiteral("&Surface:"), QStringLiteral("surfaceLabel"), this);
    surfaceCombo_ =
        RuleCombo({QStringLiteral("first"), QStringLiteral("corridor"), QStringLiteral("none")},
                  QStringLiteral("surfaceCombo"),
                  QStringLiteral("Each alignment's cross-section surface: the first listed, "
                                 "\"Corridor Top\", none") +
                      pattern,
                  this);
    pointsLabel_ = Label(QStringLiteral("Poi&nts:"), QStringLiteral("pointsLabel"), this);
    pointsCombo_ =
        RuleCombo({QStringLiteral("all"), QStringLiteral("none")}, QStringLiteral("pointsCombo"),
                  QStringLiteral("The point groups: all of them, none") + pattern, this);
}

QRect CConvertAllDialog::DialogRect(int x, int y, int width, int height) const {
    return MapDialogRect(*this, x, y, width, height);
}

void CConvertAllDialog::PlaceControls() {
    folderLabel_->setGeometry(DialogRect(7, 7, 200, 8));
    folderEdit_->setGeometry(DialogRect(7, 18, 220, 14));
    browseButton_->setGeometry(DialogRect(232, 18, 18, 14));
    profileLabel_->setGeometry(DialogRect(7, 42, 50, 8));
    profileCombo_->setGeometry(DialogRect(60, 40, 190, 14));
    surfaceLabel_->setGeometry(DialogRect(7, 60, 50, 8));
    surfaceCombo_->setGeometry(DialogRect(60, 58, 190, 14));
    pointsLabel_->setGeometry(DialogRect(7, 78, 50, 8));
    pointsCombo_->setGeometry(DialogRect(60, 76, 190, 14));
    yesCheck_->setGeometry(DialogRect(7, 98, 243, 10));
    replaceCheck_->setGeometry(DialogRect(7, 112, 243, 10));
    okButton_->setGeometry(DialogRect(146, 129, 50, 16));
    cancelButton_->setGeometry(DialogRect(200, 129, 50, 16));
}

void CConvertAllDialog::SetTabOrder() {
    QWidget* const order[] = {folderEdit_,   browseButton_, profileCombo_,
                              surfaceCombo_, pointsCombo_,  yesCheck_,
                              replaceCheck_, okButton_,     cancelButton_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CConvertAllDialog::ConnectHandlers() {
    connect(browseButton_, &QPushButton::clicked, this, &CConvertAllDialog::OnBrowse);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(folderEdit_, &QLineEdit::textChanged, this, &CConvertAllDialog::UpdateOk);
    for (QComboBox* combo : {profileCombo_, surfaceCombo_, pointsCombo_}) {
        connect(combo, &QComboBox::currentTextChanged, this, &CConvertAllDialog::UpdateOk);
    }
}

void CConvertAllDialog::OnBrowse() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Output Folder"), folderEdit_->text(), QFileDialog::ShowDirsOnly);
    if (!chosen.isEmpty()) {
        folderEdit_->setText(QDir::toNativeSeparators(chosen));
    }
}

// An empty folder or rule names nothing to write to or to pick.
void CConvertAllDialog::UpdateOk() {
    bool complete = !folderEdit_->text().trimmed().isEmpty();
    for (const QComboBox* combo : {profileCombo_, surfaceCombo_, pointsCombo_}) {
        complete = complete && !combo->currentText().trimmed().isEmpty();
    }
    okButton_->setEnabled(complete);
}

BatchOptions CConvertAllDialog::Options() const {
    BatchOptions options;
    options.inputs = {PathBytes(documentPath_)};
    options.outDir = PathBytes(OutputFolder());
    options.profile = ReadItemRule(RuleText(*profileCombo_), false, false);
    options.surface = ReadItemRule(RuleText(*surfaceCombo_), false, true);
    options.points = ReadItemRule(RuleText(*pointsCombo_), true, false);
    options.replace = replaceCheck_->isChecked();
    options.keptHint = "it was kept (choose Replace existing files to replace it)";
    return options;
}

// A relative name is taken from the LandXML file's folder, which the field
// starts with, rather than from wherever the program was started.
QString CConvertAllDialog::OutputFolder() const {
    const QDir documentFolder = QFileInfo(documentPath_).absoluteDir();
    const QString typed = QDir::fromNativeSeparators(folderEdit_->text().trimmed());
    return QDir::toNativeSeparators(documentFolder.absoluteFilePath(typed));
}

ConvertAllAnswers CConvertAllDialog::Answers() const {
    return {yesCheck_->isChecked()};
}

}  // namespace chainforge

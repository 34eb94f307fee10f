// The program's one window: the name of the LandXML file, the four lists of
// what its scan found, and "Create", which converts what is selected.
#pragma once

#include <QAction>
#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>

#include "convert/BatchConversion.h"
#include "convert/ConversionReport.h"
#include "convert/OpenDocument.h"
#include "convert/RunConversion.h"
#include "gui/BackgroundWork.h"
#include "gui/ConvertAllAnswers.h"
#include "gui/IconButton.h"
#include "gui/LayoutDialog.h"
#include "gui/ListBox.h"
#include "landxml/Catalogue.h"
#include "landxml/DocumentBuffer.h"
#include "ui/UserInterface.h"

namespace chainforge {

class CPreviewWindow;
class CSummaryDialog;

class CMainDialog : public CLayoutDialog {
    Q_OBJECT

  public:
    // Messages, questions and file dialogs go to ui; without one the dialog
    // asks the user through Qt's own boxes and dialogs.
    explicit CMainDialog(CUserInterface* ui = nullptr, QWidget* parent = nullptr);
    ~CMainDialog() override;

    // Loads the file as if its name were typed into the field and committed.
    void OpenFile(const QString& name);

    // For tests: work run on the worker before a load or a conversion reads
    // the document (a slowed-down reader), and the wait before the progress
    // bar shows.
    void SetReaderHook(std::function<void()> hook) { readerHook_ = std::move(hook); }
    void SetProgressDelay(int milliseconds) { progressDelayMs_ = milliseconds; }

  public slots:
    // Closes the dialog, or cancels the work in hand while there is some.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void OnFileEditKillFocus();
    void OnBrowse();
    void RunConversion();
    void CommitBeforeRun();
    void OnConvertAll();
    void RunConvertAll(const BatchOptions& options, ConvertAllAnswers answers);
    void UpdateConvertAll();
    void OnPreview();
    ConversionSelections CurrentSelections() const;
    void SchedulePreview();
    void RebuildPreview();
    void OnAlignmentSelChange();
    void OnAsciiPointsCheck();
    void OnAbout();

    void CreateControls();
    void PlaceControls();
    void SetTabOrder();
    void ConnectHandlers();
    void RegisterAnchors();
    QRect DialogRect(int x, int y, int width, int height) const;
    void CommitFileName();
    void ReloadDocument();
    void ReloadKeepingSelections();
    void ReleaseDocument();
    bool ChangedOnDisk() const;
    void FillLists();
    void ClearLists();
    void ShowSummary(const ConversionReport& report, const QString& reason,
                     const std::optional<std::string>& alignment);
    CSummaryDialog& Summary();
    void PresentSummary();
    void CloseStaleSummary();
    void SendKeyboardContextMenu();
    LoadResult LoadInBackground(const std::string& path, CUserInterface& scanUi);

    std::unique_ptr<CUserInterface> ownUi_;
    CUserInterface* ui_;
    CDocumentBuffer document_;
    CCatalogue catalogue_;
    // Lets the spiral message show once per commit of the file name.
    bool spiralWarning_ = true;
    // A load of the field's name was cancelled: leaving the field does not
    // start it again until the text is edited (Enter, F5 and Create still do).
    bool loadCancelled_ = false;
    QString currentFileName_;
    // The loaded file as it was on disk, to tell when it has changed.
    QDateTime loadedModified_;
    qint64 loadedSize_ = -1;
    CSummaryDialog* summary_ = nullptr;
    CPreviewWindow* preview_ = nullptr;
    // Coalesces the selection changes of one user action (a new alignment
    // empties two lists) into one rebuild of the preview.
    QTimer previewTimer_;
    CProgressPanel* progress_ = nullptr;
    std::function<void()> readerHook_;
    int progressDelayMs_ = 300;

    QLabel* fileLabel_ = nullptr;
    QLineEdit* fileNameEdit_ = nullptr;
    CIconButton* browseButton_ = nullptr;
    QLabel* pointsLabel_ = nullptr;
    QLabel* alignmentsLabel_ = nullptr;
    QLabel* profilesLabel_ = nullptr;
    QLabel* crossSectionsLabel_ = nullptr;
    QPushButton* previewButton_ = nullptr;
    QPushButton* createButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    CListBox* profilesList_ = nullptr;
    CListBox* crossSectionsList_ = nullptr;
    CListBox* pointsList_ = nullptr;
    CListBox* alignmentsList_ = nullptr;
    QCheckBox* asciiPointsCheck_ = nullptr;
    // In the context menu and on the dialog for its shortcut; enabled while
    // a file is loaded.
    QAction* convertAllAction_ = nullptr;
};

}  // namespace chainforge

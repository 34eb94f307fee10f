#include "gui/MainDialog.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>

#include "convert/OpenDocument.h"
#include "convert/RunConversion.h"
#include "convert/Version.h"
#include "gui/AboutDialog.h"
#include "gui/AppIcons.h"
#include "gui/ConvertAllDialog.h"
#include "gui/DialogGeometry.h"
#include "gui/DisplayText.h"
#include "gui/PreviewWindow.h"
#include "gui/QtUserInterface.h"
#include "gui/SummaryDialog.h"
#include "gui/WaitCursor.h"
#include "preview/PreviewModel.h"
#include "ui/ScriptedUserInterface.h"

namespace chainforge {
namespace {

constexpr int kBrowseIconSize = 14;

bool HasXmlEnding(const QString& name) {
    return name.right(4).compare(QStringLiteral(".xml"), Qt::CaseInsensitive) == 0;
}

QLabel* Label(const QString& text, Qt::Alignment alignment, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setObjectName(name);
    return label;
}

CListBox* List(CListBox::HorizontalScrollBar horizontal, const QString& name, QWidget* parent) {
    auto* list = new CListBox(horizontal, parent);
    list->setObjectName(name);
    return list;
}

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// The one local file being dragged, when its name ends in ".xml".
std::optional<QString> DraggedXmlFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) {
        return std::nullopt;
    }
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile() || !HasXmlEnding(url.toLocalFile())) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(url.toLocalFile());
}

}  // namespace

CMainDialog::CMainDialog(CUserInterface* ui, QWidget* parent) : CLayoutDialog(parent), ui_(ui) {
    if (ui_ == nullptr) {
        ownUi_ = std::make_unique<CQtUserInterface>(this);
        ui_ = ownUi_.get();
    }
    setWindowTitle(QString::fromLatin1(kProgramName));
    setStyleSheet(QStringLiteral("QListWidget:focus { border: 2px solid palette(highlight); }"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    CreateControls();
    PlaceControls();
    SetTabOrder();
    ConnectHandlers();
    resize(DialogRect(0, 0, 453, 209).size());
    InitLayout();
    browseButton_->SetIcon(FolderIcon(), kBrowseIconSize, kBrowseIconSize);
    RegisterAnchors();
    fileNameEdit_->setFocus();
}

// The field's focus-out handler must not run while the dialog's own members
// are already gone.
CMainDialog::~CMainDialog() {
    fileNameEdit_->removeEventFilter(this);
}

void CMainDialog::CreateControls() {
    fileLabel_ = Label(QStringLiteral("&XML file to convert:"), Qt::AlignLeft,
                       QStringLiteral("fileLabel"), this);
    fileNameEdit_ = new QLineEdit(this);
    fileNameEdit_->setObjectName(QStringLiteral("fileNameEdit"));
    // A file dropped on the field goes to the dialog, which commits it.
    fileNameEdit_->setAcceptDrops(false);
    // No caption: one would start past the icon, at the button's right edge,
    // and show only as a clipped sliver of a letter.
    browseButton_ = new CIconButton(QString(), this);
    browseButton_->setObjectName(QStringLiteral("browseButton"));
    browseButton_->setToolTip(QStringLiteral("Browse for the XML file"));
    browseButton_->setAccessibleName(QStringLiteral("Browse"));
    pointsLabel_ =
        Label(QStringLiteral("&Points"), Qt::AlignHCenter, QStringLiteral("pointsLabel"), this);
    alignmentsLabel_ = Label(QStringLiteral("&Alignments"), Qt::AlignHCenter,
                             QStringLiteral("alignmentsLabel"), this);
    profilesLabel_ =
        Label(QStringLiteral("P&rofiles"), Qt::AlignHCenter, QStringLiteral("profilesLabel"), this);
    crossSectionsLabel_ = Label(QStringLiteral("Cross-&Sections"), Qt::AlignHCenter,
                                QStringLiteral("crossSectionsLabel"), this);
    previewButton_ = Button(QStringLiteral("Preview..."), QStringLiteral("previewButton"), this);
    previewButton_->setToolTip(QStringLiteral("Preview what Create would write (Ctrl+P)"));
    createButton_ = Button(QStringLiteral("Create"), QStringLiteral("createButton"), this);
    createButton_->setDefault(true);
    closeButton_ = Button(QStringLiteral("Close"), QStringLiteral("closeButton"), this);
    using Bar = CListBox::HorizontalScrollBar;
    profilesList_ = List(Bar::AsNeeded, QStringLiteral("profilesList"), this);
    crossSectionsList_ = List(Bar::AsNeeded, QStringLiteral("crossSectionsList"), this);
    pointsList_ = List(Bar::AsNeeded, QStringLiteral("pointsList"), this);
    // Long alignment names scroll too, rather than being cut off.
    alignmentsList_ = List(Bar::AsNeeded, QStringLiteral("alignmentsList"), this);
    asciiPointsCheck_ = new QCheckBox(QStringLiteral("Select Points From ASCII File"), this);
    asciiPointsCheck_->setObjectName(QStringLiteral("asciiPointsCheck"));
    // Each label names its control for Alt and for screen readers.
    const std::pair<QLabel*, QWidget*> buddies[] = {{fileLabel_, fileNameEdit_},
                                                    {pointsLabel_, pointsList_},
                                                    {alignmentsLabel_, alignmentsList_},
                                                    {profilesLabel_, profilesList_},
                                                    {crossSectionsLabel_, crossSectionsList_}};
    for (const auto& [label, control] : buddies) {
        label->setBuddy(control);
        control->setAccessibleName(label->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')));
    }
    previewButton_->setAccessibleName(QStringLiteral("Preview"));
    createButton_->setAccessibleName(QStringLiteral("Create"));
    closeButton_->setAccessibleName(QStringLiteral("Close"));
    asciiPointsCheck_->setAccessibleName(asciiPointsCheck_->text());
    progress_ = new CProgressPanel(this);
    convertAllAction_ = new QAction(QStringLiteral("&Convert All..."), this);
    convertAllAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    convertAllAction_->setShortcutVisibleInContextMenu(true);
    convertAllAction_->setEnabled(false);
    addAction(convertAllAction_);
}

QRect CMainDialog::DialogRect(int x, int y, int width, int height) const {
    return MapDialogRect(*this, x, y, width, height);
}

void CMainDialog::PlaceControls() {
    fileLabel_->setGeometry(DialogRect(7, 17, 136, 8));
    fileNameEdit_->setGeometry(DialogRect(7, 36, 414, 14));
    browseButton_->setGeometry(DialogRect(426, 36, 18, 14));
    pointsLabel_->setGeometry(DialogRect(6, 65, 103, 8));
    alignmentsLabel_->setGeometry(DialogRect(117, 65, 103, 8));
    profilesLabel_->setGeometry(DialogRect(228, 67, 103, 8));
    crossSectionsLabel_->setGeometry(DialogRect(338, 67, 103, 8));
    previewButton_->setGeometry(DialogRect(282, 186, 50, 16));
    createButton_->setGeometry(DialogRect(334, 186, 50, 16));
    closeButton_->setGeometry(DialogRect(386, 186, 50, 16));
    profilesList_->setGeometry(DialogRect(228, 81, 103, 95));
    crossSectionsList_->setGeometry(DialogRect(339, 81, 102, 94));
    pointsList_->setGeometry(DialogRect(7, 81, 103, 95));
    alignmentsList_->setGeometry(DialogRect(117, 81, 103, 95));
    asciiPointsCheck_->setGeometry(DialogRect(7, 184, 167, 10));
    progress_->setGeometry(DialogRect(7, 186, 270, 16));
}

void CMainDialog::SetTabOrder() {
    // The order of the layout: field, lists left to right, then the buttons.
    QWidget* const order[] = {fileNameEdit_, browseButton_,      pointsList_,       alignmentsList_,
                              profilesList_, crossSectionsList_, asciiPointsCheck_, previewButton_,
                              createButton_, closeButton_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void CMainDialog::ConnectHandlers() {
    fileNameEdit_->installEventFilter(this);
    connect(fileNameEdit_, &QLineEdit::textEdited, this, [this] { loadCancelled_ = false; });
    connect(browseButton_, &QPushButton::clicked, this, &CMainDialog::OnBrowse);
    connect(previewButton_, &QPushButton::clicked, this, &CMainDialog::OnPreview);
    // Opens at once: a button's own shortcut would click it a moment later.
    auto* preview = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(preview, &QShortcut::activated, this, &CMainDialog::OnPreview);
    connect(createButton_, &QPushButton::clicked, this, &CMainDialog::RunConversion);
    connect(convertAllAction_, &QAction::triggered, this, &CMainDialog::OnConvertAll);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(alignmentsList_, &QListWidget::itemSelectionChanged, this,
            &CMainDialog::OnAlignmentSelChange);
    connect(asciiPointsCheck_, &QCheckBox::clicked, this, &CMainDialog::OnAsciiPointsCheck);
    for (CListBox* list : {pointsList_, alignmentsList_, profilesList_, crossSectionsList_}) {
        connect(list, &QListWidget::itemSelectionChanged, this, &CMainDialog::SchedulePreview);
    }
    connect(asciiPointsCheck_, &QCheckBox::toggled, this, &CMainDialog::SchedulePreview);
    previewTimer_.setSingleShot(true);
    previewTimer_.setInterval(0);
    connect(&previewTimer_, &QTimer::timeout, this, &CMainDialog::RebuildPreview);
}

void CMainDialog::RegisterAnchors() {
    AddAnchor(fileNameEdit_, Stretch, Fixed, true);
    AddAnchor(browseButton_, Move, Fixed, true);
    AddAnchor(pointsList_, Fixed, Stretch, true);
    AddAnchor(alignmentsList_, Stretch, Stretch, true);
    AddAnchor(alignmentsLabel_, Stretch, Fixed, true);
    AddAnchor(profilesList_, Move, Stretch, true);
    AddAnchor(profilesLabel_, Move, Fixed, true);
    AddAnchor(crossSectionsList_, Move, Stretch, true);
    AddAnchor(crossSectionsLabel_, Move, Fixed, true);
    AddAnchor(asciiPointsCheck_, Fixed, Move, true);
    AddAnchor(progress_, Stretch, Move, true);
    AddAnchor(previewButton_, Move, Move, false);
    AddAnchor(createButton_, Move, Move, false);
    AddAnchor(closeButton_, Move, Move, false);
}

void CMainDialog::OpenFile(const QString& name) {
    fileNameEdit_->setText(name);
    OnFileEditKillFocus();
}

// The lists always show the file the field names: a name that cannot be
// loaded empties them and releases the document, so that Create can never
// convert an earlier file; the loaded file changed on disk is read again.
void CMainDialog::OnFileEditKillFocus() {
    spiralWarning_ = true;
    CommitFileName();
}

void CMainDialog::CommitFileName() {
    // Work in hand owns the document; the name is committed when it is done
    // (Create commits it first in any case).
    if (progress_->Running()) {
        return;
    }
    loadCancelled_ = false;
    const QString text = fileNameEdit_->text();
    if (text.compare(currentFileName_, Qt::CaseInsensitive) == 0) {
        // The loaded file changed on disk, or the file that could not be
        // loaded has appeared since: read it (again).
        const bool appeared = !document_.IsLoaded() && !text.isEmpty() && HasXmlEnding(text) &&
                              QFileInfo(text).isFile();
        if ((document_.IsLoaded() && ChangedOnDisk()) || appeared) {
            ReloadKeepingSelections();
        }
        return;
    }
    // Remembered before the reload: a message of the scan takes the focus
    // from the field, and the commit that this causes must find the name
    // unchanged rather than start a second load inside the first.
    currentFileName_ = text;
    if (text.isEmpty()) {
        ReleaseDocument();
        return;
    }
    if (!HasXmlEnding(text) || !ui_->FileExists(PathBytes(text))) {
        ReleaseDocument();
        ui_->ShowMessage("Cannot open file " + PathBytes(text));
        return;
    }
    ReloadDocument();
}

void CMainDialog::OnBrowse() {
    FileDialogRequest request;
    request.defaultExtension = "xml";
    request.initialName = "*.xml";
    request.filter = "*.XML";
    const std::optional<std::string> path = ui_->AskOpenFileName(request);
    if (!path) {
        return;
    }
    fileNameEdit_->setText(QString::fromUtf8(*path));
    OnFileEditKillFocus();
}

// Loads and scans on a worker: the window turns, and a long load shows its
// progress and can be cancelled. The scan's messages are shown in order once
// it has ended, as the lists are filled.
void CMainDialog::ReloadDocument() {
    loadCancelled_ = false;
    const std::string path = PathBytes(currentFileName_);
    const QFileInfo info(currentFileName_);
    ClearLists();
    CScriptedUserInterface scanMessages;
    const LoadResult loaded = LoadInBackground(path, scanMessages);
    if (loaded.status == LoadStatus::Stopped) {
        // The name stays committed and unloaded: Enter or F5 loads it.
        ReleaseDocument();
        loadCancelled_ = true;
        return;
    }
    if (loaded.status == LoadStatus::CannotOpen) {
        ReleaseDocument();
        ui_->ShowMessage(loaded.message);
        return;
    }
    // An empty file is loaded too, with empty lists.
    CloseStaleSummary();
    loadedModified_ = info.lastModified();
    loadedSize_ = info.size();
    setWindowTitle(info.fileName() + QStringLiteral(" - ") + QString::fromLatin1(kProgramName));
    for (const std::string& message : scanMessages.Messages()) {
        ui_->ShowMessage(message);
    }
    FillLists();
}

// A Cancel pressed as the work ended still stops the load.
LoadResult CMainDialog::LoadInBackground(const std::string& path, CUserInterface& scanUi) {
    WorkProgress progress;
    LoadResult loaded;
    const LoadProgress report = [&progress](std::uint64_t done, std::uint64_t total) {
        progress.done = done;
        progress.total = total;
        return !progress.cancel;
    };
    asciiPointsCheck_->hide();
    progress_->Run(
        [&](WorkProgress&) {
            if (readerHook_) {
                readerHook_();
            }
            loaded = OpenAndScan(path, document_, catalogue_, scanUi, report);
        },
        progress, progressDelayMs_);
    asciiPointsCheck_->show();
    UpdateConvertAll();
    SchedulePreview();
    if (progress.cancel) {
        loaded.status = LoadStatus::Stopped;
    }
    return loaded;
}

// F5 and the Reload entry: read the file again, keeping the selections
// whose names are still listed.
void CMainDialog::ReloadKeepingSelections() {
    if (currentFileName_.isEmpty() || progress_->Running()) {
        return;
    }
    const auto group = pointsList_->SelectedText();
    const auto alignment = alignmentsList_->SelectedText();
    const auto profile = profilesList_->SelectedText();
    const auto surface = crossSectionsList_->SelectedText();
    ReloadDocument();
    pointsList_->SelectText(group);
    alignmentsList_->SelectText(alignment);
    profilesList_->SelectText(profile);
    crossSectionsList_->SelectText(surface);
}

void CMainDialog::ReleaseDocument() {
    CloseStaleSummary();
    ClearLists();
    catalogue_.ClearCatalogue();
    document_.Close();
    loadedSize_ = -1;
    setWindowTitle(QString::fromLatin1(kProgramName));
    UpdateConvertAll();
    SchedulePreview();
}

// A summary of another file's conversion would be taken for this one's.
void CMainDialog::CloseStaleSummary() {
    if (summary_ != nullptr &&
        summary_->DocumentPath().compare(currentFileName_, Qt::CaseInsensitive) != 0) {
        summary_->close();
    }
}

bool CMainDialog::ChangedOnDisk() const {
    const QFileInfo info(currentFileName_);
    return !info.exists() || info.lastModified() != loadedModified_ || info.size() != loadedSize_;
}

void CMainDialog::FillLists() {
    ClearLists();
    for (const PointGroupEntry& group : catalogue_.PointGroups()) {
        pointsList_->AddString(group.name);
    }
    for (const AlignmentEntry& alignment : catalogue_.Alignments()) {
        alignmentsList_->AddString(alignment.name);
    }
}

void CMainDialog::ClearLists() {
    pointsList_->ResetContent();
    alignmentsList_->ResetContent();
    profilesList_->ResetContent();
    crossSectionsList_->ResetContent();
}

// A name typed but not yet committed when Enter starts the run is committed
// first: the run then converts the file the field shows, and no reload can
// happen under the run when its first dialog takes the focus.
void CMainDialog::RunConversion() {
    // Create while a load runs: the load ends first, and the user chooses
    // from the new lists.
    if (progress_->Running()) {
        return;
    }
    CommitBeforeRun();
    ConversionSelections selections = CurrentSelections();
    // On a worker as a load is; its questions and dialogs come back to the
    // window's thread, and Cancel stops it before the next file is written.
    WorkProgress progress;
    selections.cancelled = [&progress] { return progress.cancel.load(); };
    CDeclineRecorder declines(*ui_);
    CForwardingUserInterface forwarded(declines, *this);
    ConversionReport report;
    progress_->Run(
        [&](WorkProgress&) {
            if (readerHook_) {
                readerHook_();
            }
            report = chainforge::RunConversion(selections, document_, catalogue_, spiralWarning_,
                                               forwarded);
        },
        progress, progressDelayMs_);
    SchedulePreview();
    ShowSummary(report,
                NothingWrittenReason(selections, report, progress.cancel, declines.Declined()),
                selections.alignment);
}

// The field is committed first, as leaving it does; the spiral message is
// shown again only for a new name.
void CMainDialog::CommitBeforeRun() {
    if (fileNameEdit_->text().compare(currentFileName_, Qt::CaseInsensitive) != 0) {
        OnFileEditKillFocus();
    } else {
        CommitFileName();
    }
}

// Every alignment of the file the field names, after the choices are made;
// a name not yet committed is loaded first, as Create does.
void CMainDialog::OnConvertAll() {
    if (progress_->Running()) {
        return;
    }
    CommitBeforeRun();
    if (!document_.IsLoaded()) {
        return;
    }
    CConvertAllDialog choices(currentFileName_, this);
    if (choices.exec() == QDialog::Accepted) {
        RunConvertAll(choices.Options(), choices.Answers());
    }
}

// On a worker over the batch of the core, asking nothing: the progress
// counts the files done (one file: busy), and Cancel sets the batch's stop
// flag, which leaves a file not yet begun unconverted.
void CMainDialog::RunConvertAll(const BatchOptions& options, ConvertAllAnswers answers) {
    BatchReport report = PlanBatch(options);
    CConvertAllInterface ui(answers);
    WorkProgress progress;
    progress.unit = WorkUnit::Files;
    progress_->Run(
        [&](WorkProgress& work) {
            const auto tell = [&work](const BatchProgress& batch) {
                if (batch.total > 1) {
                    work.total = batch.total;
                    work.done = batch.done;
                }
            };
            RunBatch(
                options, report, [&ui](std::size_t) -> CUserInterface& { return ui; }, tell,
                work.cancel);
        },
        progress, progressDelayMs_);
    SchedulePreview();
    Summary().SetBatchReport(report, ui.Messages(), currentFileName_);
    PresentSummary();
}

// Called only between runs: while one runs the worker owns the document.
void CMainDialog::UpdateConvertAll() {
    convertAllAction_->setEnabled(document_.IsLoaded());
}

ConversionSelections CMainDialog::CurrentSelections() const {
    ConversionSelections selections;
    selections.pointGroup = pointsList_->SelectedText();
    selections.alignment = alignmentsList_->SelectedText();
    selections.profile = profilesList_->SelectedText();
    selections.surface = crossSectionsList_->SelectedText();
    selections.asciiPoints = asciiPointsCheck_->isChecked();
    selections.documentPath = PathBytes(currentFileName_);  // spirals: arcs within 0.001
    return selections;
}

// Non-modal beside the dialog; it follows the selections until closed.
void CMainDialog::OnPreview() {
    if (preview_ == nullptr) {
        preview_ = new CPreviewWindow(this);
    }
    if (!preview_->isVisible()) {
        PlaceBesideOwner(*preview_, *this);
    }
    preview_->Open();
    RebuildPreview();
}

void CMainDialog::SchedulePreview() {
    if (preview_ != nullptr && preview_->isVisible()) {
        previewTimer_.start();
    }
}

// On the window's thread, between runs: the document and the catalogue
// belong to the worker while a load or a conversion runs, and the end of
// every run schedules a rebuild. The samples build in milliseconds.
void CMainDialog::RebuildPreview() {
    if (preview_ == nullptr || !preview_->isVisible() || progress_->Running()) {
        return;
    }
    preview_->SetDocumentPath(currentFileName_);
    if (!document_.IsLoaded()) {
        preview_->SetModel(PreviewModel());
        return;
    }
    CWaitCursor busy;
    preview_->SetModel(BuildPreview(CurrentSelections(), document_, catalogue_));
}

// What was written and what was left out, beside the dialog: non-modal, so
// that the user can go on and compare.
void CMainDialog::ShowSummary(const ConversionReport& report, const QString& reason,
                              const std::optional<std::string>& alignment) {
    Summary().SetReport(report, reason, currentFileName_,
                        alignment ? DisplayText(*alignment) : QString());
    PresentSummary();
}

CSummaryDialog& CMainDialog::Summary() {
    if (summary_ == nullptr) {
        summary_ = new CSummaryDialog(this);
    }
    return *summary_;
}

void CMainDialog::PresentSummary() {
    if (!summary_->isVisible()) {
        PlaceBesideOwner(*summary_, *this);
    }
    summary_->show();
    summary_->raise();
    // The keyboard stays with the main dialog: the next file, the next Create.
    activateWindow();
}

void CMainDialog::reject() {
    // Closing while work runs cancels the work; the dialog stays.
    if (progress_->Running()) {
        progress_->Cancel();
        return;
    }
    CLayoutDialog::reject();
}

void CMainDialog::OnAlignmentSelChange() {
    profilesList_->ResetContent();
    crossSectionsList_->ResetContent();
    const std::optional<std::string> name = alignmentsList_->SelectedText();
    if (!name) {
        return;
    }
    const AlignmentEntry* alignment = catalogue_.FindAlignment(*name);
    if (alignment == nullptr) {
        ui_->ShowMessage("Cannot Find Alignment For Update");
        return;
    }
    for (int i = 0; i < alignment->ProfileCount(); ++i) {
        profilesList_->AddString(alignment->GetProfileName(i));
    }
    for (int i = 0; i < alignment->SurfaceCount(); ++i) {
        crossSectionsList_->AddString(alignment->GetSurfaceName(i));
    }
}

void CMainDialog::OnAsciiPointsCheck() {
    pointsList_->setEnabled(!asciiPointsCheck_->isChecked());
}

void CMainDialog::OnAbout() {
    CAboutDialog about(this);
    about.exec();
}

// The field's own context menu takes the focus only for a moment; that is
// not the user leaving the field. Nor is the click that follows a cancelled
// load: it would start the load the user has just stopped.
bool CMainDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileNameEdit_ && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason && !loadCancelled_) {
        OnFileEditKillFocus();
    }
    return CLayoutDialog::eventFilter(watched, event);
}

void CMainDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::HelpContents)) {
        OnAbout();
        return;
    }
    if (event->key() == Qt::Key_F5) {
        ReloadKeepingSelections();
        return;
    }
    // The preview just opened is in front, but the keys still come here
    // until the window system hands it the keyboard: Escape meant for it
    // must not close the program.
    if (event->key() == Qt::Key_Escape && preview_ != nullptr && preview_->AwaitsActivation() &&
        !progress_->Running()) {
        preview_->close();
        return;
    }
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        SendKeyboardContextMenu();
        return;
    }
    CLayoutDialog::keyPressEvent(event);
}

// Shift+F10 and the Menu key, which the focused control left unhandled: the
// event goes to that control first, as the platform's own would (the file
// field shows its own menu), at its text cursor or current entry, else its
// centre. A platform that also sends one finds the menu open and is ignored
// by it.
void CMainDialog::SendKeyboardContextMenu() {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr || target->window() != this) {
        target = this;
    }
    QPoint at = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    if (!target->rect().contains(at)) {
        at = target->rect().center();
    }
    QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
    QApplication::sendEvent(target, &menu);
}

// X11 and Wayland give a program no share in the window menu, so the About
// entry lives in a menu of the dialog's own background. From the keyboard it
// opens where the focus is, whatever is under the mouse.
void CMainDialog::contextMenuEvent(QContextMenuEvent* event) {
    QWidget* const under = childAt(event->pos());
    if (event->reason() != QContextMenuEvent::Keyboard && under != nullptr &&
        qobject_cast<QLabel*>(under) == nullptr) {
        event->ignore();
        return;
    }
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Reload"), this, &CMainDialog::ReloadKeepingSelections);
    menu.addAction(convertAllAction_);
    menu.addAction(QStringLiteral("&About %1...").arg(QString::fromLatin1(kProgramName)), this,
                   &CMainDialog::OnAbout);
    menu.exec(event->globalPos());
}

void CMainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (DraggedXmlFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

void CMainDialog::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = DraggedXmlFile(event->mimeData());
    if (!path) {
        return;
    }
    event->acceptProposedAction();
    fileNameEdit_->setText(*path);
    OnFileEditKillFocus();
}

}  // namespace chainforge

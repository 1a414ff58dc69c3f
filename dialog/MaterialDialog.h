#pragma once
// The main dialog: owns every control, list, count and string of the
// material manager. Its operations are implemented beside the subsystem they
// belong to (skin/, environment/, library/, device/).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "environment/DataFolder.h"
#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "framework/Gdi.h"
#include "framework/HoverTip.h"
#include "framework/ImageList.h"
#include "framework/TextCompare.h"
#include "framework/Window.h"
#include "library/FindBox.h"
#include "library/Keyboard.h"
#include "library/Library.h"
#include "library/ListAhead.h"
#include "library/LiveRefresh.h"
#include "library/MaterialFile.h"
#include "resources/resource.h"
#include "skin/HoverButton.h"
#include "skin/TextPlaces.h"
#include "utils/GroupCaptions.h"
#include "utils/HandOffRules.h"
#include "utils/NameIndex.h"
#include "utils/OperatorTexts.h"

using StringList = std::vector<std::wstring>;

// The three painted command areas; the values are the hover codes the
// pointer handling keeps.
enum class HoverArea : std::uint8_t {
    None = 0,
    Cancel = 1,
    SaveAs = 2,
    Accept = 3,
};

// The panel value that changed, as the label state tracks it.
enum class ParamChange : BYTE {
    MarkMode = 1,
    Speed = 2,
    Power = 3,
    Ppi = 4,
    Resolution = 5,
};

class MaterialDialog : public fw::Dialog {
public:
    // Category slots 0..8 and groups 1..3 as control ids.
    static constexpr int kSlotIds[9] = {IDC_SLOT0, IDC_SLOT1, IDC_SLOT2, IDC_SLOT3, IDC_SLOT4,
                                        IDC_SLOT5, IDC_SLOT6, IDC_SLOT7, IDC_SLOT8};
    static constexpr int kGroupIds[3] = {IDC_GROUP1, IDC_GROUP2, IDC_GROUP3};
    static constexpr int kCustomizeRequest = 9999;
    // Commands of the custom materials' context menu.
    static constexpr UINT kRenameCommand = 40001;
    static constexpr UINT kDeleteCommand = 40002;
    static constexpr UINT kImportCommand = 40003;
    static constexpr UINT kExportCommand = 40004;
    // Posted when an item's label edit has ended with a new name.
    static constexpr UINT kRenameMessage = WM_APP + 1;
    // Posted when Ctrl+S has been pressed in the dialog.
    static constexpr UINT kSaveAsKeyMessage = WM_APP + 12;
    // Posted when Ctrl+O or Ctrl+E has been pressed; the command is in wParam.
    static constexpr UINT kSharingKeyMessage = WM_APP + 20;
    // Posted when Ctrl+F has been pressed in the dialog.
    static constexpr UINT kFindKeyMessage = WM_APP + 44;

    // Hot areas of the skin, client pixels at 96 dpi (right and bottom
    // exclusive); InArea finds a client point in one at the dialog's DPI.
    static constexpr RECT kCancelArea{443, 295, 525, 318};
    static constexpr RECT kSaveAsArea{443, 260, 525, 283};
    static constexpr RECT kAcceptArea{443, 230, 525, 253};
    // Label rectangles of the three hot areas, at 96 dpi.
    static constexpr RECT kAcceptLabel = text_places::kAcceptLabel;
    static constexpr RECT kSaveAsLabel = text_places::kSaveAsLabel;
    static constexpr RECT kCancelLabel = text_places::kCancelLabel;

    explicit MaterialDialog(HWND parent = nullptr);
    ~MaterialDialog() override;

    // Where the library and the data folder are looked for. The program keeps
    // its defaults (the library root from the registry, read at construction);
    // tests point them at folders of their own.
    void SetLibraryRoot(std::wstring root) { m_libraryRoot = {std::move(root), false}; }
    void SetDataFolderOverride(std::wstring folder) { m_dataFolderOverride = std::move(folder); }
    const std::wstring& LibraryRoot() const { return m_libraryRoot.root; }

    // Where the print command finds its job and sends it; nothing in the
    // dialog sets them.
    void SetPrintJob(std::wstring jobName, std::wstring port)
    {
        m_strPrintJobName = std::move(jobName);
        m_strPrintPort = std::move(port);
    }

    bool IsR250() const { return m_strModel == L"R250"; }
    int CurrentGroup() const { return m_curGroup; }
    const wchar_t* MaterialExtension() const { return utils::MaterialExtension(m_strModel); }

    // ---- Start-up and data exchange
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;
    void OnOK() override;

    // ---- Painting and label state
    void OnPaint();
    void PaintClient(HDC hdc);
    HICON OnQueryDragIcon() const { return m_hIcon; }
    LRESULT OnCaptionStrip(UINT msg, WPARAM w, LPARAM l);
    void PaintCaptionStrip(HDC windowDc);
    void SetMaterialShown(BYTE shown);
    void TrackParameterChange(ParamChange change);
    // A label's rectangle, at the dialog's DPI, to be painted again.
    void InvalidateLabel(const RECT& label) const;

    // ---- Pointer, selection and animation
    void OnMouseMove(POINT p);
    bool InArea(const RECT& area, POINT client) const;
    bool OnSetCursor();
    void OnLButtonDown();
    void OnTimer(UINT_PTR id);
    void OnGroupClicked(int group);
    void OnSlotClicked(int slot);
    void UpdateButtonVisibility(BYTE includeGroups, BYTE group);
    void SetGroupHighlight(int mask);
    void SetSlotHighlight(int mask);
    void ClearMaterialView();
    void InitSelectionState();
    // No group change is under way: the column stands at its full height.
    bool IsColumnAtRest() const;

    // ---- Window shape and picture lists
    void BuildPictureLists();
    void ShapeWindow();
    // The outline at the dialog's DPI, as the window's region.
    void ApplyOutline();
    // The picture list of group 1..3, and of every "Customize" view, at the
    // dialog's DPI; each is made when first asked for.
    const fw::ImageList& GroupPictureList(int group);
    const fw::ImageList& CustomPictureList();

    // ---- Data folder, hand-off input and language
    void SelectDataFolder();
    void LoadDriverHandOff();
    void LoadLanguageTables(const std::wstring& language);
    // What the group's buttons show when it is chosen; nothing where the
    // group has none.
    std::optional<utils::GroupCaptionPlan> CaptionPlan(int group) const;
    void ApplyGroupCaptions(int group);
    // A new caption font at the dialog's DPI, to the group and category buttons.
    void SetCaptionFont();

    // ---- Library
    // Opens the model folder the start-up found: its groups and categories,
    // not yet their materials.
    void ScanLibrary();
    // Lists one more slice of the folders not yet listed; false once all
    // are. The window does it by itself while it is idle.
    bool ListAheadSlice();
    // What saves cut short left in the groups' "Customize" folders; once, at start-up.
    void RemoveLeftoverSaves() const;
    void FillMaterialList(int position);
    // The shown items with the pictures and spacing of the dialog's DPI.
    void RelayMaterialList();
    void OnMaterialListRightClick(const NMITEMACTIVATE* info, LRESULT* result);
    void OnMaterialListClick(LRESULT* result);
    void OnMaterialListContextMenu(LPARAM screenPoint);
    // F2 and Del on the list; false for any other key.
    bool OnMaterialListKey(WORD key);
    // LVN_BEGINLABELEDIT and LVN_ENDLABELEDIT; the notification's answer.
    bool OnLabelEdit(const NMLVDISPINFOW* info, bool ending);
    void OnMarkModeChange();
    void OnResolutionChange();
    void OnSpeedChange();
    void OnPowerChange();
    void OnPpiChange();

    // ---- Click actions and hand-off output
    void OnLButtonUp();
    void AcceptAction();
    void CancelAction();
    void SaveAsAction();

    // ---- Sharing custom materials
    // Checks the files and writes those that pass into the current group's
    // "Customize" folder, asking before replacing; ends with a summary.
    void ImportMaterials(const StringList& files);
    // The open dialog for material files of the model, then their import.
    void ChooseImportFiles();
    // Copies every custom material of the model to
    // <destination>\<parameter folder>\<group folder>, asking before it
    // replaces a file there; ends with a summary.
    void ExportMaterials(const std::wstring& destination);
    // The folder picker, then the export.
    void ChooseExportFolder();
    // Files, or an exported folder, dropped on the dialog.
    void OnDropFiles(HDROP drop);

    // ---- Live refresh: the library as other stations change it
    // Watches the model folder and its groups from the start-up on.
    void StartLiveRefresh();
    void StopLiveRefresh();
    // The view changed: `shown` is the folder the list shows now, or nothing.
    void FollowView(const MaterialFolder* shown);
    // The watcher's message: its notices taken, the refresh scheduled.
    void OnFolderChanges();
    // A tick of the settle or the periodic-check timer; false for any other.
    bool OnLiveRefreshTimer(UINT_PTR id);
    // Something changed that a refresh will read; the refresh itself, as the
    // settle timer runs it (false when it must wait: a message box, a menu, a
    // rename or another refresh is open).
    bool RefreshIsDue() const { return m_follower.HasDue(); }
    bool RefreshDue();

    // ---- Device output
    void OnPrint();
    // Reports `whatFailed` with the system's text for GetLastError(); call it
    // directly after the failing call.
    void ShowLastError(const std::wstring& whatFailed);

    HoverButton* ButtonFor(HWND hwnd);

protected:
    std::optional<LRESULT> HandleMessage(UINT msg, WPARAM w, LPARAM l) override;
    // Moved to a monitor of another DPI: outline, image, fonts, places and
    // pictures made again for it.
    void OnDpiChanged() override;
    std::optional<SIZE> WindowSizeAt(int dpi) const override;
    // The pointer's messages and the animation timer.
    std::optional<LRESULT> OnPointerMessage(UINT msg, WPARAM w, LPARAM l);
    // Context menu, keys, dropped files and the end of a rename.
    std::optional<LRESULT> OnOperatorMessage(UINT msg, WPARAM w, LPARAM l);
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

private:
    // The category column at the animation's present row height.
    void MoveCategoryButtons();
    // The category buttons stand in the column (until the first tick of the
    // animation they keep the template's places).
    bool m_columnPlaced = false;
    // The window's image and the label fonts, as every paint draws them.
    struct Skin {
        fw::Bitmap image{nullptr};
        fw::Font heading{nullptr};
        fw::Font panel{nullptr};
    };
    const Skin& LoadedSkin();
    Skin m_skin;
    // Tests read the dialog's state through this one class of theirs.
    friend class MaterialDialogInspector;

    // The common handling of the speed, power and PPI edits.
    void OnPanelEditChange(double& value, double upperLimit, ParamChange change);
    // Reads the selected material's file into the panel and the baseline.
    void LoadMaterial(const std::wstring& path, bool custom);
    void ShowMaterialValues(const MaterialFileValues& values, bool custom);
    // Whether a file's values are those the loaded material had when it was
    // loaded (or saved): the values Accept would hand over.
    bool MatchesBaseline(const MaterialFileValues& values) const;
    std::wstring LoadedMaterialName() const;
    // Accept: the loaded material's file still holds the values shown. If it
    // is gone or another station changed it, the operator is told (and the
    // panel shows what the file now holds): false.
    bool LoadedMaterialIsCurrent();
    // The loaded material's file after another station changed it: shown in
    // an untouched panel; unsaved changes stay, and the operator is told once.
    void RecheckLoadedMaterial();
    // The folder of the shown category or "Customize" view; nothing when the
    // view shows none.
    const MaterialFolder* ShownFolder() const;
    // The button of the group that shows `folder` (its "Customize" button
    // for its Customize folder); -1 for none.
    int ButtonOfFolder(int group, const MaterialFolder* folder) const;
    // The file an item of the list was listed from: its name, and its path;
    // nothing when the folder was listed again since the list was filled.
    std::optional<std::wstring> ItemFileName(int item) const;
    std::optional<std::wstring> ItemPath(int item) const;
    // The item that stands for this file of the shown view, or -1.
    int ItemOfFile(const std::wstring& fileName) const;
    // Save as: the panel's values as the parameter record; false when they
    // cannot be saved as they are.
    bool SnapshotPanel();
    // After a save: lists rebuilt, the "Customize" view shown and the saved
    // material selected, and the saved values as the new baseline.
    void ShowSavedMaterial(const std::wstring& folder, const std::wstring& name, const std::wstring& texture);
    void ShowWrittenValues();
    void TakePanelAsBaseline();
    // After a save, rename, delete or import: the "Customize" folders of
    // `changedGroups` (a mask, bit g - 1 for group g) listed again, and the
    // current group's "Customize" view shown with its button highlighted.
    void RebuildCustomizeView(unsigned changedGroups);
    // The settle timer for what is due, the periodic check while needed.
    void ScheduleRefresh();
    // The groups and categories read again; buttons, captions and the shown
    // group and folder follow, found by their paths.
    void ReopenLibraryStructure();
    // The shown folder read again and its list updated in place; renames
    // reported in it are followed by the loaded material and the selection.
    void RefreshShownList(const std::vector<std::pair<std::wstring, std::wstring>>& renames);
    // Items of files gone removed, of new files added, the others given
    // their new entries; `before` is the listing the items index.
    void UpdateMaterialList(const std::vector<std::wstring>& before);
    // Every item on the icon grid that starts at `origin`.
    void PlaceMaterialIcons(POINT origin) const;
    // The list-ahead timer: first after the window has stood idle a moment.
    void ListAheadLater();
    // A tick of that timer; false for any other timer.
    bool OnListAheadTimer(UINT_PTR id);

    // ---- Custom materials: rename and delete in the "Customize" view
    // The first selected item while a "Customize" view is shown, or -1.
    int SelectedCustomItem() const;
    void RunCustomCommand(UINT command, int item);
    void DeleteCustomMaterial(int item);
    // Whether the custom material's file is still there; if not, the
    // operator is told and the view is read again.
    bool StillThere(const std::wstring& path, const std::wstring& name);
    void ForgetLoadedMaterial();
    void BeginRename(int item);
    // `oldFile` is the item's file; `newName` the name typed over its text.
    void RenameCustomMaterial(const std::wstring& oldFile, const std::wstring& newName);
    // The "Customize" folder of group 1..3; empty when there is none.
    std::wstring CustomizeFolder(int group) const;

    // ---- Sharing custom materials
    struct ImportCandidate;
    // The file as it would be imported, or nothing with the reason added to
    // `refusals`.
    std::optional<ImportCandidate> CheckImport(const std::wstring& file, int group, std::wstring& refusals) const;
    // Each file into the "Customize" folder of its group (1..3).
    void ImportInto(const std::vector<std::pair<std::wstring, int>>& requests);
    WriteOutcome WriteImport(const ImportCandidate& candidate, bool replace) const;
    // The group (1..3) whose folder has the name of `folder`; 0 for none.
    int GroupOfFolder(const std::wstring& folder) const;
    int AskReplace(const std::wstring& name, int othersLeft, int& forAll) const;
    // The export of one group's custom materials into `target`.
    void ExportGroup(int group, const std::wstring& target,
                     std::vector<std::pair<std::wstring, std::wstring>>& copies) const;
    // Why the export may not write into `destination`; nothing when it may.
    std::optional<std::wstring> RefusedExportDestination(const std::wstring& destination) const;
    void ShowImportSummary(int imported, const std::wstring& refusals) const;

    // ---- Keyboard: selection by key, Enter and Ctrl+S
    void InstallKeyboard();
    void RemoveKeyboard();
    static LRESULT CALLBACK ShortcutHook(int code, WPARAM w, LPARAM l);
    // True when the message was Ctrl+S for this dialog.
    bool OnShortcut(const MSG& msg);
    // A key pressed in the dialog turns the buttons' focus cues on.
    void NoteKeyboardUse(const MSG& msg);
    void OnSaveAsKey();
    // What a click on the list does: the first selected material loaded.
    void LoadSelectedMaterial();

    // ---- Finding a material by part of its name
    // The place of a material found, as the search saw it.
    struct FoundPlace {
        int group = 0;
        bool customize = false;
        std::wstring folder; // the category's or "Customize" folder's path
        std::wstring file;   // the material's file name
    };
    // One folder a search looks in, with what its rows show.
    struct FindFolder {
        int group = 0;
        int slot = 0; // its category button
        bool customize = false;
        const MaterialFolder* folder = nullptr;
        std::wstring place;   // the group's and the category's captions
        int firstPicture = 0; // of the folder's first file; "Customize" shows one
    };
    // The folders a search looks in, in the order of their buttons, listed
    // or not.
    std::vector<FindFolder> FindScope() const;
    // Ctrl+F: the find box over the list, its edit focused.
    void OpenFindBox();
    // The find box at the dialog's new DPI, its rows with the pictures of it.
    void RelayFindBox();
    // The box's rows for the text typed so far.
    void OnFindTyped(const std::wstring& typed);
    // Enter or a double-click on a row: the group and the category chosen as
    // their buttons choose them, then the material as a click on it.
    void GoToFound(int row);
    // The rest of the way once the category buttons of the group show.
    void FinishGoToFound(const FoundPlace& place);
    // The column animation has ended.
    void OnColumnAtRest();

    // ---- Tips: the commands' keys, a material's settings
    void InstallTips();
    // The painted command under a client point (0 Accept, 1 Save as,
    // 2 Cancel), or -1; its tip.
    int CommandAt(POINT client) const;
    std::wstring CommandTip(int command) const;
    // An item's settings as its load would show them.
    std::wstring ItemTip(int item) const;

    // ---- Members, in declaration order
    fw::ComboBox m_comboResolution;
    fw::ComboBox m_comboMarkMode;
    fw::Edit m_editHidden;
    fw::Edit m_editPpi;
    fw::Edit m_editPower;
    fw::Edit m_editSpeed;
    fw::ListView m_listMaterials;
    HoverButton m_btnSlot5;  // 1010
    HoverButton m_btnSlot4;  // 1009
    HoverButton m_btnSlot3;  // 1008
    HoverButton m_btnSlot2;  // 1007
    HoverButton m_btnSlot1;  // 1006
    HoverButton m_btnGroup3; // 1023
    HoverButton m_btnGroup2; // 1022
    HoverButton m_btnSlot0;  // 1003
    HoverButton m_btnSlot8;  // 1015
    HoverButton m_btnSlot7;  // 1014
    HoverButton m_btnSlot6;  // 1012
    HoverButton m_btnGroup1; // 1013
    std::wstring m_strHiddenText;
    int m_markModeIndex = -1;
    double m_speedValue = 0.0;
    double m_powerValue = 0.0;
    double m_ppiValue = 0.0;
    int m_resolutionIndex = -1;
    HICON m_hIcon = nullptr;
    fw::Region m_rgnWindow;
    std::wstring m_strDataFolder;
    std::wstring m_strPrintJobName;
    std::wstring m_strPrintPort;
    std::wstring m_strModel;
    HoverArea m_hoverArea = HoverArea::None;
    std::uint8_t m_bPressArmed = 0;
    std::wstring m_strParamFolder;
    StringList m_panelLabels;
    StringList m_groupNames;
    StringList m_categoryNames;
    std::uint8_t m_groupStart[4] = {};
    std::uint8_t m_bMaterialShown = 0;
    std::uint8_t m_bParamsUnchanged = 0;
    std::uint32_t m_changedParams = 0;
    std::wstring m_materialFilePath;
    std::wstring m_materialTextureName;
    std::uint8_t m_curGroup = 1;
    std::uint8_t m_curSlot = 0;
    int m_rowHeight = 24;
    int m_rowStep = 0;
    std::int32_t m_customSlot = 0;
    bool m_customizeShown = false;
    int m_colLeft = 0;
    int m_colWidth = 0;
    int m_rowMaxHeight = 0;
    int m_colTop = 0;
    int m_rowTops[8] = {};
    std::int32_t m_shownCategoryCount = 0;
    fw::ImageList m_imageListGroup1;
    fw::ImageList m_imageListGroup2;
    fw::ImageList m_imageListGroup3;
    fw::ImageList m_imageListCustom;
    std::uint16_t m_slotMask = 0;
    double m_loadedSpeed = 0.0;
    double m_loadedPower = 0.0;
    double m_loadedPpi = 0.0;
    int m_loadedMarkMode = 0;
    int m_loadedResolution = 0;
    // What a Save-as snapshot writes as resolution while combo 1033 is on its
    // empty entry (a combo position after a load, a resolution value after a
    // snapshot); kept apart so that m_loadedResolution stays a combo position.
    int m_fallbackResolution = 0;
    double m_materialParams[10] = {};
    std::unique_ptr<fw::Font> m_pCaptionFont;

    // The loaded material is a custom one (its texture is its own).
    bool m_loadedCustom = false;
    // The operator has been told that the loaded material was changed
    // elsewhere while the panel held changes of his.
    bool m_toldChangedElsewhere = false;

    // Texts of the custom-material commands, from the language file.
    utils::OperatorTexts m_texts;
    // A label edit that a rename started is under way.
    bool m_renaming = false;
    // The item's file and the new name of the rename that waits for the edit
    // to close.
    std::pair<std::wstring, std::wstring> m_pendingRename;

    MaterialListKeys m_listKeys{[this] { LoadSelectedMaterial(); }};
    fw::HoverTip m_commandTips{[this](POINT p) { return CommandAt(p); }, [this](int c) { return CommandTip(c); }};
    fw::HoverTip m_itemTips{[this](POINT p) { return m_listMaterials.HitTest(p); },
                            [this](int item) { return ItemTip(item); }};

    // The find box, the folded names it searches, and the places of the rows
    // it shows; a way to a material that waits for the column animation.
    FindBox m_findBox{{[this](const std::wstring& typed) { OnFindTyped(typed); }, [this](int row) { GoToFound(row); }}};
    utils::NameIndex m_findIndex{fw::FoldForSearch, fw::ListTextKey};
    std::vector<FoundPlace> m_foundPlaces;
    std::optional<FoundPlace> m_pendingFound;

    LibraryRootSetting m_libraryRoot;
    std::wstring m_dataFolderOverride;

    // The model's groups, categories and materials, as far as they are listed.
    Library m_library{ListLibraryFolder,
                      [](const std::wstring& folder) { return ::CreateDirectoryW(folder.c_str(), nullptr) != FALSE; }};
    LibraryListAhead m_listAhead;
    // What other stations change while the window is open.
    LibraryFollower m_follower;
    // The listing of the shown folder that the list's items index.
    std::uint32_t m_shownVersion = 0;
};

#pragma once
// The small modal dialog that turns the panel's values into a custom
// material: a copy of the shown material file under a typed name in the
// group's "Customize" folder, with the six parameter keys written into it.
#include <windows.h>

#include <optional>
#include <string>

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "library/MaterialFile.h"
#include "utils/OperatorTexts.h"

class SaveAsDialog : public fw::Dialog {
public:
    explicit SaveAsDialog(HWND parent = nullptr);
    ~SaveAsDialog() override = default;

    void SetTargetFolder(std::wstring folder) { m_strTargetFolder = std::move(folder); }
    std::wstring GetTargetFolder() const { return m_strTargetFolder; }
    void SetSourcePath(std::wstring path) { m_strSourcePath = std::move(path); }
    std::wstring GetSourcePath() const { return m_strSourcePath; }
    void SetSavedName(std::wstring name) { m_strSavedName = std::move(name); }
    std::wstring GetSavedName() const { return m_strSavedName; }
    void SetTextureName(std::wstring name) { m_strTextureName = std::move(name); }
    std::wstring GetTextureName() const { return m_strTextureName; }
    void SetModel(std::wstring model) { m_strModel = std::move(model); }
    std::wstring GetModel() const { return m_strModel; }
    // The main dialog's parameter record: mark-mode position, speed, power,
    // PPI and resolution (a combo position 1..8 or a resolution value).
    void SetParams(const double* params) { m_pParams = params; }
    const double* GetParams() const { return m_pParams; }
    // The questions and messages in the operator's language.
    void SetTexts(utils::OperatorTexts texts) { m_texts = std::move(texts); }

protected:
    void DoDataExchange(fw::DataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    // The Save button (and Enter): the save handler.
    void OnOK() override;

private:
    struct Target {
        std::wstring path;
        bool replace = false; // the operator agreed to replace the material there
    };
    // The full path of the typed name, or nothing after telling the operator
    // why the name cannot be used.
    std::optional<Target> CheckedTarget();
    // An existing file under the typed name: refused (nothing) when the name
    // is only another name of it (an 8.3 alias) or the file is read-only,
    // replaced only on the operator's yes (true).
    std::optional<bool> ConfirmTarget(const std::wstring& targetPath);
    // The whole material, written all at once (or not at all).
    WriteOutcome WriteMaterial(const std::wstring& sourcePath, const Target& target);

    fw::Edit m_editName;
    std::wstring m_strFileName;
    std::wstring m_strTargetFolder;
    std::wstring m_strSourcePath;
    std::wstring m_strSavedName;
    std::wstring m_strTextureName;
    std::wstring m_strModel;
    const double* m_pParams = nullptr;
    utils::OperatorTexts m_texts;
};

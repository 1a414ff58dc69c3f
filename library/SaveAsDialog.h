#pragma once
// The small modal dialog that turns the panel's values into a custom
// material: a copy of the shown material file under a typed name in the
// group's "Customize" folder, with the six parameter keys written into it.
#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/Controls.h"

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

protected:
    void DoDataExchange(fw::DataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    // The Save button (and Enter): the save handler.
    void OnOK() override;

private:
    // Copies the base file and writes the six keys; false when the material
    // could not be stored.
    bool WriteMaterial(const std::wstring& sourcePath, const std::wstring& targetPath);

    fw::Edit m_editName;
    std::wstring m_strFileName;
    std::wstring m_strTargetFolder;
    std::wstring m_strSourcePath;
    std::wstring m_strSavedName;
    std::wstring m_strTextureName;
    std::wstring m_strModel;
    const double* m_pParams = nullptr;
};

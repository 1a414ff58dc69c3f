#pragma once
// A main dialog created modeless over a private library root and data folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "dialog/MaterialDialog.h"
#include "tests/support/GuiTestSupport.h"

namespace testing_support {

// The repository's folder as Wine sees it (from MM_SOURCE_DIR), for the
// bundled sample files.
std::filesystem::path SourceDir();

class DialogFixture : public ::testing::Test {
protected:
    void TearDown() override { Close(); }

    // Library root ("...\ZOR\") and data folder ("...\Data\"), both created.
    std::filesystem::path LibraryRoot() const { return m_temp.Path() / L"ZOR"; }
    std::filesystem::path DataFolder() const { return m_temp.Path() / L"Data"; }
    std::filesystem::path TempRoot() const { return m_temp.Path(); }

    void WriteHandOff(const std::wstring& model, const std::wstring& language);
    // The bundled sample library and language file into the fixture's
    // library root and data folder.
    void InstallSample();
    // Language file text: "[AP_<language>]" sections with numeric keys.
    void WriteLanguageFile(const std::wstring& text);

    // Creates the dialog modeless and delivers the start-up messages.
    MaterialDialog& Open();
    // The next dialogs keep the library root the system names (the registry's,
    // or "C:\ZOR\") instead of the fixture's.
    void UseSystemLibraryRoot() { m_systemRoot = true; }
    void Close();

    MaterialDialog& Dialog() { return *m_dialog; }
    HWND Item(int id) const { return ::GetDlgItem(m_dialog->Hwnd(), id); }
    std::wstring ItemText(int id) const;

    ModalCatcher m_catcher;

private:
    TempFolder m_temp;
    std::unique_ptr<MaterialDialog> m_dialog;
    bool m_systemRoot = false;
};

} // namespace testing_support

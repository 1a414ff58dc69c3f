#include "tests/support/DialogFixture.h"

#include <cstdlib>

namespace testing_support {

std::filesystem::path SourceDir()
{
    const char* dir = std::getenv("MM_SOURCE_DIR");
    if (!dir || !*dir)
        return {};
    std::string unixPath = dir;
    // Wine shows the Unix root as drive Z:.
    std::wstring windowsPath = L"Z:";
    for (char c : unixPath)
        windowsPath.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    return windowsPath;
}

void DialogFixture::WriteHandOff(const std::wstring& model, const std::wstring& language)
{
    WriteUtf16File(DataFolder() / L"~Drv2Ma.dat",
                   L"[MachInfo]\r\nDevice=" + model + L"\r\n[Language]\r\nLang=" + language + L"\r\n");
}

void DialogFixture::InstallSample()
{
    ASSERT_FALSE(SourceDir().empty()) << "MM_SOURCE_DIR names the repository";
    std::filesystem::create_directories(LibraryRoot());
    std::filesystem::copy(SourceDir() / L"sample" / L"ZOR", LibraryRoot(), std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(DataFolder());
    std::filesystem::copy_file(SourceDir() / L"sample" / L"Engravix" / L"~PMLang.dat", DataFolder() / L"~PMLang.dat");
}

void DialogFixture::WriteLanguageFile(const std::wstring& text) { WriteUtf16File(DataFolder() / L"~PMLang.dat", text); }

MaterialDialog& DialogFixture::Open()
{
    Close();
    std::filesystem::create_directories(LibraryRoot());
    std::filesystem::create_directories(DataFolder());
    m_dialog = std::make_unique<MaterialDialog>(nullptr);
    if (!m_systemRoot)
        m_dialog->SetLibraryRoot(LibraryRoot().wstring() + L"\\");
    m_dialog->SetDataFolderOverride(DataFolder().wstring() + L"\\");
    EXPECT_TRUE(m_dialog->Create(nullptr));
    PumpMessages(50);
    return *m_dialog;
}

void DialogFixture::Close()
{
    if (m_dialog) {
        m_dialog->DestroyWindow();
        m_dialog.reset();
        PumpMessages();
    }
}

std::wstring DialogFixture::ItemText(int id) const
{
    wchar_t text[512] = {};
    ::GetWindowTextW(Item(id), text, 512);
    return text;
}

} // namespace testing_support

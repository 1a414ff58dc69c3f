// The language file: its encoding, a section for every accepted language, and
// every text the dialog shows, present and measured where the dialog draws it.
#include <algorithm>
#include <deque>
#include <functional>
#include <string_view>

#include <windows.h>

#include "checker/LibraryCheck.h"
#include "checker/MaterialCheck.h"
#include "environment/LanguageFile.h"
#include "framework/Dpi.h"
#include "framework/FileBytes.h"
#include "skin/TextPlaces.h"
#include "utils/GroupCaptions.h"
#include "utils/HandOffRules.h"
#include "utils/LanguageTables.h"
#include "utils/LibraryScan.h"
#include "utils/MaterialValues.h"
#include "utils/ProfileText.h"

namespace checker {

namespace {

enum class Font { Heading, Panel, Caption };

// A key whose text the dialog shows, and where: a skin label's rectangle or
// a button's, at 96 dpi.
struct TextPlace {
    int key;
    std::wstring what;
    Font font;
    RECT rect;

    // Pixels across at a DPI: a label's rectangle, a caption's button face.
    int Room(int dpi) const
    {
        const RECT scaled = fw::ScaleRect(rect, dpi);
        const RECT room = font == Font::Caption ? text_places::CaptionFace(scaled) : scaled;
        return room.right - room.left;
    }
};

const wchar_t* LabelName(int entry)
{
    static const wchar_t* const kNames[] = {
        L"the title line",
        L"the group column's heading",
        L"the category column's heading",
        L"the material heading",
        L"the mark-mode label",
        L"the speed label",
        L"the power label",
        L"the PPI label",
        L"the resolution label",
        L"an unshown label",
        L"the Accept label",
        L"the Save-as label",
        L"the Cancel label",
    };
    return entry >= 0 && entry < static_cast<int>(std::size(kNames)) ? kNames[entry] : L"a label";
}

void AddPlace(std::vector<TextPlace>& places, const std::wstring& keyText, std::wstring what, Font font,
              const RECT& rect)
{
    const int key = utils::ReadLeadingInt(keyText);
    if (std::none_of(places.begin(), places.end(), [key](const TextPlace& p) { return p.key == key; }))
        places.push_back({key, std::move(what), font, rect});
}

utils::LanguageTables KeysOf(bool r250)
{
    return utils::ReadLanguageTables(r250, [](int key) { return std::to_wstring(key); });
}

// The skin's labels: headings, hot areas and the panel's rows.
void AddLabelPlaces(std::vector<TextPlace>& places, bool r250)
{
    const utils::LanguageTables labels = KeysOf(r250);
    for (const text_places::LabelRow& row : text_places::kHeadings)
        AddPlace(places, labels.panelLabels[static_cast<size_t>(row.entry)], LabelName(row.entry), Font::Heading,
                 row.rect);
    const text_places::LabelRow hotAreas[] = {
        {text_places::kAcceptLabelEntry, text_places::kAcceptLabel},
        {text_places::kSaveAsLabelEntry, text_places::kSaveAsLabel},
        {text_places::kCancelLabelEntry, text_places::kCancelLabel},
    };
    for (const text_places::LabelRow& row : hotAreas)
        AddPlace(places, labels.panelLabels[static_cast<size_t>(row.entry)], LabelName(row.entry), Font::Heading,
                 row.rect);
    for (const text_places::LabelRow& row : text_places::kPanelRows)
        AddPlace(places, labels.panelLabels[static_cast<size_t>(row.entry)], LabelName(row.entry), Font::Panel,
                 row.rect);
}

// The captions of the group and category buttons of R250 or of the other
// models, for groups as full as they can be.
void AddCaptionPlaces(std::vector<TextPlace>& places, bool forR250)
{
    const RECT groupButton = text_places::GroupButtonRect(utils::kDesignDpi);
    const RECT slotButton{0, 0, text_places::kCategoryColumnWidth, text_places::kCategoryRowHeight};
    const int fullGroup[3] = {utils::kMaxShownCategories + 1, utils::kMaxShownCategories + 1,
                              utils::kMaxShownCategories + 1};
    const utils::LanguageTables keys = KeysOf(forR250);
    std::uint8_t starts[4] = {};
    std::copy(keys.groupStarts.begin(), keys.groupStarts.end(), starts);
    const std::wstring models = forR250 ? L"R250" : L"the other models";
    for (int group = 1; group <= (forR250 ? utils::kScannedGroups : 1); ++group) {
        const std::optional<utils::GroupCaptionPlan> plan =
            utils::PlanGroupCaptions(forR250, group, keys.groupNames, keys.categoryNames, starts, fullGroup, 0);
        if (!plan)
            continue;
        for (const utils::CaptionStep& step : plan->groupCaptions)
            AddPlace(places, step.text,
                     L"the caption of group button " + std::to_wstring(step.button + 1) + L" (" + models + L")",
                     Font::Caption, groupButton);
        for (const utils::CaptionStep& step : plan->slotCaptions)
            if (step.button < plan->shownCategoryCount && step.text != utils::kCustomizeName)
                AddPlace(places, step.text,
                         L"the caption of category button " + std::to_wstring(step.button + 1) + L" of group " +
                             std::to_wstring(group) + L" (" + models + L")",
                         Font::Caption, slotButton);
    }
}

// Where the texts of the models' keys are shown. The program's own tables and
// caption plan are run with key numbers for texts, so the keys that reach the
// screen are exactly the ones found here.
std::vector<TextPlace> TextPlaces(bool r250, bool otherModels)
{
    std::vector<TextPlace> places;
    AddLabelPlaces(places, r250);
    if (r250)
        AddCaptionPlaces(places, true);
    if (otherModels)
        AddCaptionPlaces(places, false);
    return places;
}

// Text widths as the dialog gets them at a DPI: the skin labels through the
// painter's DrawTextW format, the captions as the button measures them.
class TextMeasure {
public:
    explicit TextMeasure(int dpi)
        : m_dpi(dpi), m_dc(::CreateCompatibleDC(nullptr)),
          m_heading(text_places::CreateSkinFont(text_places::kHeadingFace, dpi)),
          m_panel(text_places::CreateSkinFont(text_places::kPanelFace, dpi)),
          m_caption(text_places::CreateCaptionFont(dpi))
    {
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;
    ~TextMeasure()
    {
        if (m_dc)
            ::DeleteDC(m_dc);
    }

    int Width(Font font, const std::wstring& text) const
    {
        const fw::Font& selected = font == Font::Heading ? m_heading : font == Font::Panel ? m_panel : m_caption;
        return text_places::TextWidth(m_dc, selected.Get(), text, font == Font::Caption);
    }

    int Dpi() const { return m_dpi; }

private:
    int m_dpi;
    HDC m_dc;
    fw::Font m_heading;
    fw::Font m_panel;
    fw::Font m_caption;
};

int PercentOfDpi(int dpi) { return (dpi * 100 + utils::kDesignDpi / 2) / utils::kDesignDpi; }

const wchar_t* FaceName(Font font)
{
    return font == Font::Heading ? text_places::kHeadingFace
           : font == Font::Panel ? text_places::kPanelFace
                                 : text_places::kCaptionFace;
}

std::vector<std::wstring> SectionNames(const std::wstring& file)
{
    std::wstring buffer(4096, L'\0');
    for (;;) {
        const DWORD length =
            ::GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 2 < buffer.size() || buffer.size() >= (1u << 20)) {
            std::vector<std::wstring> names;
            for (std::wstring_view rest(buffer.data(), std::min<size_t>(length, buffer.size())); !rest.empty();) {
                const size_t end = rest.find(L'\0');
                names.emplace_back(rest.substr(0, end));
                rest = end == std::wstring_view::npos ? std::wstring_view{} : rest.substr(end + 1);
            }
            return names;
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

bool EqualIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

using AddFinding = std::function<void(Code, const std::wstring&)>;

void CheckEncoding(const std::string& bytes, const AddFinding& add)
{
    const utils::TextEncoding encoding = utils::DetectTextEncoding(bytes);
    const bool eightBit = encoding == utils::TextEncoding::EightBit || encoding == utils::TextEncoding::Utf8Bom;
    if (eightBit && HasNonAscii(bytes))
        add(Code::LanguageFileEncoding,
            L"holds characters outside ASCII but is not UTF-16: the profile functions read it in the system's code "
            L"page (" +
                std::to_wstring(::GetACP()) +
                L"), which cannot hold the texts of all eight languages; "
                L"save it as UTF-16LE with a byte-order mark");
}

// The profile functions ignore letter case in section names and read every
// key from the first of the sections that share a name.
void CheckRepeatedSections(const std::vector<std::wstring>& sections, const AddFinding& add)
{
    for (size_t later = 1; later < sections.size(); ++later) {
        const auto first = std::find_if(sections.begin(), sections.begin() + static_cast<std::ptrdiff_t>(later),
                                        [&](const std::wstring& s) { return EqualIgnoringCase(s, sections[later]); });
        if (first != sections.begin() + static_cast<std::ptrdiff_t>(later))
            add(Code::LanguageSectionTwice,
                L"[" + sections[later] + L"] comes after [" + *first +
                    L"], which the profile functions take for the same section (they ignore letter case): every "
                    L"key is read from [" +
                    *first + L"] only, and the texts of [" + sections[later] + L"] are never shown");
    }
}

// The hand-over values that read the section, as the messages name them.
std::wstring ReadFor(const std::wstring& section)
{
    std::wstring readFor;
    for (const wchar_t* other : utils::kAcceptedLanguages)
        if (EqualIgnoringCase(utils::LanguageSection(other), section))
            readFor += (readFor.empty() ? L"\"Lang=" : L"\" and \"Lang=") + std::wstring(other);
    return readFor + L"\"";
}

// The texts of one language section: present, and not wider than their place
// at each display scale asked for.
void CheckSectionTexts(const LanguageFile& texts, const std::wstring& name, const std::wstring& readFor,
                       const std::vector<TextPlace>& places, const std::deque<TextMeasure>& measures,
                       const AddFinding& add)
{
    std::wstring missing;
    int missingCount = 0;
    for (const TextPlace& place : places) {
        const std::wstring text = texts.Read(place.key);
        if (text == L"N/A") {
            missing += (missing.empty() ? L"" : L", ") + std::to_wstring(place.key);
            ++missingCount;
            continue;
        }
        for (const TextMeasure& measure : measures) {
            const int width = measure.Width(place.font, text);
            const int room = place.Room(measure.Dpi());
            const std::wstring scale = measure.Dpi() == utils::kDesignDpi
                                           ? L""
                                           : L" at " + std::to_wstring(PercentOfDpi(measure.Dpi())) + L" percent";
            if (width > room)
                add(Code::TextCut, name + L" " + std::to_wstring(place.key) + L" \"" + text + L"\"" + scale + L" is " +
                                       std::to_wstring(width) + L" pixels wide in " + FaceName(place.font) + L", but " +
                                       place.what + L" has " + std::to_wstring(room) + L": the dialog cuts it");
        }
    }
    if (!missing.empty())
        add(Code::TextMissing, name + (missingCount == 1 ? L" lacks key " : L" lacks keys ") + missing + L": with " +
                                   readFor + L" the dialog shows \"N/A\" for " + (missingCount == 1 ? L"it" : L"them"));
}

} // namespace

void CheckLanguageFile(const CheckOptions& options, CheckResult& result)
{
    const std::wstring& file = options.languageFile;
    const AddFinding add = [&](Code code, const std::wstring& message) {
        result.findings.push_back({file, code, message});
    };
    DWORD error = 0;
    const std::optional<std::string> bytes = fw::ReadWholeFile(file, error);
    if (!bytes) {
        add(Code::LanguageFileMissing,
            L"cannot be read (" + ErrorText(error) + L"): every text of the dialog shows \"N/A\"");
        return;
    }
    CheckEncoding(*bytes, add);
    const std::vector<std::wstring> sections = SectionNames(file);
    CheckRepeatedSections(sections, add);

    const bool r250 = std::find(options.models.begin(), options.models.end(), L"R250") != options.models.end();
    const bool others = std::any_of(options.models.begin(), options.models.end(),
                                    [](const std::wstring& model) { return model != L"R250"; });
    const std::vector<TextPlace> places = TextPlaces(r250, others);
    std::deque<TextMeasure> measures;
    for (const int percent : options.scales)
        measures.emplace_back(utils::DpiOfPercent(percent));

    // The profile functions ignore letter case in section names, so some
    // language names share one section.
    std::vector<std::wstring> checked;
    for (const wchar_t* language : utils::kAcceptedLanguages) {
        const std::wstring section = utils::LanguageSection(language);
        const auto same = [&](const std::wstring& s) { return EqualIgnoringCase(s, section); };
        if (std::any_of(checked.begin(), checked.end(), same))
            continue;
        checked.push_back(section);
        const std::wstring readFor = ReadFor(section);
        const auto present = std::find_if(sections.begin(), sections.end(), same);
        if (present == sections.end()) {
            add(Code::LanguageMissing,
                L"has no section [" + section + L"]: with " + readFor + L" every text of the dialog shows \"N/A\"");
            continue;
        }
        ++result.counts.languageSections;
        CheckSectionTexts(LanguageFile(file, language), L"[" + *present + L"]", readFor, places, measures, add);
    }
}

} // namespace checker

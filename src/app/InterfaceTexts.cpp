#include "app/InterfaceTexts.h"

#include "app/DefaultTexts.h"
#include "table/TextEncoding.h"

namespace lexaro {

InterfaceTexts::InterfaceTexts() : m_Document(InitFileForm::Pair) {}

std::string InterfaceTexts::GetText(std::string_view key, std::string_view defaultText) const {
    return m_Document.GetString(key, defaultText);
}

std::string InterfaceTexts::GetText(std::string_view key) const {
    return GetText(key, DefaultText(key));
}

std::u16string InterfaceTexts::GetWideText(std::string_view key, std::string_view defaultText) const {
    return Utf8ToWide(GetText(key, defaultText));
}

std::u16string InterfaceTexts::GetWideText(std::string_view key) const {
    return Utf8ToWide(GetText(key));
}

bool InterfaceTexts::LoadLanguageFile(const std::filesystem::path& path) {
    if (!path.empty() && m_Document.LoadFromFile(path)) {
        m_LanguageFile = path;
        return true;
    }
    Clear();
    return false;
}

void InterfaceTexts::SetText(std::string_view pairFormText) {
    m_Document.ParseText(pairFormText);
    m_LanguageFile.clear();
}

void InterfaceTexts::Clear() {
    m_Document.ClearBody();
    m_LanguageFile.clear();
}

std::string LanguageTag(std::string_view path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) {
        return {};
    }
    const std::size_t underscore = name.substr(0, dot).rfind('_');
    if (underscore == std::string_view::npos) {
        return {};
    }
    return std::string(name.substr(underscore + 1, dot - underscore - 1));
}

} // namespace lexaro

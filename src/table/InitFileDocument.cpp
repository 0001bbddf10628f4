#include "table/InitFileDocument.h"

#include "table/SafeFile.h"

#include <new>
#include <system_error>

namespace lexaro {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
constexpr std::string_view kLineEnd = "\r\n";

} // namespace

InitFileDocument::InitFileDocument(InitFileForm form) : m_Form(form) {
    if (m_Form == InitFileForm::Element) {
        SetRoot(kInitFileRoot);
    } else {
        m_Root = kInitFileRoot;
    }
}

void InitFileDocument::SetRoot(std::string_view name) {
    if (m_Form != InitFileForm::Element) {
        return;
    }
    m_Root = name;
    m_Header.clear();
    m_Header.append(kDeclaration).append(kLineEnd);
    m_Header.append("<").append(name).append(">").append(kLineEnd);
    m_Footer.clear();
    m_Footer.append("</").append(name).append(">").append(kLineEnd);
}

std::string InitFileDocument::ComposeText() const {
    if (m_Form != InitFileForm::Element) {
        return m_Body;
    }
    std::string text;
    text.reserve(m_Header.size() + m_Body.size() + m_Footer.size());
    text.append(m_Header).append(m_Body).append(m_Footer);
    return text;
}

void InitFileDocument::ClearBody() {
    m_Body.clear();
    m_Cursor = 0;
}

void InitFileDocument::AppendLine(std::string_view line) {
    const int levels = m_Indent + static_cast<int>(m_Form);
    for (int i = 0; i < levels; ++i) {
        m_Body.append("  ");
    }
    m_Body.append(line);
}

void InitFileDocument::AddValue(std::string_view key, std::string_view value) {
    std::string line;
    if (m_Form == InitFileForm::Element) {
        line.reserve(key.size() * 2 + value.size() + 7);
        line.append("<").append(key).append(">").append(value).append("</").append(key).append(">");
    } else {
        line.reserve(key.size() + value.size() + 5);
        line.append(key).append("=\"").append(value).append("\"");
    }
    line.append(kLineEnd);
    AppendLine(line);
}

void InitFileDocument::AddInt(std::string_view key, int value) {
    AddValue(key, std::to_string(value));
}

void InitFileDocument::AddBool(std::string_view key, bool value) {
    AddValue(key, value ? "1" : "0");
}

bool InitFileDocument::SaveToFile(const std::filesystem::path& path) const {
    try {
        return WriteFileSafely(path, ComposeText());
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool InitFileDocument::LoadFromFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kInitFileMaxBytes) {
        return false;
    }
    try {
        std::string bytes;
        if (!ReadFileBytes(path, bytes) || bytes.empty() || bytes.size() > kInitFileMaxBytes) {
            return false;
        }
        // A NUL byte ends a text file's content.
        const std::string_view whole(bytes);
        return ParseText(whole.substr(0, whole.find('\0')));
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace lexaro

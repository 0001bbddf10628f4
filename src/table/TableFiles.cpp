#include "table/ClassTable.h"
#include "table/SafeFile.h"
#include "table/TableForms.h"
#include "table/TextEncoding.h"

#include <sys/stat.h>

namespace lexaro {

std::FILE* ClassTable::OpenTableFile(const std::filesystem::path& path, bool forReading) {
    if (path.empty()) {
        return nullptr;
    }
    if (!forReading) {
        return std::fopen(path.c_str(), "wb+e");
    }
    std::FILE* file = std::fopen(path.c_str(), "rbe");
    if (file == nullptr) {
        return nullptr;
    }
    // A folder opens for reading on Linux; it is no table file.
    struct stat info {};
    if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(file);
        return nullptr;
    }
    return file;
}

std::string ClassTable::ReadWholeFile(std::FILE* file, long length) {
    if (file == nullptr || length <= 0) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(length), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const std::size_t nul = bytes.find('\0');
    if (nul != std::string::npos) {
        bytes.resize(nul);
    }
    return bytes;
}

std::optional<std::string> forms::ReadTableFile(const std::filesystem::path& path) {
    std::FILE* file = ClassTable::OpenTableFile(path, true);
    if (file == nullptr) {
        return std::nullopt;
    }
    long length = 0;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        length = std::ftell(file);
    }
    if (length <= 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        std::fclose(file);
        return std::nullopt;
    }
    std::string content = ClassTable::ReadWholeFile(file, length);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        return std::nullopt;
    }
    return content;
}

bool ClassTable::SaveDocumentFile(const std::filesystem::path& path) {
    if (path.empty()) {
        return false;
    }
    const std::optional<std::string> document = BuildXml2Text();
    if (!document || !WriteFileSafely(path, *document)) {
        return false;
    }
    m_Modified = false;
    m_FileName = path;
    return true;
}

bool ClassTable::LoadDocumentFile(const std::filesystem::path& path) {
    if (!Clear(false)) {
        return false;
    }
    m_Modified = false;
    // A code page that cannot be converted would show every cell empty: the load fails before reading.
    if (path.empty() || !IsCodePageSupported(m_Charset)) {
        return false;
    }
    const std::optional<std::string> content = forms::ReadTableFile(path);
    if (!content) {
        return false;
    }
    const bool result = ParseXml2Text(*content);
    m_Modified = false;
    m_FileName = path;
    return result;
}

} // namespace lexaro

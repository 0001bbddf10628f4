#include "training/ReviewLog.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lexaro {

namespace {

constexpr std::string_view kRating = "rate";
constexpr std::string_view kUndo = "undo";
constexpr std::string_view kLookup = "lookup";
constexpr std::string_view kRename = "rename";
constexpr std::string_view kForward = "forward";
constexpr std::string_view kReverse = "reverse";

// Splits at tabs; false when there are more than max fields.
bool SplitFields(std::string_view line, std::string_view (&fields)[5], int& count) {
    count = 0;
    size_t start = 0;
    while (true) {
        if (count == 5) {
            return false;
        }
        const size_t tab = line.find('\t', start);
        fields[count++] = line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (tab == std::string_view::npos) {
            return true;
        }
        start = tab + 1;
    }
}

std::optional<bool> ParseDirection(std::string_view text) {
    if (text == kForward) {
        return false;
    }
    if (text == kReverse) {
        return true;
    }
    return std::nullopt;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Replaces out with the unescaped text, reusing out's buffer: a log is read line by line into one event.
bool UnescapeInto(std::string_view text, std::string& out) {
    size_t backslash = text.find('\\');
    if (backslash == std::string_view::npos) {
        out.assign(text);
        return true;
    }
    out.assign(text.substr(0, backslash));
    for (size_t i = backslash; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            return false;
        }
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace

std::string EscapeLogField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::optional<std::string> UnescapeLogField(std::string_view text) {
    std::string out;
    if (!UnescapeInto(text, out)) {
        return std::nullopt;
    }
    return out;
}

std::string FormatEventLine(const ReviewEvent& event) {
    std::string line = FormatReviewTime(event.time);
    const std::string_view direction = event.reverse ? kReverse : kForward;
    const auto field = [&line](std::string_view text) {
        line += '\t';
        line += text;
    };
    switch (event.kind) {
    case ReviewEventKind::Rating:
        field(kRating);
        field(EscapeLogField(event.term));
        field(direction);
        field(std::to_string(static_cast<int>(event.rating)));
        break;
    case ReviewEventKind::Undo:
        field(kUndo);
        field(EscapeLogField(event.term));
        field(direction);
        break;
    case ReviewEventKind::Lookup:
        field(kLookup);
        field(EscapeLogField(event.term));
        break;
    case ReviewEventKind::Rename:
        field(kRename);
        field(EscapeLogField(event.term));
        field(EscapeLogField(event.newTerm));
        break;
    }
    line += '\n';
    return line;
}

namespace {

// The common line, a rating, read without splitting it at every tab; false when the line has another shape (the
// general reader below then decides).
bool ParseRatingLine(std::string_view line, ReviewEvent& event) {
    constexpr size_t kTimeSize = 25;
    constexpr std::string_view kKind = "\trate\t";
    // "\tforward\t3" or "\treverse\t3"
    constexpr size_t kTailSize = 10;
    if (line.size() < kTimeSize + kKind.size() + kTailSize || line.substr(kTimeSize, kKind.size()) != kKind) {
        return false;
    }
    const std::string_view tail = line.substr(line.size() - kTailSize);
    const std::optional<bool> reverse = ParseDirection(tail.substr(1, 7));
    if (tail[0] != '\t' || tail[8] != '\t' || tail[9] < '1' || tail[9] > '4' || !reverse) {
        return false;
    }
    const size_t termStart = kTimeSize + kKind.size();
    const std::string_view term = line.substr(termStart, line.size() - kTailSize - termStart);
    const std::optional<ReviewTime> time = ParseReviewTime(line.substr(0, kTimeSize));
    if (!time || term.find('\t') != std::string_view::npos || !UnescapeInto(term, event.term)) {
        return false;
    }
    event.time = *time;
    event.kind = ReviewEventKind::Rating;
    event.reverse = *reverse;
    event.rating = static_cast<Rating>(tail[9] - '0');
    event.newTerm.clear();
    return true;
}

// Reads the line into event, reusing the buffers of its texts; false for a line that is no event.
bool ParseEventLineInto(std::string_view line, ReviewEvent& event) {
    if (ParseRatingLine(line, event)) {
        return true;
    }
    std::string_view fields[5];
    int count = 0;
    if (!SplitFields(line, fields, count) || count < 3) {
        return false;
    }
    const std::optional<ReviewTime> time = ParseReviewTime(fields[0]);
    if (!time || !UnescapeInto(fields[2], event.term)) {
        return false;
    }
    event.time = *time;
    event.reverse = false;
    event.rating = Rating::Good;
    event.newTerm.clear();
    const std::string_view kind = fields[1];
    if (kind == kRating && count == 5) {
        const std::optional<bool> reverse = ParseDirection(fields[3]);
        if (!reverse || fields[4].size() != 1 || fields[4][0] < '1' || fields[4][0] > '4') {
            return false;
        }
        event.kind = ReviewEventKind::Rating;
        event.reverse = *reverse;
        event.rating = static_cast<Rating>(fields[4][0] - '0');
        return true;
    }
    if (kind == kUndo && count == 4) {
        const std::optional<bool> reverse = ParseDirection(fields[3]);
        if (!reverse) {
            return false;
        }
        event.kind = ReviewEventKind::Undo;
        event.reverse = *reverse;
        return true;
    }
    if (kind == kLookup && count == 3) {
        event.kind = ReviewEventKind::Lookup;
        return true;
    }
    if (kind == kRename && count == 4 && UnescapeInto(fields[3], event.newTerm)) {
        event.kind = ReviewEventKind::Rename;
        return true;
    }
    return false;
}

using BatchVisit = std::function<void(ReviewEvent* events, size_t count)>;

// Splits the log into lines as its bytes come, in pieces of any size, and hands on its events a batch at a time.
class LogLines {
public:
    explicit LogLines(const BatchVisit& visit) : m_Visit(visit), m_Batch(kReviewEventBatch) { m_Reading.exists = true; }

    void Feed(std::string_view bytes) {
        if (!m_Carry.empty()) {
            const size_t end = bytes.find('\n');
            if (end == std::string_view::npos) {
                m_Carry.append(bytes);
                return;
            }
            m_Carry.append(bytes.substr(0, end));
            bytes.remove_prefix(end + 1);
            Line(m_Carry);
            m_Carry.clear();
        }
        while (!bytes.empty()) {
            const size_t end = bytes.find('\n');
            if (end == std::string_view::npos) {
                m_Carry.assign(bytes);
                return;
            }
            Line(bytes.substr(0, end));
            bytes.remove_prefix(end + 1);
        }
    }

    // Hands on the events of an unfinished batch.
    void Flush() {
        if (m_Batched > 0) {
            m_Visit(m_Batch.data(), m_Batched);
            m_Batched = 0;
        }
    }

    ReviewLogReading Finish() {
        Flush();
        m_Reading.tornLastLine = !m_Carry.empty();
        return m_Reading;
    }

private:
    void Line(std::string_view line) {
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (m_First) {
            m_First = false;
            if (line != kReviewLogHeader) {
                ++m_Reading.unreadableLines;
            }
            return;
        }
        if (line.empty()) {
            return;
        }
        if (!ParseEventLineInto(line, m_Batch[m_Batched])) {
            ++m_Reading.unreadableLines;
        } else if (++m_Batched == m_Batch.size()) {
            Flush();
        }
    }

    const BatchVisit& m_Visit;
    ReviewLogReading m_Reading;
    std::vector<ReviewEvent> m_Batch;
    size_t m_Batched = 0;
    std::string m_Carry;
    bool m_First = true;
};

BatchVisit EachEvent(const std::function<void(ReviewEvent&&)>& visit) {
    return [&visit](ReviewEvent* events, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            visit(std::move(events[i]));
        }
    };
}

} // namespace

std::optional<ReviewEvent> ParseEventLine(std::string_view line) {
    ReviewEvent event;
    if (!ParseEventLineInto(line, event)) {
        return std::nullopt;
    }
    return event;
}

ReviewLogReading ParseReviewLog(std::string_view bytes, const std::function<void(ReviewEvent&&)>& visit) {
    const BatchVisit each = EachEvent(visit);
    LogLines lines(each);
    lines.Feed(bytes);
    return lines.Finish();
}

ReviewLogReading ReadReviewLog(const std::filesystem::path& log, const std::function<void(ReviewEvent&&)>& visit) {
    return ReadReviewLogInBatches(log, EachEvent(visit));
}

ReviewLogReading ReadReviewLogInBatches(const std::filesystem::path& log, const BatchVisit& visit) {
    ReviewLogReading failed;
    failed.exists = true;
    failed.failed = true;
    const int fd = ::open(log.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        failed.error = errno;
        std::error_code ec;
        return std::filesystem::exists(log, ec) ? failed : ReviewLogReading{};
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        failed.error = S_ISDIR(status.st_mode) ? EISDIR : errno;
        ::close(fd);
        return failed;
    }
    // Read in pieces rather than whole: a long log is parsed while it streams through one small buffer.
    LogLines lines(visit);
    std::vector<char> buffer(1 << 16);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            failed.error = errno;
            ::close(fd);
            lines.Flush();
            return failed;
        }
        if (got == 0) {
            break;
        }
        lines.Feed(std::string_view(buffer.data(), static_cast<size_t>(got)));
    }
    ::close(fd);
    return lines.Finish();
}

bool AppendReviewEvent(const std::filesystem::path& log, const ReviewEvent& event, bool durable) {
    int fd = ::open(log.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0 && errno == ENOENT && !log.parent_path().empty()) {
        // The fallback folder in the user's data folder is made on the first review.
        std::error_code ec;
        std::filesystem::create_directories(log.parent_path(), ec);
        fd = ::open(log.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    }
    if (fd < 0) {
        return false;
    }
    struct stat status {};
    std::string bytes;
    bool created = false;
    if (::fstat(fd, &status) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return false;
    }
    if (status.st_size == 0) {
        created = true;
        bytes.append(kReviewLogHeader).push_back('\n');
    } else {
        char last = '\n';
        if (::pread(fd, &last, 1, status.st_size - 1) == 1 && last != '\n') {
            bytes.push_back('\n');
        }
    }
    bytes += FormatEventLine(event);
    bool ok = WriteAll(fd, bytes);
    if (ok && durable) {
        ok = ::fdatasync(fd) == 0;
    }
    const int error = errno;
    if (::close(fd) != 0 && ok) {
        return false;
    }
    if (ok && created && durable) {
        SyncFolder(log.parent_path());
    }
    errno = ok ? 0 : error;
    return ok;
}

std::optional<std::filesystem::path> BackUpReviewLog(const std::filesystem::path& log, const LocalTime& now) {
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, ".%04d-%02d-%02d_%02d%02d%02d", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    const std::string base = log.filename().string() + stamp;
    std::error_code ec;
    for (int n = 1; n < 1000; ++n) {
        const std::filesystem::path backup =
            log.parent_path() / (base + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".bak");
        if (std::filesystem::exists(backup, ec)) {
            continue;
        }
        // link + unlink never replaces a backup that appeared meanwhile.
        if (::link(log.c_str(), backup.c_str()) != 0) {
            if (errno == EEXIST) {
                continue;
            }
            return std::nullopt;
        }
        if (::unlink(log.c_str()) != 0) {
            const int error = errno;
            ::unlink(backup.c_str());
            errno = error;
            return std::nullopt;
        }
        return backup;
    }
    errno = EEXIST;
    return std::nullopt;
}

std::filesystem::path ReviewLogPath(const std::filesystem::path& dictionary,
                                    const std::filesystem::path& fallbackFolder) {
    std::filesystem::path beside = dictionary;
    beside.replace_extension(kReviewLogExtension);
    const std::filesystem::path folder = dictionary.parent_path().empty() ? "." : dictionary.parent_path();
    if (::access(folder.c_str(), W_OK) == 0 || ::access(beside.c_str(), W_OK) == 0) {
        return beside;
    }
    return fallbackFolder / beside.filename();
}

} // namespace lexaro

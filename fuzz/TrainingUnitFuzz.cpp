// Loads arbitrary bytes as a training-unit file, runs a short quiz over the unit and checks that a unit
// written back reads again as the same unit.
//
// Input layout: the first byte picks the options (bit 0 random order, bit 1 both directions, bit 2 swap
// columns, bit 3 multiple choice, bit 4 cut additions); the rest is the file.

#include "FuzzSupport.h"
#include "training/QuizSession.h"
#include "training/TrainingUnit.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <unistd.h>

namespace {

using lexaro::ClassTable;
using lexaro::TrainingUnit;
using lexaro::fuzz::Require;

// The folder of this process's two files, the input and the unit written back; removed when the process
// ends. Saving flushes to the disk, so a memory file system is used where there is one.
class ScratchFolder {
public:
    ScratchFolder() {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        std::string pattern = (base / "lexaro-fuzz-unit-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr, "scratch folder");
        m_Path = pattern;
    }
    ~ScratchFolder() {
        std::error_code error;
        std::filesystem::remove_all(m_Path, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::filesystem::path File(const char* name) const { return m_Path / name; }

private:
    std::filesystem::path m_Path;
};

const std::filesystem::path& Scratch(int which) {
    static const ScratchFolder folder;
    static const std::filesystem::path files[2] = {folder.File("input.lxt"), folder.File("saved.lxt")};
    return files[which];
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Require(file != nullptr, "scratch file");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

void CheckUnit(const TrainingUnit& unit) {
    Require(unit.Entries().ColumnCount() == lexaro::kUnitColumns, "a unit has five columns");
    Require(unit.AnsweredCount() >= 0 && unit.CorrectCount() >= 0 && unit.WrongCount() >= 0,
            "counters are not negative");
    Require(!(unit.BothDirections() && unit.SwapColumns()), "both directions and swap columns exclude each other");
}

// A quiz over the unit with a dictionary that lacks most of the rows the unit may name.
void RunQuiz(TrainingUnit& unit, std::uint8_t options) {
    ClassTable entries;
    entries.Resize(3, 2);
    entries.SetCell(0, 0, "house");
    entries.SetCell(1, 0, "Haus<add_exp><exp_neg>Maus</exp_neg></add_exp>");
    entries.SetCell(0, 1, "tree");
    entries.SetCell(1, 1, "Baum");
    lexaro::SeededRandom random(options);
    lexaro::QuizOptions quizOptions;
    quizOptions.multipleChoice = (options & 8) != 0;
    quizOptions.cutAdditions = (options & 16) != 0;
    quizOptions.shownCharacters = options % 5;
    lexaro::QuizSession quiz(unit, entries, random, quizOptions);
    quiz.Open();
    for (int i = 0; i < 4 && !unit.IsComplete(); ++i) {
        const int answered = unit.AnsweredCount();
        const bool open = !quiz.QuestionAnswered();
        quiz.Help();
        quiz.ClickOffer(i % 6);
        quiz.SetAnswerText(i % 2 == 0 ? quiz.Expected() : u"?");
        const lexaro::AnswerOutcome outcome = quiz.Answer();
        Require(!outcome.judged || open, "only an open question is judged");
        Require(unit.AnsweredCount() >= answered, "answering never lowers the count");
        (void)quiz.Statistics();
    }
    (void)quiz.End();
    quiz.RepeatWrong();
    for (int i = 0; i < 2; ++i) {
        if (quiz.Step() == lexaro::AutoPlayStep::Ended) {
            break;
        }
    }
    CheckUnit(unit);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::uint8_t options = data[0];
    WriteFile(Scratch(0), lexaro::fuzz::Bytes(data + 1, size - 1));

    TrainingUnit unit;
    unit.SetRandomOrder((options & 1) != 0);
    unit.SetBothDirections((options & 2) != 0);
    unit.SetSwapColumns((options & 4) != 0);
    const lexaro::UnitLoadResult loaded = unit.LoadUnit(Scratch(0));
    CheckUnit(unit);
    Require(loaded.read || loaded.dictionary.empty(), "a dictionary only from a file that was read");

    // Written back and read again, the unit is the same when no cell holds the document's own markup.
    ClassTable loadedCells = unit.Entries();
    if (lexaro::fuzz::CellsAvoid(loadedCells, {"<CT_C", "</CT_C>", "<CT_R>"})) {
        Require(unit.SaveUnit(Scratch(1), "/voc/French.lxd"), "saving works");
        Require(!unit.IsModified(), "saving clears the modified flag");
        // Saving wrote the counters into row 0.
        ClassTable before = unit.Entries();
        const int answered = unit.RowCount() > 0 ? unit.AnsweredCount() : 0;
        TrainingUnit again;
        const lexaro::UnitLoadResult reread = again.LoadUnit(Scratch(1));
        ClassTable after = again.Entries();
        Require(reread.read && reread.marked && reread.dictionary == "/voc/French.lxd", "the trailer reads back");
        Require(lexaro::fuzz::SameCells(before, after), "the rows read back");
        Require(again.AnsweredCount() == answered, "the counters read back");
        Require(again.BothDirections() == unit.BothDirections() && again.SwapColumns() == unit.SwapColumns() &&
                    again.RandomOrder() == unit.RandomOrder(),
                "the options read back");
    }

    RunQuiz(unit, options);
    return 0;
}

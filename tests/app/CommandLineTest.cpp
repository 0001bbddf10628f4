#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using lexaro::LowerExtension;
using lexaro::ReadCommandLine;
using lexaro::StartRequest;

namespace {

const fs::path kStart = "/home/u/words.lxd";
const fs::path kCwd = "/home/u/work";

StartRequest Read(std::vector<std::string> arguments, bool portable = false) {
    return ReadCommandLine(arguments, portable, kStart, kCwd);
}

TEST(CommandLine, NoArgumentOrAutoOpensTheStartDictionary) {
    StartRequest request = Read({});
    EXPECT_FALSE(request.autoStart);
    EXPECT_EQ(request.dictionary, kStart);
    EXPECT_TRUE(request.trainingUnit.empty());

    request = Read({"-auto"});
    EXPECT_TRUE(request.autoStart);
    EXPECT_EQ(request.dictionary, kStart);

    request = ReadCommandLine({"-auto"}, false, fs::path(), kCwd);
    EXPECT_TRUE(request.autoStart);
    EXPECT_TRUE(request.dictionary.empty()) << "no start dictionary: a new empty one";
}

TEST(CommandLine, OnlyTheExactLowerCaseWordStartsInTheTray) {
    for (const char* word : {"-AUTO", "-Auto", "--auto", "-auto ", "auto"}) {
        const StartRequest request = Read({word});
        EXPECT_FALSE(request.autoStart) << word;
        EXPECT_EQ(request.refusedArgument, word) << "taken as a file name of no known type";
        EXPECT_EQ(request.dictionary, kStart) << word;
    }
    EXPECT_FALSE(Read({"-AUTO.lxd"}).autoStart);
    EXPECT_EQ(Read({"-AUTO.lxd"}).dictionary, kCwd / "-AUTO.lxd");
}

TEST(CommandLine, AFileArgumentIsOpenedAndFurtherArgumentsIgnored) {
    StartRequest request = Read({"/data/Vokabeln.LXD", "-auto", "other.lxt"});
    EXPECT_EQ(request.dictionary, fs::path("/data/Vokabeln.LXD"));
    EXPECT_FALSE(request.autoStart);
    EXPECT_TRUE(request.trainingUnit.empty());

    request = Read({"sub/import.csv"});
    EXPECT_EQ(request.dictionary, kCwd / "sub/import.csv") << "relative to the folder the program started in";
}

TEST(CommandLine, ATrainingUnitOpensFirstThenTheStartDictionary) {
    for (const char* unit : {"/u/lesson.lxt", "/u/lesson.LXT", "/u/lesson.LxT"}) {
        const StartRequest request = Read({unit});
        EXPECT_EQ(request.trainingUnit, fs::path(unit));
        EXPECT_EQ(request.dictionary, kStart);
    }
    EXPECT_EQ(Read({"lesson.lxt"}).trainingUnit, kCwd / "lesson.lxt");
}

TEST(CommandLine, DictdAndStarDictDictionariesAreOpened) {
    EXPECT_EQ(Read({"eng-deu.index"}).dictionary, kCwd / "eng-deu.index");
    EXPECT_EQ(Read({"/d/fr.IFO"}).dictionary, "/d/fr.IFO");
}

TEST(CommandLine, FilesOfNoKnownTypeAreNotBoundToTheDictionary) {
    for (const char* file : {"/u/notes.txt", "/u/archive.lxd.bak", "/u/v1.0/README", ""}) {
        const StartRequest request = Read({file});
        EXPECT_EQ(request.dictionary, kStart) << file;
        EXPECT_EQ(request.refusedArgument, file);
    }
}

TEST(CommandLine, APortableCopyKeepsItsOwnDictionary) {
    const StartRequest request = Read({"-auto"}, true);
    EXPECT_TRUE(request.keepPayloadDictionary);
    EXPECT_FALSE(request.autoStart);
    EXPECT_EQ(request.dictionary, fs::path("<noname>"));
    EXPECT_TRUE(Read({"/u/lesson.lxt"}, true).trainingUnit.empty());
}

TEST(CommandLine, ExtensionsComeFromTheFileNameOnly) {
    EXPECT_EQ(LowerExtension("/a/Words.LXD"), ".lxd");
    EXPECT_EQ(LowerExtension("/a.b/words"), "");
    EXPECT_EQ(LowerExtension("C:\\a.b\\words"), "");
    EXPECT_EQ(LowerExtension("C:\\dicts\\W\xC3\x96rter.Lxt"), ".lxt");
    EXPECT_EQ(LowerExtension(".LXT"), ".lxt");
    EXPECT_EQ(LowerExtension("name."), ".");
}

} // namespace

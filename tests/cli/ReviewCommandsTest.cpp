#include "cli/ReviewCommands.h"

#include "CliTestSupport.h"

#include <gtest/gtest.h>

namespace lexaro {
namespace {

using test::CliResult;

class CliReview : public ::testing::Test {
protected:
    void SetUp() override {
        environment.home = folder / "home";
        dictionary = folder / "words.lxd";
        test::WriteBytes(dictionary,
                         test::Document({{"Haus", "house", ""}, {"a\tb", "odd", ""}, {"Baum", "tree", ""}}));
    }
    CliResult Run(bool review, std::vector<std::string> args) {
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        cli::CliStreams io{in, out, err};
        args.insert(args.begin(), dictionary);
        const int code =
            review ? cli::ReviewCommand(environment).Run(args, io) : cli::DueCommand(environment).Run(args, io);
        return {code, out.str(), err.str()};
    }

    test::TempFolder folder;
    Environment environment;
    std::string dictionary;
};

TEST_F(CliReview, RecordsReviewsAndListsDueCards) {
    CliResult r = Run(true, {"Haus", "good", "--at", "2026-12-10 08:00:00"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Haus\tforward\t2026-12-12\t2.306500\t2.118104\t1.000000\t1\t0\n");
    r = Run(true, {"Haus", "3", "--at", "2026-12-13 08:00:00"});
    EXPECT_EQ(r.out, "Haus\tforward\t2026-12-27\t13.826904\t2.111214\t1.000000\t2\t0\n");
    EXPECT_EQ(Run(true, {"a\tb", "1", "--reverse", "--at", "2026-12-13 09:00:00"}).code, 0);

    r = Run(false, {"--at", "2026-12-27 09:00:00"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "a\\tb\treverse\t2026-12-13\t0.212000\t6.413300\t0.524434\t1\t0\n"
                     "Haus\tforward\t2026-12-27\t13.826904\t2.111214\t0.899143\t2\t0\n");
    // Before 04:00 it is still the day before: nothing is due.
    r = Run(false, {"--at", "2026-12-13 03:00:00"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    r = Run(false, {"--at", "2026-12-13 03:00:00", "--all"});
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);

    // A card whose term no entry has any more is listed only with --all.
    const std::string log = test::ReadBytes(folder / "words.lxr");
    test::WriteBytes(folder / "words.lxr", log + "2026-12-10 08:00:00 +0100\trate\tGone\tforward\t3\n");
    r = Run(false, {"--at", "2026-12-27 09:00:00"});
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 2);
    EXPECT_EQ(r.out.find("Gone"), std::string::npos);
    EXPECT_NE(Run(false, {"--at", "2026-12-27 09:00:00", "--all"}).out.find("Gone\tforward"), std::string::npos);
}

TEST_F(CliReview, RefusesUnknownTermsAndBadInputAndReportsUnreadableLogLines) {
    EXPECT_EQ(Run(true, {"haus", "good"}).code, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "words.lxr"));
    EXPECT_EQ(Run(true, {"Haus", "5"}).code, 2);
    EXPECT_EQ(Run(true, {"Haus", "good", "--at", "2026-13-01 00:00:00"}).code, 2);
    EXPECT_EQ(Run(false, {}).code, 1);

    EXPECT_EQ(Run(true, {"Baum", "easy", "--at", "2026-12-10 08:00:00"}).code, 0);
    const std::string log = test::ReadBytes(folder / "words.lxr");
    test::WriteBytes(folder / "words.lxr", log + "nonsense\n2026-12-10 09:00");
    const CliResult r = Run(false, {"--all"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("2 unreadable line(s)"), std::string::npos) << r.err;
    EXPECT_EQ(test::ReadBytes(folder / "words.lxr"), log + "nonsense\n2026-12-10 09:00");
}

} // namespace
} // namespace lexaro

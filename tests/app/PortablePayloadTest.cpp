#include "app/PortablePayload.h"

#include "StorageTestSupport.h"

#include <cstdint>

namespace fs = std::filesystem;
using lexaro::CheckPortablePayload;
using lexaro::ComposePortablePayload;
using lexaro::FindPortablePayload;
using namespace std::string_literals;

namespace {

const std::string kProgram = "\x7F"
                             "ELF\x02\x01\x01"s +
                             std::string(71, '\0') + "T program body";
const std::string kDictionary = "<?xml version=\"1.0\"?><Table>W\xC3\xB6rter</Table>";
const std::string kTexts = "FrmMain.m_BTNSearch=\"Suchen\"\r\n";

std::string Le32(std::uint32_t value) {
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>((value >> shift) & 0xFFu));
    }
    return bytes;
}

std::string PortableFile(const std::string& dictionary = kDictionary, const std::string& texts = kTexts) {
    return kProgram + *ComposePortablePayload(kProgram.size(), dictionary, texts);
}

// A file with an arbitrary payload region and a trailer pointing at offset.
std::string WithTrailer(const std::string& body, std::uint32_t offset) {
    return body + Le32(offset) + "LXPORTBL";
}

TEST(PortablePayload, ComposedPayloadIsFoundAgain) {
    const std::string file = PortableFile();
    EXPECT_EQ(file.substr(kProgram.size()), Le32(kDictionary.size()) + kDictionary + Le32(kTexts.size()) + kTexts +
                                                Le32(kProgram.size()) + "LXPORTBL");
    const auto payload = FindPortablePayload(file);
    ASSERT_TRUE(payload.has_value());
    EXPECT_EQ(payload->offset, kProgram.size());
    EXPECT_EQ(payload->dictionaryText, kDictionary);
    EXPECT_EQ(payload->interfaceText, kTexts);

    const auto empty = FindPortablePayload(PortableFile("", ""));
    ASSERT_TRUE(empty.has_value()) << "a copy of an empty dictionary is still a portable copy";
    EXPECT_TRUE(empty->dictionaryText.empty());
    EXPECT_TRUE(empty->interfaceText.empty());
}

TEST(PortablePayload, OrdinaryProgramsAreNotPortable) {
    EXPECT_FALSE(FindPortablePayload(""));
    EXPECT_FALSE(FindPortablePayload(kProgram));
    EXPECT_FALSE(FindPortablePayload("LXPORTBL"));
    std::string file = PortableFile();
    file.back() = 'l';
    EXPECT_FALSE(FindPortablePayload(file)) << "the marker is compared exactly";
}

TEST(PortablePayload, EveryTruncationOrExtensionIsRejected) {
    const std::string file = PortableFile();
    for (std::size_t size = 0; size < file.size(); ++size) {
        EXPECT_FALSE(FindPortablePayload(std::string_view(file).substr(0, size))) << size;
    }
    // Bytes between the payload and the trailer, or a trailer moved into the texts, break the exact fit.
    const std::string payload = file.substr(kProgram.size(), file.size() - kProgram.size() - 12);
    EXPECT_FALSE(FindPortablePayload(WithTrailer(kProgram + payload + "x", kProgram.size())));
    EXPECT_FALSE(FindPortablePayload(WithTrailer(kProgram + payload.substr(0, payload.size() - 1), kProgram.size())));
}

TEST(PortablePayload, OffsetsAndLengthsOutsideTheFileMeanAnOrdinaryStart) {
    const std::string body = kProgram + Le32(0) + Le32(0);
    EXPECT_TRUE(FindPortablePayload(WithTrailer(body, kProgram.size())));
    EXPECT_FALSE(FindPortablePayload(WithTrailer(body, kProgram.size() + 1)));
    EXPECT_FALSE(FindPortablePayload(WithTrailer(body, static_cast<std::uint32_t>(body.size()))));
    EXPECT_FALSE(FindPortablePayload(WithTrailer(body, 0xFFFFFFFFu)));

    // Huge lengths: dictionary length, then texts length, each near the 32-bit limit.
    for (std::uint32_t huge : {0xFFFFFFFFu, 0xFFFFFFF8u, 0x80000000u, 9u}) {
        EXPECT_FALSE(FindPortablePayload(WithTrailer(kProgram + Le32(huge) + Le32(0), kProgram.size()))) << huge;
        EXPECT_FALSE(FindPortablePayload(WithTrailer(kProgram + Le32(0) + Le32(huge), kProgram.size()))) << huge;
    }
    // A dictionary length that points the texts length at the trailer itself.
    EXPECT_FALSE(FindPortablePayload(WithTrailer(kProgram + Le32(4) + Le32(0), kProgram.size())));
}

TEST(PortablePayload, LengthsBeyondThirtyTwoBitsAreNotComposed) {
    EXPECT_FALSE(ComposePortablePayload(std::uint64_t{1} << 32, "", ""));
    EXPECT_TRUE(ComposePortablePayload(0xFFFFFFFFu, "", ""));
}

using PortableProgramFile = lexaro::test::StorageFolder;

TEST_F(PortableProgramFile, IsRecognisedOnDiskWithoutReadingMoreThanItHolds) {
    const fs::path program = m_Folder / "portable";
    WriteBytes(program, PortableFile());
    const auto payload = CheckPortablePayload(program);
    ASSERT_TRUE(payload.has_value());
    EXPECT_EQ(payload->offset, kProgram.size());
    EXPECT_EQ(payload->dictionaryText, kDictionary);
    EXPECT_EQ(payload->interfaceText, kTexts);

    WriteBytes(program, WithTrailer(kProgram + Le32(0xFFFFFFF0u) + Le32(0xFFFFFFF0u), kProgram.size()));
    EXPECT_FALSE(CheckPortablePayload(program));
    WriteBytes(program, PortableFile().substr(1));
    EXPECT_FALSE(CheckPortablePayload(program));
    WriteBytes(program, "");
    EXPECT_FALSE(CheckPortablePayload(program));
    EXPECT_FALSE(CheckPortablePayload(m_Folder / "missing"));
    EXPECT_FALSE(CheckPortablePayload(m_Folder)) << "a folder is no program file";
}

} // namespace

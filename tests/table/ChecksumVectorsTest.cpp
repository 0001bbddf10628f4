#include "table/Checksum.h"
#include "table/DigestMd2.h"
#include "table/DigestMd4Md5.h"
#include "table/DigestSha1Sha256.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lexaro {
namespace {

struct Vector {
    std::string message;
    std::string digest;
};

const std::string kAlphabet = "abcdefghijklmnopqrstuvwxyz";
const std::string kAlnum = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
const std::string kDigits80 = "12345678901234567890123456789012345678901234567890123456789012345678901234567890";
const std::string k448 = "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq";
const std::string k896 =
    "abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrs"
    "mnopqrstnopqrstu";
const std::string kMillionA(1000000, 'a');

void ExpectVectors(int type, const std::vector<Vector>& vectors) {
    for (const Vector& v : vectors) {
        EXPECT_EQ(BufferChecksum(v.message, type), v.digest)
            << kChecksumLabels[static_cast<std::size_t>(type)] << " of a " << v.message.size() << "-byte message";
    }
}

// The test suites of RFC 1319, 1320 and 1321.
std::vector<Vector> RfcSuite(const std::vector<std::string>& digests) {
    const std::vector<std::string> messages = {"", "a", "abc", "message digest", kAlphabet, kAlnum, kDigits80};
    std::vector<Vector> vectors;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        vectors.push_back({messages[i], digests[i]});
    }
    return vectors;
}

// Empty message, "abc", the 448-bit and 896-bit messages and one million "a".
std::vector<Vector> ShaSuite(const std::vector<std::string>& digests) {
    const std::vector<std::string> messages = {"", "abc", k448, k896, kMillionA};
    std::vector<Vector> vectors;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        vectors.push_back({messages[i], digests[i]});
    }
    return vectors;
}

TEST(ChecksumVectors, MessageDigestsMatchTheirRfcSuites) {
    ExpectVectors(kChecksumMd2, RfcSuite({"8350e5a3e24c153df2275c9f80692773", "32ec01ec4a6dac72c0ab96fb34c0b5d1",
                                          "da853b0d3f88d99b30283a69e6ded6bb", "ab4f496bfb2a530b219ff33031fe06b0",
                                          "4e8ddff3650292ab5a4108c3aa47940b", "da33def2a42df13975352846c30338cd",
                                          "d5976f79d83d3a0dc9806c3c66f3efd8"}));
    ExpectVectors(kChecksumMd4, RfcSuite({"31d6cfe0d16ae931b73c59d7e0c089c0", "bde52cb31de33e46245e05fbdbd6fb24",
                                          "a448017aaf21d8525fc10ae87aa6729d", "d9130a8164549fe818874806e1c7014b",
                                          "d79e1c308aa5bbcdeea8ed63df412da9", "043f8582f241db351ce627e153e7f0e4",
                                          "e33b4ddc9c38f2199c3e7b164fcc0536"}));
    ExpectVectors(kChecksumMd5, RfcSuite({"d41d8cd98f00b204e9800998ecf8427e", "0cc175b9c0f1b6a831c399e269772661",
                                          "900150983cd24fb0d6963f7d28e17f72", "f96b697d7cb7938d525a2f31aaf161d0",
                                          "c3fcd3d76192e4007dfb496cca67e13b", "d174ab98d277d9f5a5611c2c9f419d9f",
                                          "57edf4a22be3c955ac49da2e2107b67a"}));
}

TEST(ChecksumVectors, Sha1AndSha2MatchTheFipsExamples) {
    ExpectVectors(kChecksumSha1,
                  ShaSuite({"da39a3ee5e6b4b0d3255bfef95601890afd80709", "a9993e364706816aba3e25717850c26c9cd0d89d",
                            "84983e441c3bd26ebaae4aa1f95129e5e54670f1", "a49b2446a02c645bf419f995b67091253a04a259",
                            "34aa973cd4c4daa4f61eeb2bdbad27316534016f"}));
    ExpectVectors(kChecksumSha224, ShaSuite({"d14a028c2a3a2bc9476102bb288234c415a2b01f828ea62ac5b3e42f",
                                             "23097d223405d8228642a477bda255b32aadbce4bda0b3f7e36c9da7",
                                             "75388b16512776cc5dba5da1fd890150b0c6455cb4f58b1952522525",
                                             "c97ca9a559850ce97a04a96def6d99a9e0e0e2ab14e6b8df265fc0b3",
                                             "20794655980c91d8bbb4c1ea97618a4bf03f42581948b2ee4ee7ad67"}));
    ExpectVectors(kChecksumSha256, ShaSuite({"e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855",
                                             "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad",
                                             "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1",
                                             "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1",
                                             "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}));
    ExpectVectors(
        kChecksumSha384,
        ShaSuite({"38b060a751ac96384cd9327eb1b1e36a21fdb71114be07434c0cc7bf63f6e1da274edebfe76f65fbd51ad2f14898b95b",
                  "cb00753f45a35e8bb5a03d699ac65007272c32ab0eded1631a8b605a43ff5bed8086072ba1e7cc2358baeca134c825a7",
                  "3391fdddfc8dc7393707a65b1b4709397cf8b1d162af05abfe8f450de5f36bc6b0455a8520bc4e6f5fe95b1fe3c8452b",
                  "09330c33f71147e83d192fc782cd1b4753111b173b3b05d22fa08086e3b0f712fcc7c71a557e2db966c3e9fa91746039",
                  "9d0e1809716474cb086e834e310a4a1ced149e9c00f248527972cec5704c2a5b07b8b3dc38ecc4ebae97ddd87f3d8985"}));
    ExpectVectors(kChecksumSha512, ShaSuite({"cf83e1357eefb8bdf1542850d66d8007d620e4050b5715dc83f4a921d36ce9ce"
                                             "47d0d13c5d85f2b0ff8318d2877eec2f63b931bd47417a81a538327af927da3e",
                                             "ddaf35a193617abacc417349ae20413112e6fa4e89a97ea20a9eeee64b55d39a"
                                             "2192992a274fc1a836ba3c23a3feebbd454d4423643ce80e2a9ac94fa54ca49f",
                                             "204a8fc6dda82f0a0ced7beb8e08a41657c16ef468b228a8279be331a703c335"
                                             "96fd15c13b1b07f9aa1d3bea57789ca031ad85c7a71dd70354ec631238ca3445",
                                             "8e959b75dae313da8cf4f72814fc143f8f7779c6eb9f7fa17299aeadb6889018"
                                             "501d289e4900f7e4331b99dec4b5433ac7d329eeb6dd26545e96e55b874be909",
                                             "e718483d0ce769644e2e42c7bc15b4638e1f98b13b2044285632a803afa973eb"
                                             "de0ff244877ea60a4cb0432ce577c31beb009c5c2c49aa2e4eadb217ad8cc09b"}));
}

TEST(ChecksumVectors, Sha3MatchesTheFipsExamples) {
    ExpectVectors(kChecksumSha3_224, ShaSuite({"6b4e03423667dbb73b6e15454f0eb1abd4597f9a1b078e3f5b5a6bc7",
                                               "e642824c3f8cf24ad09234ee7d3c766fc9a3a5168d0c94ad73b46fdf",
                                               "8a24108b154ada21c9fd5574494479ba5c7e7ab76ef264ead0fcce33",
                                               "543e6868e1666c1a643630df77367ae5a62a85070a51c14cbf665cbc",
                                               "d69335b93325192e516a912e6d19a15cb51c6ed5c15243e7a7fd653c"}));
    ExpectVectors(kChecksumSha3_256, ShaSuite({"a7ffc6f8bf1ed76651c14756a061d662f580ff4de43b49fa82d80a4b80f8434a",
                                               "3a985da74fe225b2045c172d6bd390bd855f086e3e9d525b46bfe24511431532",
                                               "41c0dba2a9d6240849100376a8235e2c82e1b9998a999e21db32dd97496d3376",
                                               "916f6061fe879741ca6469b43971dfdb28b1a32dc36cb3254e812be27aad1d18",
                                               "5c8875ae474a3634ba4fd55ec85bffd661f32aca75c6d699d0cdcb6c115891c1"}));
    ExpectVectors(
        kChecksumSha3_384,
        ShaSuite({"0c63a75b845e4f7d01107d852e4c2485c51a50aaaa94fc61995e71bbee983a2ac3713831264adb47fb6bd1e058d5f004",
                  "ec01498288516fc926459f58e2c6ad8df9b473cb0fc08c2596da7cf0e49be4b298d88cea927ac7f539f1edf228376d25",
                  "991c665755eb3a4b6bbdfb75c78a492e8c56a22c5c4d7e429bfdbc32b9d4ad5aa04a1f076e62fea19eef51acd0657c22",
                  "79407d3b5916b59c3e30b09822974791c313fb9ecc849e406f23592d04f625dc8c709b98b43b3852b337216179aa7fc7",
                  "eee9e24d78c1855337983451df97c8ad9eedf256c6334f8e948d252d5e0e76847aa0774ddb90a842190d2c558b4b8340"}));
    ExpectVectors(kChecksumSha3_512, ShaSuite({"a69f73cca23a9ac5c8b567dc185a756e97c982164fe25859e0d1dcc1475c80a6"
                                               "15b2123af1f5f94c11e3e9402c3ac558f500199d95b6d3e301758586281dcd26",
                                               "b751850b1a57168a5693cd924b6b096e08f621827444f70d884f5d0240d2712e"
                                               "10e116e9192af3c91a7ec57647e3934057340b4cf408d5a56592f8274eec53f0",
                                               "04a371e84ecfb5b8b77cb48610fca8182dd457ce6f326a0fd3d7ec2f1e91636d"
                                               "ee691fbe0c985302ba1b0d8dc78c086346b533b49c030d99a27daf1139d6e75e",
                                               "afebb2ef542e6579c50cad06d2e578f9f8dd6881d7dc824d26360feebf18a4fa"
                                               "73e3261122948efcfd492e74e82e2189ed0fb440d187f382270cb455f21dd185",
                                               "3c3a876da14034ab60627c077bb98f7e120a2a5370212dffb3385a18d4f38859"
                                               "ed311d0a9d5141ce9cc5c66ee689b266a8aa18ace8282a0e0db596c90b0a7b87"}));
}

TEST(ChecksumVectors, FamilyMembersArePickedByDigestLength) {
    EXPECT_EQ(DigestHex(Sha2Digest("abc", 28)), BufferChecksum("abc", kChecksumSha224));
    EXPECT_EQ(DigestHex(Sha2Digest("abc", 32)), BufferChecksum("abc", kChecksumSha256));
    EXPECT_EQ(DigestHex(Sha2Digest("abc", 48)), BufferChecksum("abc", kChecksumSha384));
    EXPECT_EQ(DigestHex(Sha2Digest("abc", 64)), BufferChecksum("abc", kChecksumSha512));
    EXPECT_EQ(DigestHex(Sha3Digest("abc", 28)), BufferChecksum("abc", kChecksumSha3_224));
    EXPECT_EQ(DigestHex(Sha3Digest("abc", 32)), BufferChecksum("abc", kChecksumSha3_256));
    EXPECT_EQ(DigestHex(Sha3Digest("abc", 48)), BufferChecksum("abc", kChecksumSha3_384));
    EXPECT_EQ(DigestHex(Sha3Digest("abc", 64)), BufferChecksum("abc", kChecksumSha3_512));
    for (const std::size_t odd : {0u, 16u, 20u, 33u, 128u}) {
        EXPECT_TRUE(Sha2Digest("abc", odd).empty()) << odd;
        EXPECT_TRUE(Sha3Digest("abc", odd).empty()) << odd;
    }
    EXPECT_EQ(DigestHex(Md2Digest("abc")), "da853b0d3f88d99b30283a69e6ded6bb");
    EXPECT_EQ(DigestHex(Md4Digest("abc")), "a448017aaf21d8525fc10ae87aa6729d");
    EXPECT_EQ(DigestHex(Md5Digest("abc")), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(DigestHex(Sha1Digest("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
}

TEST(ChecksumVectors, UnknownTypesGiveNoChecksum) {
    for (const int type : {kChecksumNone, -1, kChecksumTypeCount, 1000}) {
        EXPECT_EQ(BufferChecksum("abc", type), "") << type;
        EXPECT_FALSE(ChecksumHasher(type).IsValid()) << type;
        EXPECT_EQ(ChecksumDigestSize(type), 0u) << type;
    }
}

} // namespace
} // namespace lexaro

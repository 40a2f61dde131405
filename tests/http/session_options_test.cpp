// Session options that change how requests travel: credentials, content decoding.
#include "session_fixture.h"

namespace http {
namespace {

TEST_F(SessionTest, CredentialsNeedAnOpenConnection) {
    EXPECT_FALSE(session.SetCredentials("user", "secret"));
    ASSERT_TRUE(session.OpenRequest("GET", Url("/auth")));
    EXPECT_TRUE(session.SetCredentials("user", "secret"));
    EXPECT_TRUE(session.SendText());
}

TEST_F(SessionTest, DecodingUnpacksCompressedBodies) {
    const std::string packed(
        "\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\xff\x2b\x48\x4c\xce\x4e\x4d\x51\x28\x49\xad\x28\xd1\x51\x28\x40"
        "\x70\x00\xf4\x41\x76\xe3\x18\x00\x00\x00",
        37);
    Serve([&](const RecordedRequest&) {
        Response r = Body(packed);
        r.headers = {{"Content-Encoding", "gzip"}};
        return r;
    });
    EXPECT_EQ(session.Get(Url("/z")), packed);
    session.SetDecoding();
    EXPECT_EQ(session.Get(Url("/z")), "packed text, packed text");
    session.SetDecoding(0);
    EXPECT_EQ(session.Get(Url("/z")), packed);
}

}  // namespace
}  // namespace http

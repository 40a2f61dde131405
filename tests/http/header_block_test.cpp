// Editing the one-shot header block, seen before any request is sent.
#include <gtest/gtest.h>

#include "http/http_session.h"

namespace http {
namespace {

TEST(HeaderBlock, AddHeaderWritesOneLinePerNameKeepingTheFirstSpelling) {
    HttpSession session;
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\n");
    session.AddHeader("X-Test", "1");
    session.AddHeader("x-test", "2");
    session.AddHeader("accept:", "text/plain");
    session.AddHeader("Accept: ", "text/xml");
    session.AddHeader("Empty", "");
    session.AddHeader("", "ignored");
    session.AddHeader("Odd ", "v");  // a name ending in a blank keeps it
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\nX-Test: 2\r\naccept: text/xml\r\nEmpty: \r\nOdd : v\r\n");
}

TEST(HeaderBlock, RemoveHeaderTakesExactlyOneLine) {
    HttpSession session;
    session.AddHeader("A", "");
    session.AddHeader("AB", "1");
    session.AddHeader("C", "3");
    session.RemoveHeader("a:");
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\nAB: 1\r\nC: 3\r\n");
    session.RemoveHeader("Missing");
    session.RemoveHeader("C");
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\nAB: 1\r\n");
}

TEST(HeaderBlock, CookieHeaderGoesToTheJar) {
    HttpSession session;
    session.AddHeader("Cookie", "a=1");
    session.AddHeader("cookie:", "");
    session.AddHeader("COOKIE: ", "b=2; a=3");
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\n");
    EXPECT_EQ(session.CookieJarText(), "; a=3; b=2; ");
}

TEST(HeaderBlock, SettersWriteOrReplaceTheirLine) {
    HttpSession session;
    session.SetUserAgent("One");
    session.SetUserAgent("Two");
    session.SetAccept("");  // suppresses, writes nothing
    session.SetContentType();
    session.SetReferer("R");
    EXPECT_EQ(session.PendingHeaderBlock(),
              "\r\nUser-Agent: Two\r\nContent-Type: application/x-www-form-urlencoded\r\nReferer: R\r\n");
    session.SetUserAgent();
    EXPECT_EQ(session.PendingHeaderBlock(),
              "\r\nUser-Agent: " + std::string(kDefaultUserAgent) +
                  "\r\nContent-Type: application/x-www-form-urlencoded\r\nReferer: R\r\n");
}

TEST(HeaderBlock, ClientAddressWritesFourLinesAndRemovesThem) {
    HttpSession session;
    session.AddHeader("X-Before", "0");
    session.SetClientAddress("10.1.2.3");
    session.SetClientAddress("10.9.9.9");
    EXPECT_EQ(session.PendingHeaderBlock(),
              "\r\nX-Before: 0\r\nX-Forwarded-For: 10.9.9.9\r\nCLIENT_IP: 10.9.9.9\r\nVIA: 10.9.9.9\r\n"
              "REMOTE_ADDR: 10.9.9.9\r\n");
    session.SetClientAddress("");
    EXPECT_EQ(session.PendingHeaderBlock(), "\r\nX-Before: 0\r\n");
}

}  // namespace
}  // namespace http
